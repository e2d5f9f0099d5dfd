#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <mutex>
#include <optional>
#include <variant>

namespace parlix {

// The per-user defaults store that every setting is read through. Values keep their
// kind: text, bool, integer, real or data (bytes). Safe to use from any thread.
//
// The typed reads follow the conversions the settings rely on:
// - text(): a text, or a number as its decimal text;
// - flag(): lenient; numbers are true when non-zero, texts when they begin (after
//   blanks, an optional sign and zeros) with Y, y, T, t or a digit 1-9;
// - strengerFlag(), ganzzahl(), reell(): only a stored value of a fitting kind
//   (a bool or a number that converts exactly), otherwise absent;
// - daten(): only stored data.
//
// A real that is not finite is refused (logged, nothing changes): no file format could
// keep it.
class DefaultsStore {
public:
    using Wert = std::variant<QString, bool, qint64, double, QByteArray>;
    using Werte = QMap<QString, Wert>;

    DefaultsStore() = default;
    virtual ~DefaultsStore() = default;
    DefaultsStore(const DefaultsStore&) = delete;
    DefaultsStore& operator=(const DefaultsStore&) = delete;

    std::optional<Wert> objekt(const QString& schluessel) const;
    bool enthaelt(const QString& schluessel) const;

    std::optional<QString> text(const QString& schluessel) const;
    bool flag(const QString& schluessel) const;
    std::optional<bool> strengerFlag(const QString& schluessel) const;
    std::optional<qint64> ganzzahl(const QString& schluessel) const;
    std::optional<double> reell(const QString& schluessel) const;
    std::optional<QByteArray> daten(const QString& schluessel) const;

    void setzeText(const QString& schluessel, const QString& wert);
    void setzeFlag(const QString& schluessel, bool wert);
    void setzeGanzzahl(const QString& schluessel, qint64 wert);
    void setzeReell(const QString& schluessel, double wert);
    void setzeDaten(const QString& schluessel, const QByteArray& wert);
    void setze(const QString& schluessel, const Wert& wert);
    void entferne(const QString& schluessel);

protected:
    // Called after every change with the complete new content. Calls are serialised and
    // never go back to an older state than one already persisted.
    virtual void persistiere(const Werte& werte) = 0;
    // Replaces the content without persisting; for loading.
    void uebernimm(Werte werte);

private:
    void schreibe(const Werte& stand, quint64 nummer);

    mutable std::mutex sperre_;
    Werte werte_;
    quint64 aenderungen_ = 0;
    std::mutex schreibSperre_;
    quint64 geschrieben_ = 0;
};

} // namespace parlix
