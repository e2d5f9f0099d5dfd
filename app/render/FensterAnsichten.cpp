#include "app/render/FensterAnsichten.hpp"

#include "app/render/AnsichtenRegister.hpp"
#include "app/render/FensterKulisse.hpp"
#include "app/render/RenderUmgebung.hpp"
#include "app/ui/fenster/HandbuchFenster.hpp"
#include "app/ui/fenster/LoginFenster.hpp"
#include "app/ui/fenster/OnboardingFenster.hpp"
#include "app/ui/fenster/SettingsFenster.hpp"
#include "app/ui/fenster/SetupFenster.hpp"
#include "app/ui/fenster/bausteine/AnmeldeFormular.hpp"

#include <QApplication>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace parlix::FensterAnsichten {

namespace {

using Bauer = AnsichtenRegister::Bauer;
using Kategorie = SettingsFenster::Kategorie;

// The Fusion dark scheme, as a dark desktop gives it.
QPalette dunkel() {
    QPalette p;
    const QColor fenster(0x2B, 0x2D, 0x31);
    const QColor grund(0x1F, 0x21, 0x24);
    const QColor text(0xE8, 0xEA, 0xED);
    p.setColor(QPalette::Window, fenster);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, grund);
    p.setColor(QPalette::AlternateBase, fenster);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x3A, 0x3D, 0x42));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Mid, QColor(0x55, 0x59, 0x5F));
    p.setColor(QPalette::Highlight, QColor(0x3D, 0x8B, 0xF2));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x7C, 0xB7, 0xFF));
    p.setColor(QPalette::PlaceholderText, QColor(0x9A, 0xA0, 0xA6));
    p.setColor(QPalette::ToolTipBase, fenster);
    p.setColor(QPalette::ToolTipText, text);
    for (const auto rolle : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Disabled, rolle, QColor(0x6E, 0x73, 0x79));
    }
    return p;
}

// The window over its props, which go with it.
template <class Fenster>
std::unique_ptr<QWidget> mitKulisse(std::unique_ptr<Fenster> fenster, FensterKulisse* kulisse) {
    kulisse->setParent(fenster.get());
    return fenster;
}

// `danach` sets the scene up once the window stands.
std::unique_ptr<QWidget> einstellungen(RenderUmgebung& u, Kategorie kategorie,
                                       const std::function<void(FensterKulisse&)>& danach = {}) {
    auto* kulisse = new FensterKulisse(u, {});
    auto fenster =
        std::make_unique<SettingsFenster>(kulisse->settings(), kulisse->dienste(), [] {});
    fenster->waehle(kategorie);
    if (danach) {
        danach(*kulisse);
    }
    return mitKulisse(std::move(fenster), kulisse);
}

// Groq for the transcription with a key typed, a local server for the language model.
void mitAnbietern(FensterKulisse& kulisse) {
    using Rolle = AnbieterEinstellungen::Rolle;
    AnbieterEinstellungen& anbieter = kulisse.anbieter();
    anbieter.waehleVorlage(Rolle::transkription, u"groq"_s);
    anbieter.setzeSchluessel(Rolle::transkription, u"gsk_beispiel0123456789"_s);
    anbieter.waehleVorlage(Rolle::sprache, u"andere"_s);
    anbieter.setzeURL(Rolle::sprache, u"http://127.0.0.1:8080/v1"_s);
}

std::unique_ptr<QWidget> setup(RenderUmgebung& u, int schritt) {
    auto* kulisse = new FensterKulisse(u, {.bus = false});
    auto fenster = std::make_unique<SetupFenster>(
        kulisse->setup(), kulisse->login(), kulisse->konto(), kulisse->anbieter(), u.speicher);
    for (int i = 0; i < schritt; ++i) {
        kulisse->setup().weiter();
    }
    return mitKulisse(std::move(fenster), kulisse);
}

std::unique_ptr<QWidget> onboarding(RenderUmgebung& u, FensterKulisse::Rechte rechte) {
    auto* kulisse = new FensterKulisse(u, rechte);
    return mitKulisse(std::make_unique<OnboardingFenster>(kulisse->onboarding(), u.speicher),
                      kulisse);
}

std::unique_ptr<QWidget> login(RenderUmgebung& u, AnmeldeFormular::Modus modus, bool fehler) {
    auto* kulisse = new FensterKulisse(u, {});
    auto fenster = std::make_unique<LoginFenster>(kulisse->login(), kulisse->konto(), u.speicher);
    AnmeldeFormular* formular = fenster->formular();
    formular->setzeModus(modus);
    formular->email()->setText(u"ana@example.com"_s);
    if (modus == AnmeldeFormular::Modus::zuruecksetzen) {
        // As after the code was sent.
        emit kulisse->login().meldung(u.texte.text(u"reset.codeGesendet"_s), false);
        emit kulisse->login().erledigt(LoginModel::Vorgang::codeAnfordern);
    }
    if (fehler) {
        formular->passwort()->setText(u"falsch-falsch"_s);
        emit kulisse->login().meldung(u.texte.text(u"login.falsch"_s), true);
    }
    return mitKulisse(std::move(fenster), kulisse);
}

std::unique_ptr<QWidget> handbuch(RenderUmgebung& u, bool suche) {
    auto fenster = std::make_unique<HandbuchFenster>(u.speicher);
    if (suche) {
        fenster->suche()->setText(u"Wayland"_s);
    }
    return fenster;
}

// The program's palette for as long as it lives, then the one before it again.
class PalettenWechsel final : public QObject {
public:
    explicit PalettenWechsel(const QPalette& neu)
        : vorher_(QApplication::palette()) {
        QApplication::setPalette(neu);
    }
    ~PalettenWechsel() override { QApplication::setPalette(vorher_); }

private:
    QPalette vorher_;
};

// Registers the view, and once more built and drawn in the dark palette.
void mitDunkel(AnsichtenRegister& ansichten, const QString& name, const Bauer& bauer) {
    ansichten.registriere(name, bauer);
    ansichten.registriere(name + u".dunkel"_s, [bauer](RenderUmgebung& u) {
        auto* wechsel = new PalettenWechsel(dunkel());
        std::unique_ptr<QWidget> widget = bauer(u);
        wechsel->setParent(widget.get());
        return widget;
    });
}

} // namespace

void registriere(AnsichtenRegister& ansichten) {
    const std::pair<QString, Kategorie> kategorien[] = {
        {u"tasten"_s, Kategorie::tasten},
        {u"mikrofon"_s, Kategorie::mikrofon},
        {u"sprache"_s, Kategorie::sprache},
        {u"schreibstil"_s, Kategorie::schreibstil},
        {u"hud"_s, Kategorie::hud},
        {u"verhalten"_s, Kategorie::verhalten},
        {u"konto"_s, Kategorie::konto},
        {u"anbieter"_s, Kategorie::anbieter},
        {u"vokabular"_s, Kategorie::vokabular},
        {u"befehle"_s, Kategorie::befehle},
        {u"bausteine"_s, Kategorie::bausteine},
    };
    for (const auto& [name, kategorie] : kategorien) {
        mitDunkel(ansichten, u"einstellungen."_s + name,
                  [kategorie](RenderUmgebung& u) { return einstellungen(u, kategorie); });
    }
    mitDunkel(ansichten, u"einstellungen.tasten.aufnahme"_s, [](RenderUmgebung& u) {
        return einstellungen(u, Kategorie::tasten, [](FensterKulisse& k) {
            k.settings().setzeNimmtAuf(SettingsModel::Hotkeyart::diktat, true);
        });
    });
    mitDunkel(ansichten, u"einstellungen.anbieter.gewaehlt"_s, [](RenderUmgebung& u) {
        return einstellungen(u, Kategorie::anbieter, mitAnbietern);
    });
    const QString schritte[] = {u"sprache"_s, u"rechte"_s, u"anbieter"_s, u"konto"_s};
    for (int schritt = 0; schritt <= SetupModel::letzterSchritt; ++schritt) {
        mitDunkel(ansichten, u"einrichtung."_s + schritte[schritt],
                  [schritt](RenderUmgebung& u) { return setup(u, schritt); });
    }
    mitDunkel(ansichten, u"onboarding"_s,
              [](RenderUmgebung& u) { return onboarding(u, {.bus = false}); });
    mitDunkel(ansichten, u"onboarding.fertig"_s,
              [](RenderUmgebung& u) { return onboarding(u, {}); });
    mitDunkel(ansichten, u"onboarding.wayland"_s, [](RenderUmgebung& u) {
        return onboarding(u, {.eingabe = false, .bildschirm = false, .wayland = true});
    });
    mitDunkel(ansichten, u"onboarding.gnome"_s, [](RenderUmgebung& u) {
        return onboarding(u, {.eingabe = false,
                              .bildschirm = false,
                              .tastenHinweis = u"onb.tasten.gnome"_s,
                              .aufnahmeHinweis = u"onb.bildschirm.wayland"_s});
    });
    mitDunkel(ansichten, u"onboarding.kde"_s, [](RenderUmgebung& u) {
        return onboarding(u, {.bildschirm = false, .aufnahmeHinweis = u"onb.bildschirm.kde"_s});
    });
    using Modus = AnmeldeFormular::Modus;
    mitDunkel(ansichten, u"anmelden"_s,
              [](RenderUmgebung& u) { return login(u, Modus::anmelden, false); });
    mitDunkel(ansichten, u"anmelden.registrieren"_s,
              [](RenderUmgebung& u) { return login(u, Modus::registrieren, false); });
    mitDunkel(ansichten, u"anmelden.zuruecksetzen"_s,
              [](RenderUmgebung& u) { return login(u, Modus::zuruecksetzen, false); });
    mitDunkel(ansichten, u"anmelden.fehler"_s,
              [](RenderUmgebung& u) { return login(u, Modus::anmelden, true); });
    mitDunkel(ansichten, u"handbuchfenster"_s,
              [](RenderUmgebung& u) { return handbuch(u, false); });
    mitDunkel(ansichten, u"handbuchfenster.suche"_s,
              [](RenderUmgebung& u) { return handbuch(u, true); });
}

} // namespace parlix::FensterAnsichten
