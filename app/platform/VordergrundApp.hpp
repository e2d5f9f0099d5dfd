#pragma once

#include <QString>
#include <optional>

namespace parlix {

// Which application the user works in.
class VordergrundApp {
public:
    virtual ~VordergrundApp() = default;

    // The application id of the active window (e.g. "org.gnome.TextEditor", "firefox"),
    // or nothing when no window is active or it has no id. Main thread; returns at once.
    virtual std::optional<QString> anwendungsID() = 0;

    // The process that shows the active window, where the desktop tells it; nothing
    // when it does not (a window of another machine, a compositor without such a probe).
    // Same thread rules as anwendungsID().
    virtual std::optional<qint64> prozess() { return std::nullopt; }
};

} // namespace parlix
