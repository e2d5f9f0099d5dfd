#pragma once

#include <QWidget>
#include <functional>

class QListWidget;
class QStackedWidget;

namespace parlix {

class Konto;
class SettingsModel;
struct FensterDienste;

// The settings window: a sidebar with the eleven categories and the pane of the chosen one.
// Every change goes through the settings model and is written at once.
class SettingsFenster final : public QWidget {
    Q_OBJECT

public:
    enum class Kategorie {
        tasten,
        mikrofon,
        sprache,
        schreibstil,
        hud,
        verhalten,
        konto,
        anbieter,
        vokabular,
        befehle,
        bausteine
    };
    static constexpr int anzahlKategorien = 11;

    // onLogin opens the sign-in window.
    SettingsFenster(SettingsModel& model, FensterDienste& dienste, std::function<void()> onLogin,
                    QWidget* eltern = nullptr);

    Kategorie auswahl() const;
    void waehle(Kategorie kategorie);
    // The pane of a category (inside its scroll area).
    QWidget* seite(Kategorie kategorie) const;

private:
    void fuegeSeiteHinzu(const QString& titel, QWidget* seite);

    QListWidget* leiste_;
    QStackedWidget* seiten_;
    QList<QWidget*> inhalte_;
};

} // namespace parlix
