#pragma once

#include "app/platform/x11/XVerbindung.hpp"

#include <QString>
#include <optional>

namespace parlix::test {

class KopflosesDesktop;

// The clipboard of a desktop as another application sees it: what the user copied, what
// a paste would insert, and how often an application took it over (which shows when a
// paste and the putting back of the user's text have happened).
class Ablage {
public:
    explicit Ablage(KopflosesDesktop& desktop);

    // Another application (xclip) copies `text` and offers it until something else is
    // copied.
    bool kopiere(const QString& text);
    // The clipboard's text; absent when it holds none.
    std::optional<QString> text() const;
    // How often an application became the clipboard's owner since this object exists.
    int wechsel();

private:
    KopflosesDesktop& desktop_;
    std::optional<XVerbindung> verbindung_;
    int ereignisBasis_ = 0;
    int wechsel_ = 0;
};

} // namespace parlix::test
