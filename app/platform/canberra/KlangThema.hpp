#pragma once

#include <QString>

namespace parlix {

// The name of the desktop's sound theme, so that our event sounds follow the user's
// choice: KDE's kdeglobals on Plasma, else the GNOME setting (read with gsettings, which
// GNOME, Cinnamon, Budgie and others share), else "freedesktop". May start a short-lived
// process: call it off the main thread.
class KlangThema {
public:
    static QString ermittle();
};

} // namespace parlix
