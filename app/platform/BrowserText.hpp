#pragma once

#include <QString>

namespace parlix {

// The visible text of the page in the frontmost browser window.
class BrowserText {
public:
    virtual ~BrowserText() = default;

    // The page text, trimmed; "" when the frontmost application is no supported browser
    // (see Browser::unterstuetzt) or the text cannot be read. Called on the pipeline
    // thread; may block.
    virtual QString seitentext() = 0;
};

} // namespace parlix
