#include "app/start/Programm.hpp"

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
#include "core/account/AuthClient.hpp"
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
};

// --backend URL: the root of the backend to use instead of the built-in one.
Optionen liesOptionen(const QApplication& app) {
    QCommandLineParser optionen;
    optionen.setApplicationDescription(u"Parlix: dictation for the Linux desktop."_s);
    optionen.addHelpOption();
    optionen.addOption({u"backend"_s,
                        u"Root URL of the Parlix backend to use (http or https), e.g. "
                        u"http://127.0.0.1:8000 for a local parlix-server."_s,
                        u"url"_s});
    optionen.addOption({u"toggle"_s, u"Start a dictation in the running Parlix, or stop the one "
                                     u"being recorded. Bind it to a key in your desktop's "
                                     u"shortcut settings where Parlix gets no global keys."_s});
    optionen.process(app);
    const bool umschalten = optionen.isSet(u"toggle"_s);
    if (!optionen.isSet(u"backend"_s)) {
        return {true, umschalten};
    }
    const QUrl wurzel(optionen.value(u"backend"_s), QUrl::StrictMode);
    if (!wurzel.isValid() || wurzel.host().isEmpty() ||
        (wurzel.scheme() != u"http"_s && wurzel.scheme() != u"https"_s)) {
        QTextStream(stderr) << "parlix: --backend needs an http or https URL with a host, e.g. "
                               "http://127.0.0.1:8000\n";
        return {false, umschalten};
    }
    setzeBackendWurzel(wurzel);
    return {true, umschalten};
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

// The running program until it is quit or sent SIGTERM or SIGINT.
int laufeAnwendung(DefaultsStore& speicher, EinzelInstanz& instanz, const PlattformLader& lader) {
    // First, so that a signal during the start-up also ends the program in order.
    SignalBeender signale;
    QObject::connect(&signale, &SignalBeender::beenden, qApp, [](int signal) {
        log().schreibe(u"Signal %1 erhalten, Parlix wird beendet"_s.arg(signal));
        QCoreApplication::quit();
    });
    NetzFaden netz; // outlives the queue, whose jobs may hold a stream
    QtMainQueue mainQueue;
    const std::unique_ptr<Plattform> plattform = lader(speicher, mainQueue);
    Updater updater(mainQueue);
    AppDelegate delegate({mainQueue, speicher, HttpTransport::geteilt(), netz, *plattform,
                          AuthClient::proxyBasis(), TokenSpeicher::datei(), &baueFenster,
                          [&updater] { updater.starteAutomatik(); }});
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
    const Optionen optionen = liesOptionen(app);
    if (!optionen.gueltig) {
        return fehlerCode;
    }
    // Another log file than the usual one (tests run the program without touching it).
    if (const QString logDatei = qEnvironmentVariable("PARLIX_LOG"); !logDatei.isEmpty()) {
        setzeLogPfad(logDatei);
    }
    DateiDefaultsStore speicher(DateiDefaultsStore::standardPfad());

    const Texte texte(speicher);
    QLocale::setDefault(QLocale(texte.sprache()));

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

    return laufeAnwendung(speicher, instanz, lader);
}

} // namespace parlix::Programm
