#include "app/start/Programm.hpp"

#include "app/backend/BackendWahl.hpp"
#include "app/backend/LokalerServer.hpp"
#include "app/coordinator/AufnahmeCoordinator.hpp"
#include "app/maintenance/Updater.hpp"
#include "app/platform/Plattform.hpp"
#include "app/render/AlleAnsichten.hpp"
#include "app/render/AnsichtenRegister.hpp"
#include "app/render/RenderHarness.hpp"
#include "app/start/AppDelegate.hpp"
#include "app/start/EinzelInstanz.hpp"
#include "app/start/SignalBeender.hpp"
#include "app/stream/NetzFaden.hpp"
#include "app/ui/Symbol.hpp"
#include "app/ui/fenster/Fensteraufbau.hpp"
#include "core/account/TokenSpeicher.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/log/DateiLog.hpp"
#include "core/services/BackendWurzel.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/settings/DateiDefaultsStore.hpp"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace parlix::Programm {

namespace {

constexpr int fehlerCode = 2;

struct Optionen {
    bool gueltig = true;
    // --toggle: start or stop a dictation in the running instance.
    bool umschalten = false;
    // --backend URL: for this start, this backend instead of the stored choice.
    std::optional<QUrl> backend;
};

Optionen liesOptionen(const QApplication& app, const Texte& texte) {
    QCommandLineParser optionen;
    optionen.setApplicationDescription(u"Parlix: dictation for the Linux desktop."_s);
    optionen.addHelpOption();
    optionen.addOption({u"backend"_s,
                        u"Root URL of a Parlix backend to use for this start instead of the "
                        u"one chosen in the settings: https, or http to this computer, e.g. "
                        u"http://127.0.0.1:8000 for a parlix-server of your own."_s,
                        u"url"_s});
    optionen.addOption({u"toggle"_s, u"Start a dictation in the running Parlix, or stop the one "
                                     u"being recorded. Bind it to a key in your desktop's "
                                     u"shortcut settings where Parlix gets no global keys."_s});
    optionen.process(app);
    const bool umschalten = optionen.isSet(u"toggle"_s);
    if (!optionen.isSet(u"backend"_s)) {
        return {true, umschalten, std::nullopt};
    }
    const BackendWahl::Pruefung pruefung = BackendWahl::pruefe(optionen.value(u"backend"_s));
    if (!pruefung.wurzel) {
        QTextStream(stderr) << "parlix: --backend: " << texte.text(pruefung.fehlerKey) << '\n';
        return {false, umschalten, std::nullopt};
    }
    return {true, umschalten, pruefung.wurzel};
}

// The backend of this start: the command line's, else the stored choice. The local
// server is started here but not waited for: calls wait for it, the tray does not.
std::unique_ptr<LokalerServer> starteBackend(const DefaultsStore& speicher,
                                             const std::optional<QUrl>& kommandozeile) {
    if (kommandozeile) {
        setzeBackendWurzel(*kommandozeile);
        log().schreibe(u"Backend (Kommandozeile): "_s + kommandozeile->toString());
        return nullptr;
    }
    const BackendWahl wahl = BackendWahl::lies(speicher);
    if (wahl.art == BackendWahl::Art::gehostet) {
        if (!wahl.url.isEmpty()) {
            setzeBackendWurzel(wahl.url);
        }
        log().schreibe(u"Backend (gehostet): "_s + backendWurzel().toString());
        return nullptr;
    }
    log().schreibe(u"Backend: lokaler Server"_s);
    auto server = std::make_unique<LokalerServer>();
    server->starte();
    return server;
}

void richteAnwendungEin(QApplication& app) {
    QApplication::setApplicationName(u"Parlix"_s);
    QApplication::setDesktopFileName(u"com.orvand.parlix"_s);
    QApplication::setWindowIcon(Symbol::appIcon());
    // Parlix lives in the tray: closing its last window does not end it.
    app.setQuitOnLastWindowClosed(false);
}

int zeichneAnsichten(const RenderHarness::Auftrag& auftrag) {
    AnsichtenRegister ansichten;
    AlleAnsichten::registriere(ansichten);
    return RenderHarness(ansichten).laufeUndMelde(auftrag);
}

int laufeAlsZweite(const EinzelInstanz& instanz, bool umschalten) {
    if (umschalten) {
        const bool erreicht = instanz.schalteErsteUm();
        if (!erreicht) {
            QTextStream(stdout) << "Parlix is already running but does not answer.\n";
        }
        return erreicht ? 0 : 1;
    }
    const bool geweckt = instanz.weckeErste();
    QTextStream(stdout) << (geweckt ? "Parlix is already running; its status panel is shown.\n"
                                    : "Parlix is already running but does not answer.\n");
    return geweckt ? 0 : 1;
}

// The local server gets the providers the user set up, at start and after every change;
// while a recording waits for it, the HUD says that it failed.
void verbindeServer(LokalerServer& server, AppDelegate& delegate, DefaultsStore& speicher) {
    QObject::connect(&delegate, &AppDelegate::anbieterGeaendert, &server,
                     &LokalerServer::setzeAnbieter);
    QObject::connect(&server, &LokalerServer::ausgefallen, &delegate,
                     [&delegate, &speicher](const QString& grund) {
                         if (delegate.coordinator().aktiv()) {
                             delegate.coordinator().zeigeFehler(Texte(speicher).text(grund));
                         }
                     });
}

// The running program until it is quit or sent SIGTERM or SIGINT.
int laufeAnwendung(DefaultsStore& speicher, EinzelInstanz& instanz, const PlattformLader& lader,
                   const std::optional<QUrl>& backend) {
    // First, so that a signal during the start-up also ends the program in order.
    SignalBeender signale;
    QObject::connect(&signale, &SignalBeender::beenden, qApp, [](int signal) {
        log().schreibe(u"Signal %1 erhalten, Parlix wird beendet"_s.arg(signal));
        QCoreApplication::quit();
    });
    // Only the first instance gets here, so there is one server per session; it goes last.
    const std::unique_ptr<LokalerServer> server = starteBackend(speicher, backend);
    NetzFaden netz; // outlives the queue, whose jobs may hold a stream
    QtMainQueue mainQueue;
    const std::unique_ptr<Plattform> plattform = lader(speicher, mainQueue);
    Updater updater(mainQueue);
    AppDelegate delegate({mainQueue, speicher, HttpTransport::geteilt(), netz, *plattform, QUrl(),
                          TokenSpeicher::datei(), &baueFenster,
                          [&updater] { updater.starteAutomatik(); }});
    if (server) {
        verbindeServer(*server, delegate, speicher);
    }
    QObject::connect(&instanz, &EinzelInstanz::geweckt, &delegate, &AppDelegate::zeigeStatusPanel);
    QObject::connect(&instanz, &EinzelInstanz::umschalten, &delegate,
                     &AppDelegate::umschalteDiktat);
    delegate.starte();
    const int code = QApplication::exec();
    delegate.fahreHerunter();
    log().schreibe(u"App beendet"_s);
    return code;
}

} // namespace

int laufe(int argc, char** argv, const PlattformLader& lader) {
    // The accessibility thread runs GLib's default context, so Qt's loop must not; the
    // programs Parlix starts do not inherit the setting.
    qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    qunsetenv("QT_NO_GLIB");
    richteAnwendungEin(app);
    // Another log file than the usual one (tests run the program without touching it).
    if (const QString logDatei = qEnvironmentVariable("PARLIX_LOG"); !logDatei.isEmpty()) {
        setzeLogPfad(logDatei);
    }
    DateiDefaultsStore speicher(DateiDefaultsStore::standardPfad());

    const Texte texte(speicher);
    QLocale::setDefault(QLocale(texte.sprache()));
    const Optionen optionen = liesOptionen(app, texte);
    if (!optionen.gueltig) {
        return fehlerCode;
    }

    QString renderFehler;
    if (const auto auftrag = RenderHarness::ausUmgebung(QProcessEnvironment::systemEnvironment(),
                                                        texte.sprache(), &renderFehler)) {
        if (!renderFehler.isEmpty()) {
            QTextStream(stderr) << renderFehler << '\n';
            return fehlerCode;
        }
        return zeichneAnsichten(*auftrag);
    }

    EinzelInstanz instanz;
    if (!instanz.werdeErste()) {
        return laufeAlsZweite(instanz, optionen.umschalten);
    }

    return laufeAnwendung(speicher, instanz, lader, optionen.backend);
}

} // namespace parlix::Programm
