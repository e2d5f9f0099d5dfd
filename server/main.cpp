#include "server/Dienste.hpp"
#include "server/ReferenzServer.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"parlix-server"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(PARLIX_VERSION));

    QCommandLineParser optionen;
    optionen.setApplicationDescription(
        u"Reference backend for Parlix. Upstream providers come from the environment: "
        "PARLIX_UPSTREAM_GROQ_URL/_KEY and PARLIX_UPSTREAM_MISTRAL_URL/_KEY."_s);
    optionen.addHelpOption();
    optionen.addOptions({
        {u"adresse"_s, u"Address to listen on."_s, u"adresse"_s, u"127.0.0.1"_s},
        {u"port"_s, u"Port to listen on."_s, u"port"_s, u"8000"_s},
        {u"daten"_s, u"Folder for the accounts file."_s, u"ordner"_s,
         QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
             u"/parlix-server"_s},
        {u"version"_s, u"Version served by /version."_s, u"version"_s,
         QStringLiteral(PARLIX_VERSION)},
        {u"archiv"_s, u"Zip file served by /download/parlix.zip."_s, u"datei"_s},
    });
    optionen.process(app);

    QTextStream ausgabe(stdout);
    QDir().mkpath(optionen.value(u"daten"_s));
    parlix::Dienste dienste({
        QDir(optionen.value(u"daten"_s)).filePath(u"konten.json"_s),
        [&ausgabe](const QString& email, const QString& code) {
            ausgabe << "Reset-Code für " << email << ": " << code << Qt::endl;
        },
        parlix::Relais::ausUmgebung(),
        optionen.value(u"version"_s),
        optionen.value(u"archiv"_s),
    });
    parlix::ReferenzServer server(dienste);
    const quint16 port = server.lausche(QHostAddress(optionen.value(u"adresse"_s)),
                                        optionen.value(u"port"_s).toUShort());
    if (port == 0) {
        QTextStream(stderr) << "Kann nicht lauschen auf " << optionen.value(u"adresse"_s) << ":"
                            << optionen.value(u"port"_s) << Qt::endl;
        return 1;
    }
    ausgabe << "parlix-server lauscht auf http://" << optionen.value(u"adresse"_s) << ":" << port
            << Qt::endl;
    return QCoreApplication::exec();
}
