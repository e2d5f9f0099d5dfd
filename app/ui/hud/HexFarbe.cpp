#include "app/ui/hud/HexFarbe.hpp"

#include <algorithm>

namespace parlix {

namespace {

bool istHexZiffer(QChar zeichen) {
    return (zeichen >= u'0' && zeichen <= u'9') || (zeichen >= u'a' && zeichen <= u'f') ||
           (zeichen >= u'A' && zeichen <= u'F');
}

} // namespace

QColor farbeAusHex(const QString& hex) {
    QString ziffern = hex.trimmed();
    if (ziffern.startsWith(u'#')) {
        ziffern.remove(0, 1);
    }
    // Checked by hand: toUInt would also take a sign or a "0x" prefix.
    if (ziffern.size() != 6 || !std::all_of(ziffern.cbegin(), ziffern.cend(), istHexZiffer)) {
        return QColor::fromRgbF(0.31f, 0.71f, 1.0f);
    }
    const uint wert = ziffern.toUInt(nullptr, 16);
    return QColor::fromRgb(static_cast<int>((wert >> 16) & 0xFF),
                           static_cast<int>((wert >> 8) & 0xFF), static_cast<int>(wert & 0xFF));
}

} // namespace parlix
