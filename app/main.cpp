#include "core/log/DateiLog.hpp"
#include "core/settings/DateiDefaultsStore.hpp"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Parlix"));

    parlix::DateiDefaultsStore speicher(parlix::DateiDefaultsStore::standardPfad());
    parlix::log().schreibe(QStringLiteral("App gestartet (noch ohne Oberfläche)"));

    QTextStream(stdout) << "Parlix: settings in " << speicher.pfad() << ", log in "
                        << parlix::log().pfad() << ".\n"
                        << "The windows, hotkeys and recording are not wired into the "
                           "application yet.\n";
    return 0;
}
