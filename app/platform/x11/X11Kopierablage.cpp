#include "app/platform/x11/X11Kopierablage.hpp"

namespace parlix {

bool X11Kopierablage::kopiere(const QString& text) {
    ablage_.setze(text);
    // Another client may hold the selection against us; then it reads differently.
    return ablage_.text() == text;
}

} // namespace parlix
