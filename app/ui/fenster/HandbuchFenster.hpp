#pragma once

#include "app/ui/fenster/modelle/Handbuch.hpp"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace parlix {

class DefaultsStore;

// The manual window: a search field and the list of sections on the left, the chosen
// section on the right with the search words marked.
class HandbuchFenster final : public QWidget {
    Q_OBJECT

public:
    explicit HandbuchFenster(DefaultsStore& speicher, QWidget* eltern = nullptr);

    QLineEdit* suche() const { return suche_; }
    QListWidget* abschnitte() const { return liste_; }
    QTextBrowser* inhalt() const { return inhalt_; }

private:
    void filtere();
    void zeigeAbschnitt();
    void markiere();

    const Handbuch handbuch_;
    const QString keineTreffer_;
    QLineEdit* suche_;
    QListWidget* liste_;
    QTextBrowser* inhalt_;
};

} // namespace parlix
