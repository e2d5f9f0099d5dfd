#pragma once

#include "app/platform/Kopierablage.hpp"
#include "app/platform/x11/X11Ablage.hpp"

namespace parlix {

// The X11 clipboard through the same selection the paste writes; the text is not marked
// for clipboard managers, since the user copies it to keep.
class X11Kopierablage final : public Kopierablage {
public:
    bool kopiere(const QString& text) override;

private:
    Zwischenablage ablage_{QClipboard::Clipboard};
};

} // namespace parlix
