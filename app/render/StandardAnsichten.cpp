#include "app/render/StandardAnsichten.hpp"

#include "app/render/AnsichtenRegister.hpp"
#include "app/render/HUDStandbild.hpp"
#include "app/render/RenderUmgebung.hpp"
#include "app/render/TrayProbe.hpp"
#include "app/ui/hud/HUDModel.hpp"
#include "app/ui/livebox/LiveBoxModel.hpp"
#include "app/ui/livebox/LiveBoxWidget.hpp"
#include "app/ui/tray/StatusPanel.hpp"
#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"
#include "app/ui/verlauf/GlasVerlaufFenster.hpp"
#include "app/ui/verlauf/GlasVerlaufModel.hpp"
#include "core/text/StatusPanelTexte.hpp"

#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix::StandardAnsichten {

namespace {

struct HUDZustand {
    QString name;
    AppZustand zustand;
    double morph;
    bool gesperrt;
    bool fehler;
};

const HUDZustand hudZustaende[] = {
    {u"aufnehmend"_s, AppZustand::aufnehmend, 0.0, false, false},
    {u"gesperrt"_s, AppZustand::aufnehmend, 0.0, true, false},
    {u"wandel"_s, AppZustand::transkribierend, 0.5, false, false},
    {u"transkribierend"_s, AppZustand::transkribierend, 1.0, false, false},
    {u"einfuegend"_s, AppZustand::einfuegend, 1.0, false, false},
    {u"fehler"_s, AppZustand::transkribierend, 1.0, false, true},
};

HUDMoment hudMoment(HUDStil stil, const HUDZustand& z, const Texte& texte) {
    HUDMoment m;
    m.stil = stil;
    m.zustand = z.zustand;
    m.gesperrt = z.gesperrt;
    m.morph = z.morph;
    m.pegel = z.zustand == AppZustand::aufnehmend ? 0.62 : 0.0;
    m.t = 2.1;
    m.zustandText = texte.text(StatusPanelTexte::statusLabel(z.zustand));
    if (z.fehler) {
        m.fehler = texte.text(u"fehler.keinAnbieter"_s);
    }
    for (int i = 0; i < 64; ++i) {
        m.pegelVerlauf.append(
            static_cast<float>(0.5 + 0.45 * std::sin(i * 0.45) * std::sin(i * 0.13 + 0.4)));
    }
    return m;
}

// The models are children of the widget that shows them, so they live as long as it.
std::unique_ptr<QWidget> statusPanel(RenderUmgebung& u) {
    auto* hud = new HUDModel;
    auto panel = std::make_unique<StatusPanel>(u.verlauf, *hud, u.speicher, u.texte,
                                               u.arbeitsflaeche, PanelAktionen{});
    hud->setParent(panel.get());
    return panel;
}

std::unique_ptr<QWidget> liveBox(RenderUmgebung& u) {
    auto* model = new LiveBoxModel;
    auto box = std::make_unique<LiveBoxWidget>(u.arbeitsflaeche);
    model->setParent(box.get());
    box->zeige(*model);
    model->setze(u.texte.text(u"beispiel.live"_s));
    box->beruhige();
    return box;
}

std::unique_ptr<QWidget> verlauf(RenderUmgebung& u, bool leer) {
    if (leer) {
        u.verlauf.leeren();
    }
    auto* model = new GlasVerlaufModel;
    if (!leer) {
        model->setzeHervorID(u.verlauf.eintraege().front().id);
    }
    auto fenster = std::make_unique<GlasVerlaufFenster>(
        new GlasVerlaufAnsicht(u.verlauf, *model, u.texte), u.arbeitsflaeche);
    model->setParent(fenster.get());
    return fenster;
}

} // namespace

void registriere(AnsichtenRegister& ansichten) {
    ansichten.registriere(u"statusPanel"_s, statusPanel);
    ansichten.registriere(u"tray"_s, [](RenderUmgebung&) { return std::make_unique<TrayProbe>(); });
    ansichten.registriere(u"liveBox"_s, liveBox);
    ansichten.registriere(u"verlauf"_s, [](RenderUmgebung& u) { return verlauf(u, false); });
    ansichten.registriere(u"verlaufLeer"_s, [](RenderUmgebung& u) { return verlauf(u, true); });
    for (const HUDStil& stil : HUDStil::alle()) {
        for (const HUDZustand& zustand : hudZustaende) {
            ansichten.registriere(
                u"hud.%1.%2"_s.arg(stil.rohwert, zustand.name), [stil, zustand](RenderUmgebung& u) {
                    return std::make_unique<HUDStandbild>(hudMoment(stil, zustand, u.texte));
                });
        }
    }
}

} // namespace parlix::StandardAnsichten
