#pragma once

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;
class QVBoxLayout;

namespace parlix {

// The pane of a list setting (commands, snippets): one card per entry with its text
// fields, an optional switch and a delete button, and a button that appends a new entry.
// Every edit writes the whole list through the model.
template <class T> class ListenSeite final : public QWidget {
public:
    struct Textfeld {
        QString key; // label
        QString T::*feld;
        bool mehrzeilig = false;
    };
    struct Beschreibung {
        SettingsModel::Schluessel schluessel;
        std::vector<Textfeld> felder;
        // An optional switch: its label and field.
        QString schalterKey;
        bool T::*schalterFeld = nullptr;
        QString loeschenKey;
        QString hinzufuegenKey;
        QString fussKey;
        // A new entry with the given name.
        std::function<T(const QString& name)> neu;
        QString neuerKey;
    };

    ListenSeite(SettingsModel& model, const Texte& texte, Beschreibung beschreibung,
                QWidget* eltern = nullptr);

    // The button that appends an entry.
    QPushButton* hinzufuegen() const { return hinzufuegen_; }

private:
    void baue();
    QWidget* karte(qsizetype index);
    void schreibe();

    SettingsModel& model_;
    const Texte texte_;
    const Beschreibung beschreibung_;
    QList<T> liste_;
    QVBoxLayout* karten_;
    QPushButton* hinzufuegen_;
};

} // namespace parlix
