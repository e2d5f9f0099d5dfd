#pragma once

#include <QString>
#include <optional>

namespace parlix::test {

class KopflosesDesktop;

// The clipboard of a desktop as another application sees it (xclip): what the user
// copied and what a paste would insert.
class Ablage {
public:
    explicit Ablage(KopflosesDesktop& desktop)
        : desktop_(desktop) {}

    // Another application copies `text` and keeps offering it until something else is
    // copied.
    bool kopiere(const QString& text);
    // The clipboard's text; absent when it holds none.
    std::optional<QString> text() const;

private:
    KopflosesDesktop& desktop_;
};

} // namespace parlix::test
