#include "tests/app/start/StartTestBasis.hpp"

#include "app/platform/null/NullArbeitsflaeche.hpp"
#include "app/platform/null/NullKopierablage.hpp"
#include "app/platform/null/NullVollbildSonde.hpp"
#include "app/ui/Texte.hpp"
#include "core/services/GroqKonfiguration.hpp"

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

// A service that the fixture owns elsewhere, lent to the platform without ownership.
template <class T> std::shared_ptr<T> leihe(T& dienst) {
    return std::shared_ptr<T>(std::shared_ptr<void>(), &dienst);
}

} // namespace

StartTestBasis::StartTestBasis() {
    einstellungen.setzeProxyURL(server.url(u"/openai/v1"_s).toString());
    einstellungen.setzeUiSprache(u"de"_s);
    einstellungen.setzeSoundAktiv(false);
    einstellungen.setzeStartVerzoegerungAktiv(false);
    Texte::vergissSprache();

    plattform.recorder = fake.mikrofon.fabrik();
    plattform.stummschalter = leihe<Stummschalter>(fake.stummschalter);
    plattform.klaenge = leihe<Klangspieler>(fake.klaenge);
    auto quelle = std::make_unique<SteuerbareTastenQuelle>();
    tasten = quelle.get();
    plattform.tasten = std::move(quelle);
    plattform.umleitung = &umleitung;
    plattform.escMonitor = leihe<EscMonitor>(fake.esc);
    plattform.vollbild = std::make_shared<NullVollbildSonde>();
    plattform.vordergrund = leihe<VordergrundApp>(fake.desktop);
    plattform.arbeitsflaeche = std::make_shared<NullArbeitsflaeche>();
    plattform.vertrauen = leihe<AXVertrauen>(fake.desktop);
    plattform.inserter = leihe<TextInserter>(fake.desktop);
    plattform.kopierablage = std::make_shared<NullKopierablage>();
    plattform.axKontext = leihe<AXKontext>(fake.kontext);
    plattform.auswahl = leihe<AuswahlKopierer>(fake.kontext);
    plattform.fensterFoto = leihe<FensterFoto>(fake.kontext);
    plattform.texterkennung = leihe<Texterkennung>(fake.kontext);
    plattform.browserText = leihe<BrowserText>(fake.kontext);
}

StartTestBasis::~StartTestBasis() {
    delegate.reset();
    GroqKonfiguration::setzeTokenQuelle([] { return std::optional<QString>(); });
    GroqKonfiguration::setzeGeraeteIDQuelle([] { return std::optional<QString>(); });
}

AppDelegate& StartTestBasis::starte() {
    delegate = std::make_unique<AppDelegate>(AppDelegate::Dienste{
        queue,
        speicher,
        http,
        netz,
        plattform,
        server.basis(),
        verzeichnis.filePath(u"token"_s),
        [this](const FensterUmfeld& u) {
            umfeld.emplace(u);
            return std::make_unique<FakeFensterSteuerung>(fake.aufrufe);
        },
        {},
    });
    delegate->starte();
    return *delegate;
}

} // namespace parlix::test
