#pragma once

#include <QString>

namespace parlix {

// The live words of a streamed recording as the recording coordinator drives them. Main
// thread.
class LiveAnzeige {
public:
    virtual ~LiveAnzeige() = default;

    // Clears the previous recording's words, then shows the box.
    virtual void zeige() = 0;
    // The transcript so far.
    virtual void setze(const QString& bisher) = 0;
    virtual void verstecke() = 0;
};

} // namespace parlix
