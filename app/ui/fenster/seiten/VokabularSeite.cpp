#include "app/ui/fenster/seiten/VokabularSeite.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"
#include "app/ui/fenster/modelle/SettingsModel.hpp"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

VokabularSeite::VokabularSeite(SettingsModel& model, const Texte& texte, QWidget* eltern)
    : QWidget(eltern) {
    using S = SettingsModel::Schluessel;
    QVBoxLayout* layout = FensterStil::karten(this);
    auto* feld = new QPlainTextEdit;
    feld->setAccessibleName(texte.text(u"vok.titel"_s));
    feld->setPlaceholderText(texte.text(u"vok.beispiel"_s));
    feld->setMinimumHeight(180);
    // Tab leaves the field instead of typing a tab into the glossary.
    feld->setTabChangesFocus(true);
    auto* karte = new Karte(texte.text(u"vok.titel"_s), texte.text(u"vok.fuss"_s));
    karte->fuegeHinzu(feld);
    layout->addWidget(karte);

    const auto zeige = [&model, feld] {
        if (feld->toPlainText() != model.text(S::vokabular)) {
            const QSignalBlocker still(feld);
            feld->setPlainText(model.text(S::vokabular));
        }
    };
    zeige();
    connect(&model, &SettingsModel::geladen, feld, zeige);
    connect(feld, &QPlainTextEdit::textChanged, &model,
            [&model, feld] { model.setze(S::vokabular, feld->toPlainText()); });
}

} // namespace parlix
