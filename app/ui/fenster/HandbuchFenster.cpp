#include "app/ui/fenster/HandbuchFenster.hpp"

#include "app/ui/Texte.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Seitenleiste.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int leisteBreite = 250;
// The list's width less the sidebar's margins and the padding of its entries.
constexpr int textBreite = leisteBreite - 24 - 20;

} // namespace

HandbuchFenster::HandbuchFenster(DefaultsStore& speicher, QWidget* eltern)
    : QWidget(eltern, Qt::Window)
    , handbuch_(Handbuch::lade(Texte(speicher).sprache()))
    , keineTreffer_(Texte(speicher).text(u"handbuch.keineTreffer"_s))
    , suche_(new QLineEdit)
    , liste_(new QListWidget)
    , inhalt_(new QTextBrowser) {
    const Texte texte(speicher);
    setWindowTitle(texte.text(u"fenster.handbuch"_s));
    FensterStil::richteFensterEin(this);
    resize(900, 640);

    auto* seitenleiste =
        new Seitenleiste(handbuch_.titel(), FensterStil::kartenTitelSchrift(font()), leisteBreite);
    QHBoxLayout* layout = seitenleiste->teileFenster(this);
    QVBoxLayout* leiste = seitenleiste->inhalt();
    suche_->setPlaceholderText(texte.text(u"handbuch.suche"_s));
    suche_->setAccessibleName(texte.text(u"handbuch.suche"_s));
    suche_->setClearButtonEnabled(true);
    leiste->addWidget(suche_);
    liste_->setObjectName(u"seitenleiste"_s);
    liste_->setAccessibleName(texte.text(u"handbuch.abschnitte"_s));
    liste_->setWordWrap(true);
    liste_->setTextElideMode(Qt::ElideNone);
    liste_->setResizeMode(QListView::Adjust);
    liste_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    leiste->addWidget(liste_, 1);

    inhalt_->setFrameShape(QFrame::NoFrame);
    inhalt_->setOpenExternalLinks(false);
    inhalt_->setAccessibleName(handbuch_.titel());
    inhalt_->document()->setDocumentMargin(32);
    layout->addWidget(inhalt_, 1);

    connect(suche_, &QLineEdit::textChanged, this, &HandbuchFenster::filtere);
    connect(liste_, &QListWidget::currentRowChanged, this, &HandbuchFenster::zeigeAbschnitt);
    filtere();
}

void HandbuchFenster::filtere() {
    liste_->clear();
    for (const qsizetype index : handbuch_.suche(suche_->text())) {
        auto* eintrag = new QListWidgetItem(handbuch_.abschnitte()[index].titel, liste_);
        // Long titles take two lines; the list would measure them without the style's
        // padding and cut them short.
        const QRect noetig = liste_->fontMetrics().boundingRect(QRect(0, 0, textBreite, 1000),
                                                                Qt::TextWordWrap, eintrag->text());
        eintrag->setSizeHint(QSize(textBreite, noetig.height() + 16));
        eintrag->setData(Qt::UserRole, QVariant::fromValue(index));
    }
    if (liste_->count() > 0) {
        liste_->setCurrentRow(0);
    } else {
        inhalt_->setPlainText(keineTreffer_);
    }
}

void HandbuchFenster::zeigeAbschnitt() {
    const QListWidgetItem* eintrag = liste_->currentItem();
    if (eintrag == nullptr) {
        return;
    }
    const auto index = eintrag->data(Qt::UserRole).value<qsizetype>();
    inhalt_->setMarkdown(handbuch_.abschnitte()[index].text);
    // Airier lines than the default read better for running text.
    QTextBlockFormat luft;
    luft.setLineHeight(135, QTextBlockFormat::ProportionalHeight);
    luft.setBottomMargin(8);
    QTextCursor alles(inhalt_->document());
    alles.select(QTextCursor::Document);
    alles.mergeBlockFormat(luft);
    markiere();
}

void HandbuchFenster::markiere() {
    QList<QTextEdit::ExtraSelection> markierungen;
    QTextCharFormat format;
    format.setBackground(palette().color(QPalette::Highlight));
    format.setForeground(palette().color(QPalette::HighlightedText));
    for (const QString& wort : suche_->text().split(u' ', Qt::SkipEmptyParts)) {
        QTextCursor treffer(inhalt_->document());
        while (!(treffer = inhalt_->document()->find(wort, treffer)).isNull()) {
            markierungen.append({treffer, format});
        }
    }
    inhalt_->setExtraSelections(markierungen);
}

} // namespace parlix
