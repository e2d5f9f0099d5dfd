#include "bench/kennzahlen/KennzahlenDatei.hpp"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <optional>

using namespace Qt::StringLiterals;

namespace parlix::bench::KennzahlenDatei {

namespace {

// Every figure here is better when smaller; a rise of more than this is flagged.
constexpr double kSchwelle = 0.10;

QString zahl(double wert) {
    return QString::number(wert, 'f', wert < 10 ? 2 : 1);
}

QString aenderung(double wert, std::optional<double> vorher) {
    if (!vorher || *vorher <= 0) {
        return u"–"_s;
    }
    const double anteil = (wert - *vorher) / *vorher;
    const QString text =
        (anteil >= 0 ? u"+"_s : QString()) + QString::number(anteil * 100, 'f', 0) + u" %"_s;
    return anteil > kSchwelle ? u"⚠ "_s + text + u" slower"_s : text;
}

const QString kAnfang = u"<!-- parlix_kennzahlen: start -->\n"_s;
const QString kEnde = u"<!-- parlix_kennzahlen: end -->\n"_s;

// Where the block sits in `text`, markers included: nothing when there is none; an empty
// range for broken markers.
struct Lage {
    qsizetype anfang = -1;
    qsizetype ende = -1;
    bool kaputt() const { return anfang < 0 || ende < anfang; }
};

std::optional<Lage> findeBlock(const QString& text) {
    const qsizetype anfang = text.indexOf(kAnfang);
    const qsizetype ende = text.indexOf(kEnde);
    if (anfang < 0 && ende < 0) {
        return std::nullopt;
    }
    if (anfang < 0 || ende < 0 || ende < anfang || text.count(kAnfang) != 1 ||
        text.count(kEnde) != 1) {
        return Lage{};
    }
    return Lage{anfang, ende + kEnde.size()};
}

std::optional<QString> liesText(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return QString::fromUtf8(datei.readAll());
}

} // namespace

std::optional<QString> setzeBlockEin(const QString& alt, const QString& block) {
    const QString eingerahmt = kAnfang + block + kEnde;
    const std::optional<Lage> lage = findeBlock(alt);
    if (!lage) {
        return alt.isEmpty() ? eingerahmt : eingerahmt + u'\n' + alt;
    }
    if (lage->kaputt()) {
        return std::nullopt;
    }
    return QString(alt).replace(lage->anfang, lage->ende - lage->anfang, eingerahmt);
}

QMap<QString, double> liesWerte(const QString& pfad) {
    QMap<QString, double> werte;
    QString text = liesText(pfad).value_or(QString());
    if (const std::optional<Lage> lage = findeBlock(text); lage && !lage->kaputt()) {
        text = text.mid(lage->anfang, lage->ende - lage->anfang);
    }
    // | title | `key` | value unit | previous | change | note |
    static const QRegularExpression zeile(uR"(^\|[^|]*\|\s*`([^`]+)`\s*\|\s*([0-9.]+))"_s);
    for (const QString& inhalt : text.split(u'\n')) {
        if (const auto treffer = zeile.match(inhalt); treffer.hasMatch()) {
            werte.insert(treffer.captured(1), treffer.captured(2).toDouble());
        }
    }
    return werte;
}

bool schreibe(const QString& pfad, const QList<Kennzahl>& kennzahlen,
              const QMap<QString, double>& vorher, const QStringList& umstaende) {
    QString text = u"# Parlix: figures users feel\n\n"
                   "Written by `scripts/kennzahlen` (the program `bench/kennzahlen`): the real "
                   "`parlix` of a Release build in a headless desktop (Xvfb, openbox, a tray), "
                   "a private PulseAudio fed like a microphone, and the reference server on "
                   "loopback answering at once. Each run compares with the values this file held "
                   "before; a figure more than 10 % above its previous value is flagged.\n\n"_s;
    for (const QString& umstand : umstaende) {
        text += u"- "_s + umstand + u'\n';
    }
    text += u"\n| figure | key | value | previous | change | how |\n"
            "|---|---|---|---|---|---|\n"_s;
    for (const Kennzahl& k : kennzahlen) {
        const std::optional<double> alt =
            vorher.contains(k.schluessel) ? std::optional(vorher[k.schluessel]) : std::nullopt;
        text += u"| %1 | `%2` | %3 %4 | %5 | %6 | %7 |\n"_s.arg(
            k.titel, k.schluessel, zahl(k.wert), k.einheit,
            alt ? zahl(*alt) + u' ' + k.einheit : u"–"_s, aenderung(k.wert, alt), k.anmerkung);
    }
    const std::optional<QString> alt =
        QFileInfo::exists(pfad) ? liesText(pfad) : std::optional(QString());
    const std::optional<QString> neu = alt ? setzeBlockEin(*alt, text) : std::nullopt;
    QSaveFile datei(pfad);
    if (!neu || !datei.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = neu->toUtf8();
    if (datei.write(bytes) != bytes.size()) {
        datei.cancelWriting();
        return false;
    }
    return datei.commit();
}

} // namespace parlix::bench::KennzahlenDatei
