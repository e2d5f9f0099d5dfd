#pragma once

#include "app/anbieter/AnbieterEinstellungen.hpp"
#include "app/anbieter/AnbieterTest.hpp"
#include "app/ui/Texte.hpp"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace parlix {

class Karte;

// The "Speech and language" pane: for transcription and for the language model a
// provider, its server URL (for another OpenAI-compatible server), the API key (hidden)
// and the models. Every change is stored at once; the Test button sends the spoken
// sample and one line of chat through the real path and shows the outcome. The settings
// window and the first-run setup both show it.
class AnbieterSeite final : public QWidget {
    Q_OBJECT

public:
    using Rolle = AnbieterEinstellungen::Rolle;

    AnbieterSeite(AnbieterEinstellungen& anbieter, DefaultsStore& speicher, const Texte& texte,
                  QWidget* eltern = nullptr);

    QComboBox* vorlage(Rolle rolle) const { return felder(rolle).vorlage; }
    QLineEdit* url(Rolle rolle) const { return felder(rolle).url; }
    QLineEdit* schluessel(Rolle rolle) const { return felder(rolle).schluessel; }
    QLineEdit* modell(Rolle rolle) const { return felder(rolle).modell; }
    QLineEdit* visionModell() const { return visionModell_; }
    QPushButton* testKnopf() const { return testKnopf_; }
    // The test's outcome, or what it does before the first run.
    QLabel* ergebnis() const { return ergebnis_; }

private:
    struct Felder {
        QComboBox* vorlage = nullptr;
        QLineEdit* url = nullptr;
        QLineEdit* schluessel = nullptr;
        QLineEdit* modell = nullptr;
        QLabel* urlHinweis = nullptr;
        // The hint waits until the user typed a root and left the field: an empty field
        // of a provider just chosen is not a mistake yet.
        bool urlGetippt = false;
        bool urlBewertet = false;
        // The rows below the provider choice, hidden while none is chosen.
        QList<QWidget*> zeilen;
        QWidget* urlZeile = nullptr;
    };

    const Felder& felder(Rolle rolle) const { return felder_[static_cast<std::size_t>(rolle)]; }
    Felder& felder(Rolle rolle) { return felder_[static_cast<std::size_t>(rolle)]; }
    Karte* rollenKarte(Rolle rolle, const Texte& texte);
    Karte* testKarte(const Texte& texte);
    // Shows the stored values (without writing them back).
    void zeige();
    void zeigeErgebnis(const AnbieterTest::Ergebnis& ergebnis);
    // "84 ms" below a second, "1.2 s" above, in the interface language.
    QString dauer(qint64 millisekunden) const;

    AnbieterEinstellungen& anbieter_;
    AnbieterTest test_;
    Texte texte_;
    std::array<Felder, 2> felder_;
    QLineEdit* visionModell_ = nullptr;
    QPushButton* testKnopf_ = nullptr;
    bool fokusZurueck_ = false;
    QLabel* ergebnis_ = nullptr;
    Karte* testKarte_ = nullptr;
};

} // namespace parlix
