#include "app/maintenance/Updater.hpp"
#include "core/log/DateiLog.hpp"
#include "core/settings/DateiDefaultsStore.hpp"

#include <QCoreApplication>
#include <QTextStream>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before any window system is touched, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        QTextStream(stdout) << "Parlix " << parlix::Updater::aktuelleVersion() << "\n";
        return 0;
    }
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
