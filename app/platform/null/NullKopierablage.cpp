#include "app/platform/null/NullKopierablage.hpp"

#include <QClipboard>
#include <QGuiApplication>

namespace parlix {

bool NullKopierablage::kopiere(const QString& text) {
    QClipboard& ablage = *QGuiApplication::clipboard();
    ablage.setText(text);
    return ablage.text() == text;
}

} // namespace parlix
