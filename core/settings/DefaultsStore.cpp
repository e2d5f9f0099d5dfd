#include "core/settings/DefaultsStore.hpp"

#include "core/log/DateiLog.hpp"
#include "core/util/Besucher.hpp"

#include <QLocale>
#include <cmath>

namespace parlix {

namespace {

// The platform's text-to-bool rule: skip leading blanks, an optional sign and zeros,
// then true exactly on Y, y, T, t or a digit 1-9.
bool textAlsFlag(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace()) {
        ++i;
    }
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        ++i;
    }
    while (i < text.size() && text.at(i) == QLatin1Char('0')) {
        ++i;
    }
    if (i >= text.size()) {
        return false;
    }
    const QChar c = text.at(i);
    return QStringLiteral("YyTt123456789").contains(c);
}

std::optional<qint64> exakteGanzzahl(double d) {
    // 2^63 is exactly representable; anything at or above it does not fit.
    constexpr double grenze = 9223372036854775808.0;
    if (!std::isfinite(d) || d != std::trunc(d) || d < -grenze || d >= grenze) {
        return std::nullopt;
    }
    return static_cast<qint64>(d);
}

} // namespace

std::optional<DefaultsStore::Wert> DefaultsStore::objekt(const QString& schluessel) const {
    std::lock_guard sperre(sperre_);
    const auto it = werte_.constFind(schluessel);
    if (it == werte_.constEnd()) {
        return std::nullopt;
    }
    return *it;
}

bool DefaultsStore::enthaelt(const QString& schluessel) const {
    return objekt(schluessel).has_value();
}

std::optional<QString> DefaultsStore::text(const QString& schluessel) const {
    const auto wert = objekt(schluessel);
    if (!wert) {
        return std::nullopt;
    }
    return std::visit(
        Besucher{[](const QString& t) -> std::optional<QString> { return t; },
                 [](bool b) -> std::optional<QString> {
                     return b ? QStringLiteral("1") : QStringLiteral("0");
                 },
                 [](qint64 i) -> std::optional<QString> { return QString::number(i); },
                 [](double d) -> std::optional<QString> {
                     return QString::number(d, 'g', QLocale::FloatingPointShortest);
                 },
                 [](const QByteArray&) -> std::optional<QString> { return std::nullopt; }},
        *wert);
}

bool DefaultsStore::flag(const QString& schluessel) const {
    const auto wert = objekt(schluessel);
    if (!wert) {
        return false;
    }
    return std::visit(Besucher{[](const QString& t) { return textAlsFlag(t); },
                               [](bool b) { return b; }, [](qint64 i) { return i != 0; },
                               [](double d) { return d != 0.0; },
                               [](const QByteArray&) { return false; }},
                      *wert);
}

std::optional<bool> DefaultsStore::strengerFlag(const QString& schluessel) const {
    const auto wert = objekt(schluessel);
    if (!wert) {
        return std::nullopt;
    }
    return std::visit(
        Besucher{[](bool b) -> std::optional<bool> { return b; },
                 [](qint64 i) -> std::optional<bool> {
                     return (i == 0 || i == 1) ? std::optional<bool>(i == 1) : std::nullopt;
                 },
                 [](double d) -> std::optional<bool> {
                     return (d == 0.0 || d == 1.0) ? std::optional<bool>(d == 1.0) : std::nullopt;
                 },
                 [](const auto&) -> std::optional<bool> { return std::nullopt; }},
        *wert);
}

std::optional<qint64> DefaultsStore::ganzzahl(const QString& schluessel) const {
    const auto wert = objekt(schluessel);
    if (!wert) {
        return std::nullopt;
    }
    return std::visit(Besucher{[](bool b) -> std::optional<qint64> { return b ? 1 : 0; },
                               [](qint64 i) -> std::optional<qint64> { return i; },
                               [](double d) { return exakteGanzzahl(d); },
                               [](const auto&) -> std::optional<qint64> { return std::nullopt; }},
                      *wert);
}

std::optional<double> DefaultsStore::reell(const QString& schluessel) const {
    const auto wert = objekt(schluessel);
    if (!wert) {
        return std::nullopt;
    }
    return std::visit(
        Besucher{[](bool b) -> std::optional<double> { return b ? 1.0 : 0.0; },
                 [](qint64 i) -> std::optional<double> { return static_cast<double>(i); },
                 [](double d) -> std::optional<double> { return d; },
                 [](const auto&) -> std::optional<double> { return std::nullopt; }},
        *wert);
}

std::optional<QByteArray> DefaultsStore::daten(const QString& schluessel) const {
    const auto wert = objekt(schluessel);
    if (!wert || !std::holds_alternative<QByteArray>(*wert)) {
        return std::nullopt;
    }
    return std::get<QByteArray>(*wert);
}

void DefaultsStore::setzeText(const QString& schluessel, const QString& wert) {
    setze(schluessel, Wert(wert));
}
void DefaultsStore::setzeFlag(const QString& schluessel, bool wert) {
    setze(schluessel, Wert(wert));
}
void DefaultsStore::setzeGanzzahl(const QString& schluessel, qint64 wert) {
    setze(schluessel, Wert(wert));
}
void DefaultsStore::setzeReell(const QString& schluessel, double wert) {
    setze(schluessel, Wert(wert));
}
void DefaultsStore::setzeDaten(const QString& schluessel, const QByteArray& wert) {
    setze(schluessel, Wert(wert));
}

void DefaultsStore::setze(const QString& schluessel, const Wert& wert) {
    // JSON knows no infinity or NaN: stored, such a value would come back as null.
    if (const auto* reell = std::get_if<double>(&wert); reell && !std::isfinite(*reell)) {
        log().schreibe(QStringLiteral("FEHLER: Einstellung %1 nicht gespeichert: %2 ist keine "
                                      "endliche Zahl")
                           .arg(schluessel)
                           .arg(*reell));
        return;
    }
    Werte stand;
    quint64 nummer = 0;
    {
        std::lock_guard sperre(sperre_);
        werte_.insert(schluessel, wert);
        stand = werte_;
        nummer = ++aenderungen_;
    }
    schreibe(stand, nummer);
}

void DefaultsStore::entferne(const QString& schluessel) {
    Werte stand;
    quint64 nummer = 0;
    {
        std::lock_guard sperre(sperre_);
        if (werte_.remove(schluessel) == 0) {
            return;
        }
        stand = werte_;
        nummer = ++aenderungen_;
    }
    schreibe(stand, nummer);
}

// Persists outside the value lock so that readers (the key thread among them) never wait
// for the disk. A writer that lost the race to a newer state skips its older one.
void DefaultsStore::schreibe(const Werte& stand, quint64 nummer) {
    std::lock_guard sperre(schreibSperre_);
    if (nummer <= geschrieben_) {
        return;
    }
    persistiere(stand);
    geschrieben_ = nummer;
}

void DefaultsStore::uebernimm(Werte werte) {
    std::lock_guard sperre(sperre_);
    werte_ = std::move(werte);
}

} // namespace parlix
