#pragma once

#include <QRect>
#include <optional>

namespace parlix {

// Where the window with the keyboard focus is, so that the overlays appear on the
// screen the user is working on.
class FokusOrt {
public:
    virtual ~FokusOrt() = default;

    // The focused top-level window's frame in desktop coordinates; nothing when no
    // window has the focus or its place cannot be read. Main thread; returns at once.
    virtual std::optional<QRect> fokusFenster() = 0;
};

} // namespace parlix
