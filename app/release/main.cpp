// parlix-release: makes the update archive that the backend serves as
// "download/parlix.zip" from a program folder (the unpacked per-user archive), with the
// manifest of its files signed by the vendor's private key.

#include "app/maintenance/Installation.hpp"
#include "app/maintenance/Manifest.hpp"
#include "app/maintenance/Signatur.hpp"
#include "app/maintenance/UpdateArchiv.hpp"
#include "app/maintenance/UpdatePaket.hpp"
#include "app/maintenance/UpdateVerworfen.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace parlix;

namespace {

QByteArray liesSchluessel(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        throw UpdateVerworfen(u"Schlüssel unlesbar: "_s + pfad);
    }
    return datei.readAll();
}

void pruefeProgrammordner(const QString& ordner) {
    const QDir dir(ordner);
    for (const char* datei :
         {Installation::programm, Installation::kennung, Installation::versionDatei}) {
        if (!QFileInfo(dir.filePath(QLatin1String(datei))).isFile()) {
            throw UpdateVerworfen(u"kein Programmordner (es fehlt "_s + QLatin1String(datei) +
                                  u"): "_s + ordner);
        }
    }
}

void erstelle(const QString& ordner, const QString& schluesselDatei, const QString& ziel) {
    pruefeProgrammordner(ordner);
    const auto dateien = UpdatePaket::signiere(ordner, liesSchluessel(schluesselDatei));
    // An archive that this build's programs would refuse is no release.
    if (!Signatur::pruefe(dateien.at(QLatin1String(Manifest::datei)),
                          dateien.at(QLatin1String(Manifest::signaturDatei)),
                          UpdatePaket::herstellerSchluessel())) {
        throw UpdateVerworfen(u"der Schlüssel passt nicht zum Herstellerschlüssel dieses Builds "
                              "(PARLIX_UPDATE_SCHLUESSEL)"_s);
    }
    UpdateArchiv::packe(ordner, u"parlix"_s, dateien, ziel);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"parlix-release"_s);
    QCommandLineParser optionen;
    optionen.setApplicationDescription(
        u"Makes the signed update archive (download/parlix.zip) from a program folder."_s);
    optionen.addHelpOption();
    optionen.addOption({u"schluessel"_s, u"The vendor's Ed25519 private key (PEM)."_s, u"datei"_s});
    optionen.addPositionalArgument(u"ordner"_s, u"The program folder (holds bin/parlix)."_s);
    optionen.addPositionalArgument(u"archiv"_s, u"The zip file to write."_s);
    optionen.process(app);
    const QStringList argumente = optionen.positionalArguments();
    if (argumente.size() != 2 || !optionen.isSet(u"schluessel"_s)) {
        optionen.showHelp(2);
    }
    try {
        erstelle(argumente[0], optionen.value(u"schluessel"_s), argumente[1]);
    } catch (const UpdateVerworfen& fehler) {
        QTextStream(stderr) << "parlix-release: " << fehler.grund() << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << argumente[1] << Qt::endl;
    return 0;
}
