#pragma once

#include <QByteArray>
#include <optional>

namespace parlix {

// A screenshot of the frontmost application's front window.
class FensterFoto {
public:
    virtual ~FensterFoto() = default;

    // The window at full resolution as PNG bytes, or nothing when there is no such
    // window or it cannot be captured. Called on the pipeline thread; may block.
    virtual std::optional<QByteArray> fensterScreenshot() = 0;
};

} // namespace parlix
