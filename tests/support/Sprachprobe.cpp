#include "tests/support/Sprachprobe.hpp"

#include "app/platform/KindProzess.hpp"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

QByteArray fuehreAus(const QString& programm, const QStringList& argumente) {
    return KindProzess::ausgabe(programm, argumente, std::chrono::seconds(30))
        .value_or(QByteArray());
}

} // namespace

QByteArray Sprachprobe::sprich(const QString& satz, const QString& stimme) {
    QTemporaryDir verzeichnis;
    const QString wav = verzeichnis.filePath(u"satz.wav"_s);
    fuehreAus(u"espeak-ng"_s, {u"-v"_s, stimme, u"-w"_s, wav, satz});
    return ausDatei(wav);
}

QByteArray Sprachprobe::ausDatei(const QString& pfad) {
    return fuehreAus(u"sox"_s, {pfad, u"-t"_s, u"raw"_s, u"-r"_s, u"16000"_s, u"-e"_s, u"signed"_s,
                                u"-b"_s, u"16"_s, u"-c"_s, u"1"_s, u"-L"_s, u"-"_s});
}

} // namespace parlix::test
