#include "app/ui/verlauf/VerlaufKarte.hpp"

#include "app/ui/Gestaltung.hpp"
#include "app/ui/SymbolKnopf.hpp"
#include "app/ui/Texte.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

VerlaufKarte::VerlaufKarte(const VerlaufEintrag& eintrag, bool hervorgehoben, const Texte& texte,
                           QWidget* eltern)
    : QWidget(eltern)
    , eintrag_(eintrag)
    , hervorgehoben_(hervorgehoben) {
    auto* kopf = new QHBoxLayout;
    kopf->setSpacing(8);
    auto* art =
        Gestaltung::beschriftung(artLabel(eintrag.art, texte).toUpper(),
                                 Gestaltung::schrift(10.5, QFont::Bold), toenung().lighter(135));
    art->setObjectName(u"art"_s);
    kopf->addWidget(art);
    auto* zeit = Gestaltung::beschriftung(eintrag.datum.toLocalTime().toString(u"HH:mm"_s),
                                          Gestaltung::schrift(11.5), Gestaltung::textBlass());
    zeit->setObjectName(u"zeit"_s);
    kopf->addWidget(zeit);
    kopf->addStretch();
    auto* einfuegenKnopf =
        new SymbolKnopf(u"einfuegen"_s, texte.text(u"verlauf.einfuegen"_s), this, 28);
    auto* kopierenKnopf =
        new SymbolKnopf(u"kopieren"_s, texte.text(u"verlauf.kopieren"_s), this, 28);
    einfuegenKnopf->setObjectName(u"einfuegen"_s);
    kopierenKnopf->setObjectName(u"kopieren"_s);
    connect(einfuegenKnopf, &QAbstractButton::clicked, this,
            [this] { emit einfuegen(eintrag_.text); });
    connect(kopierenKnopf, &QAbstractButton::clicked, this,
            [this] { emit kopieren(eintrag_.text); });
    kopf->addWidget(einfuegenKnopf);
    kopf->addWidget(kopierenKnopf);

    auto* text =
        Gestaltung::beschriftung(eintrag.text, Gestaltung::schrift(14.0), Gestaltung::text());
    text->setObjectName(u"text"_s);
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(18, 8, 10, 14);
    spalte->setSpacing(4);
    spalte->addLayout(kopf);
    spalte->addWidget(text);
}

QString VerlaufKarte::artLabel(const QString& art, const Texte& texte) {
    if (art == u"Aktion"_s) {
        return texte.text(u"tasten.aktion"_s);
    }
    if (art == u"Prompt"_s) {
        return texte.text(u"tasten.prompt"_s);
    }
    if (art == u"Diktat"_s) {
        return texte.text(u"tasten.diktat"_s);
    }
    if (art == u"Antwort"_s) {
        return texte.text(u"verlauf.antwort"_s);
    }
    if (art == u"Bearbeitung"_s) {
        return texte.text(u"verlauf.bearbeitung"_s);
    }
    return art.toUpper();
}

QColor VerlaufKarte::toenung() const {
    return eintrag_.art == u"Aktion"_s ? Gestaltung::modusAktion() : Gestaltung::modusDiktat();
}

void VerlaufKarte::paintEvent(QPaintEvent*) {
    QPainter maler(this);
    maler.setRenderHint(QPainter::Antialiasing);
    const QRectF flaeche = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = 14.0;
    QColor grund = toenung();
    grund.setAlpha(hervorgehoben_ ? 0x2e : 0x14);
    maler.setBrush(grund);
    QColor rand = hervorgehoben_ ? Gestaltung::akzent() : QColor(255, 255, 255, 0x16);
    maler.setPen(QPen(rand, hervorgehoben_ ? 1.5 : 1.0));
    maler.drawRoundedRect(flaeche, radius, radius);
    // The kind's colour as a short bar at the left edge.
    maler.setPen(Qt::NoPen);
    maler.setBrush(toenung());
    maler.drawRoundedRect(QRectF(flaeche.left() + 7, flaeche.top() + 14, 3.5, 18), 1.75, 1.75);
}

} // namespace parlix
