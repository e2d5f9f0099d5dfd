#include "app/lader/PlattformLader.hpp"
#include "app/maintenance/Updater.hpp"
#include "app/start/Programm.hpp"

#include <QTextStream>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before any window system is touched, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        QTextStream(stdout) << "Parlix " << parlix::Updater::aktuelleVersion() << "\n";
        return 0;
    }
    return parlix::Programm::laufe(argc, argv, &parlix::PlattformLader::lade);
}
