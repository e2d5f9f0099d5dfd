#pragma once

#include <QPropertyAnimation>
#include <QWidget>

class QScrollArea;
class QStackedWidget;
class QVBoxLayout;

namespace parlix {

class GlasVerlaufModel;
class Texte;
class VerlaufKarte;
class VerlaufStore;

// The history panel's content: a header with the logo, the title and a close button
// (dragging the header moves the panel), then the entries as cards, newest first, or
// the empty state. Every opening (the model's `anim`) scrolls to the newest entry.
class GlasVerlaufAnsicht final : public QWidget {
    Q_OBJECT

public:
    GlasVerlaufAnsicht(VerlaufStore& store, GlasVerlaufModel& model, const Texte& texte,
                       QWidget* eltern = nullptr);

    QList<VerlaufKarte*> karten() const;
    bool leer() const;
    int scrollPosition() const;

signals:
    void einfuegen(const QString& text);
    void kopieren(const QString& text);
    void schliessen();

private:
    QWidget* baueKopf();
    QWidget* baueLeer();
    void baueKarten();
    void scrolleNachOben();

    VerlaufStore& store_;
    GlasVerlaufModel& model_;
    const Texte& texte_;
    QStackedWidget* seiten_;
    QScrollArea* liste_;
    QVBoxLayout* kartenSpalte_;
    QPropertyAnimation scroll_;
};

} // namespace parlix
