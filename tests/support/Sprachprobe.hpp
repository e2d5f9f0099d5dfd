#pragma once

#include <QByteArray>
#include <QString>

namespace parlix::test {

// Test audio in the shared recording format (s16le, 16000 Hz, mono, no header).
class Sprachprobe {
public:
    // The sentence spoken by espeak-ng; empty if it could not be made.
    static QByteArray sprich(const QString& satz, const QString& stimme = QStringLiteral("de"));
    // Any sound file sox can read, converted; empty on failure.
    static QByteArray ausDatei(const QString& pfad);
};

} // namespace parlix::test
