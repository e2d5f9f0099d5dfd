#include "app/lader/PlattformLader.hpp"
#include "app/maintenance/Updater.hpp"
#include "app/start/Programm.hpp"

#include <QTextStream>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    // Answered before any window system is touched, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        QTextStream(stdout) << "Parlix " << parlix::Updater::aktuelleVersion() << "\n";
        return 0;
    }
    std::vector<char*> argumente(argv, argv + argc);
    char platform[] = "-platform";
    char xcb[] = "xcb";
    if (parlix::PlattformLader::qtUeberXWayland()) {
        // An argument, not the environment, so the programs Parlix starts draw as they like.
        argumente.insert(argumente.begin() + 1, {platform, xcb});
    }
    const int anzahl = static_cast<int>(argumente.size());
    argumente.push_back(nullptr);
    return parlix::Programm::laufe(anzahl, argumente.data(), &parlix::PlattformLader::lade);
}
