#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace parlix {

// The words of the live transcript, each with an id that stays while the word stays,
// so that only new or changed words animate in. Main thread only.
class LiveBoxModel final : public QObject {
    Q_OBJECT

public:
    struct Wort {
        qint64 id;
        QString text;

        bool operator==(const Wort&) const = default;
    };

    // How many of the newest words the box shows.
    static constexpr qsizetype sichtbar = 12;

    const QList<Wort>& woerter() const { return woerter_; }
    // The last id handed out; it only grows, so an id is never reused.
    qint64 zaehler() const { return zaehler_; }

    // Rebuilds the words from the whole transcript so far, split at spaces (U+0020;
    // other white space stays inside words). A word equal to the one at the same
    // position keeps its id; every other word gets a new one.
    void setze(const QString& text);
    // No words; the counter stays.
    void leere();
    // The last `sichtbar` words (all when there are fewer), in text order.
    QList<Wort> sichtbareWoerter() const;

signals:
    void woerterGeaendert();

private:
    QList<Wort> woerter_;
    qint64 zaehler_ = 0;
};

} // namespace parlix
