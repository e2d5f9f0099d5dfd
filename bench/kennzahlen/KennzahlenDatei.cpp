#include "bench/kennzahlen/KennzahlenDatei.hpp"

#include <QFile>
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

} // namespace

QMap<QString, double> liesWerte(const QString& pfad) {
    QFile datei(pfad);
    QMap<QString, double> werte;
    if (!datei.open(QIODevice::ReadOnly)) {
        return werte;
    }
    // | title | `key` | value unit | previous | change | note |
    static const QRegularExpression zeile(uR"(^\|[^|]*\|\s*`([^`]+)`\s*\|\s*([0-9.]+))"_s);
    for (const QString& text : QString::fromUtf8(datei.readAll()).split(u'\n')) {
        if (const auto treffer = zeile.match(text); treffer.hasMatch()) {
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
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (datei.write(bytes) != bytes.size()) {
        datei.cancelWriting();
        return false;
    }
    return datei.commit();
}

} // namespace parlix::bench::KennzahlenDatei
