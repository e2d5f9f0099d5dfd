#pragma once

#include "core/history/VerlaufEintrag.hpp"

#include <QWidget>

namespace parlix {

class Texte;

// One history entry as a card: its kind, its time (hours and minutes) and its text, with
// an insert and a copy button. Results of actions are tinted red, all others blue; the
// highlighted card (the new result) carries a lit rim.
class VerlaufKarte final : public QWidget {
    Q_OBJECT

public:
    VerlaufKarte(const VerlaufEintrag& eintrag, bool hervorgehoben, const Texte& texte,
                 QWidget* eltern = nullptr);

    const VerlaufEintrag& eintrag() const { return eintrag_; }
    bool hervorgehoben() const { return hervorgehoben_; }

    // The label of a kind: the five known kinds in the interface language, any other
    // stored value in upper case.
    static QString artLabel(const QString& art, const Texte& texte);

signals:
    void einfuegen(const QString& text);
    void kopieren(const QString& text);

protected:
    void paintEvent(QPaintEvent* ereignis) override;

private:
    QColor toenung() const;

    VerlaufEintrag eintrag_;
    bool hervorgehoben_;
};

} // namespace parlix
