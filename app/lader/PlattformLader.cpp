#include "app/lader/PlattformLader.hpp"

#include "app/platform/FadenStummschalter.hpp"
#include "app/platform/Plattform.hpp"
#include "app/platform/atspi/AtspiDienste.hpp"
#include "app/platform/canberra/CanberraKlangspieler.hpp"
#include "app/platform/canberra/KlangDateien.hpp"
#include "app/platform/null/NullAXKontext.hpp"
#include "app/platform/null/NullAXVertrauen.hpp"
#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/null/NullAudioRecorder.hpp"
#include "app/platform/null/NullAuswahlKopierer.hpp"
#include "app/platform/null/NullBarrierefreiheit.hpp"
#include "app/platform/null/NullBrowserText.hpp"
#include "app/platform/null/NullDesktopZugang.hpp"
#include "app/platform/null/NullEscMonitor.hpp"
#include "app/platform/null/NullFensterFoto.hpp"
#include "app/platform/null/NullKlangspieler.hpp"
#include "app/platform/null/NullKopierablage.hpp"
#include "app/platform/null/NullMikrofonDienst.hpp"
#include "app/platform/null/NullStummschalter.hpp"
#include "app/platform/null/NullTastenQuelle.hpp"
#include "app/platform/null/NullTastenUmleitung.hpp"
#include "app/platform/null/NullTextInserter.hpp"
#include "app/platform/null/NullTexterkennung.hpp"
#include "app/platform/null/NullVollbildSonde.hpp"
#include "app/platform/null/NullVordergrundApp.hpp"
#include "app/platform/pulse/Mikrofone.hpp"
#include "app/platform/pulse/PulseAudioRecorder.hpp"
#include "app/platform/pulse/PulseMikrofonDienst.hpp"
#include "app/platform/pulse/PulseStummschalter.hpp"
#include "app/platform/tesseract/TesseractErkennung.hpp"
#include "app/platform/wayland/WaylandPlattform.hpp"
#include "app/platform/x11/X11Plattform.hpp"
#include "core/log/DateiLog.hpp"

using namespace Qt::StringLiterals;

namespace parlix::PlattformLader {

namespace {

struct Backend {
    QString name;
    // Fills the services of this desktop; null for none, sound and text recognition
    // included.
    void (*bestuecke)(Plattform& plattform, DefaultsStore& speicher, MainQueue& mainQueue,
                      const KontextFabrik& kontext);
};

const Backend backends[] = {
    {u"x11"_s, &X11Plattform::bestuecke},
    {u"wayland"_s, &WaylandPlattform::bestuecke},
    {u"null"_s, nullptr},
};

const Backend& backend(const QString& name) {
    for (const Backend& b : backends) {
        if (b.name == name) {
            return b;
        }
    }
    return backends[std::size(backends) - 1];
}

void bestueckeGemeinsam(Plattform& p, DefaultsStore& speicher) {
    p.recorder = PulseAudioRecorder::fabrik(speicher);
    p.mikrofonErreichbar = [] { return !Mikrofone::liste().empty(); };
    auto stummschalter = std::make_unique<PulseStummschalter>();
    // A run that ended during a recording may have left the output lowered.
    stummschalter->repariereNachAbsturz();
    p.stummschalter = std::make_unique<FadenStummschalter>(std::move(stummschalter));
    p.klaenge = std::make_unique<CanberraKlangspieler>();
    p.texterkennung = std::make_shared<TesseractErkennung>();
    p.klangNamen = KlangDateien::namen();
    p.mikrofone = std::make_shared<PulseMikrofonDienst>();
}

template <class Null, class Zeiger>
void ergaenze(Zeiger& platz, const QString& dienst, const QString& sitzung) {
    if (!platz) {
        platz = Zeiger(new Null);
        log().schreibe(u"Plattform (%1): %2 nicht verfügbar"_s.arg(sitzung, dienst));
    }
}

void ergaenzeNull(Plattform& p, const QString& sitzung) {
    if (!p.recorder) {
        p.recorder = [] { return std::make_unique<NullAudioRecorder>(); };
        log().schreibe(u"Plattform (%1): Mikrofon nicht verfügbar"_s.arg(sitzung));
    }
    ergaenze<NullStummschalter>(p.stummschalter, u"Lautstärke"_s, sitzung);
    ergaenze<NullKlangspieler>(p.klaenge, u"Klänge"_s, sitzung);
    ergaenze<NullTastenQuelle>(p.tasten, u"globale Tasten"_s, sitzung);
    if (p.umleitung == nullptr) {
        static NullTastenUmleitung keineUmleitung;
        p.umleitung = &keineUmleitung;
    }
    ergaenze<NullEscMonitor>(p.escMonitor, u"Escape-Taste"_s, sitzung);
    ergaenze<NullVollbildSonde>(p.vollbild, u"Vollbild-Erkennung"_s, sitzung);
    ergaenze<NullVordergrundApp>(p.vordergrund, u"vordere Anwendung"_s, sitzung);
    ergaenze<NullArbeitsflaeche>(p.arbeitsflaeche, u"Ort des Fokusfensters"_s, sitzung);
    ergaenze<NullAXVertrauen>(p.vertrauen, u"Bedienungshilfen"_s, sitzung);
    ergaenze<NullTextInserter>(p.inserter, u"Einfügen"_s, sitzung);
    ergaenze<NullKopierablage>(p.kopierablage, u"Zwischenablage des Desktops"_s, sitzung);
    ergaenze<NullAXKontext>(p.axKontext, u"Text des Fokuselements"_s, sitzung);
    ergaenze<NullAuswahlKopierer>(p.auswahl, u"Auswahl kopieren"_s, sitzung);
    ergaenze<NullFensterFoto>(p.fensterFoto, u"Fensterfoto"_s, sitzung);
    ergaenze<NullTexterkennung>(p.texterkennung, u"Texterkennung"_s, sitzung);
    ergaenze<NullBrowserText>(p.browserText, u"Browsertext"_s, sitzung);
    ergaenze<NullMikrofonDienst>(p.mikrofone, u"Mikrofonliste"_s, sitzung);
    ergaenze<NullDesktopZugang>(p.desktop, u"Desktop-Zugriff"_s, sitzung);
    ergaenze<NullBarrierefreiheit>(p.barrierefreiheit, u"Bedienungshilfen-Bus"_s, sitzung);
}

} // namespace

QString erkenneSitzung() {
    const QString vorgabe = qEnvironmentVariable("PARLIX_PLATTFORM");
    if (vorgabe == u"x11"_s || vorgabe == u"wayland"_s || vorgabe == u"null"_s) {
        return vorgabe;
    }
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland"_s ||
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        return u"wayland"_s;
    }
    return qEnvironmentVariableIsSet("DISPLAY") ? u"x11"_s : u"null"_s;
}

bool qtUeberXWayland() {
    return erkenneSitzung() == u"wayland"_s && WaylandPlattform::qtUeberXWayland();
}

std::unique_ptr<Plattform> lade(DefaultsStore& speicher, MainQueue& mainQueue) {
    const QString sitzung = erkenneSitzung();
    const Backend& gewaehlt = backend(sitzung);
    log().schreibe(u"Plattform: "_s + gewaehlt.name);
    auto plattform = std::make_unique<Plattform>();
    if (gewaehlt.bestuecke != nullptr) {
        bestueckeGemeinsam(*plattform, speicher);
        gewaehlt.bestuecke(*plattform, speicher, mainQueue,
                           [&mainQueue] { return AtspiDienste::erstelle(mainQueue); });
    }
    ergaenzeNull(*plattform, gewaehlt.name);
    return plattform;
}

} // namespace parlix::PlattformLader
