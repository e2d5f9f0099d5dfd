#include "app/ui/fenster/bausteine/HotkeyZeile.hpp"

#include "app/ui/Texte.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace parlix {

HotkeyZeile::HotkeyZeile(SettingsModel& model, SettingsModel::Hotkeyart art, const QString& text,
                         const Texte& texte, QWidget* eltern)
    : QWidget(eltern)
    , model_(model)
    , art_(art)
    , druecke_(texte.text(u"tasten.druecke"_s))
    , taste_(new QLabel(this))
    , knopf_(new QPushButton(texte.text(u"tasten.aendern"_s), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto* beschriftung = new QLabel(text, this);
    taste_->setObjectName(u"tastenkappe"_s);
    taste_->setAlignment(Qt::AlignCenter);
    taste_->setMinimumWidth(96);
    layout->addWidget(beschriftung, 1);
    layout->addWidget(taste_);
    layout->addWidget(knopf_);
    knopf_->setAccessibleName(texte.text(u"tasten.aendern"_s) + u": "_s + text);
    connect(knopf_, &QPushButton::clicked, this, [this] { model_.nimmAuf(art_); });
    connect(&model_, &SettingsModel::hotkeyGeaendert, this,
            [this](SettingsModel::Hotkeyart geaendert) {
                if (geaendert == art_) {
                    zeige();
                }
            });
    connect(&model_, &SettingsModel::geladen, this, &HotkeyZeile::zeige);
    zeige();
}

void HotkeyZeile::zeige() {
    const bool nimmtAuf = model_.nimmtAuf(art_);
    taste_->setText(nimmtAuf ? druecke_ : model_.name(art_));
    taste_->setProperty("aufnahme", nimmtAuf);
    taste_->setAccessibleName(taste_->text());
    // The property selects the recording look of the style sheet.
    taste_->style()->unpolish(taste_);
    taste_->style()->polish(taste_);
}

} // namespace parlix
