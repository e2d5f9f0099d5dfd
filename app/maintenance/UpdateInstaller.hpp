#pragma once

#include <QString>

namespace parlix {

// Swaps the installation folder for a verified new one after this process has ended.
class UpdateInstaller {
public:
    struct Auftrag {
        QString installation; // the folder replaced (it holds bin/parlix)
        QString neu;          // the verified new folder
        QString arbeit;       // the private folder of this update; removed at the end
        qint64 pid = 0;       // the swap starts once this process has ended
    };

    // The shell commands of the swap. Every path is one single-quoted shell word, so
    // spaces, quotes and $ in it are taken literally.
    static QString befehle(const Auftrag& auftrag);

    // Starts the swap (Nachlauf) and logs it. False, logged, when it could not be started;
    // the program then keeps running unchanged.
    static bool installiereUndStarteNeu(const Auftrag& auftrag);
};

} // namespace parlix
