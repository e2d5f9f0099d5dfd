#include "app/ui/fenster/seiten/AnbieterSeite.hpp"

#include "app/anbieter/AnbieterVorlage.hpp"
#include "app/ui/fenster/bausteine/FensterStil.hpp"
#include "app/ui/fenster/bausteine/Karte.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QString rollenName(AnbieterEinstellungen::Rolle rolle) {
    return rolle == AnbieterEinstellungen::Rolle::transkription ? u"transkription"_s : u"sprache"_s;
}

// A text field that writes every change of the user at once.
QLineEdit* feld(const QString& name, std::function<void(const QString&)> schreibe) {
    auto* f = new QLineEdit;
    f->setObjectName(name);
    f->setMinimumWidth(300);
    QObject::connect(f, &QLineEdit::textEdited, f, std::move(schreibe));
    return f;
}

// The text shown in a field, unless the user is typing in it.
void zeigeText(QLineEdit* f, const QString& text) {
    if (f->text() != text && !f->hasFocus()) {
        const QSignalBlocker still(f);
        f->setText(text);
    }
}

} // namespace

QString AnbieterSeite::dauer(qint64 millisekunden) const {
    // A provider on this computer answers in milliseconds, which tenths of a second hide.
    const QLocale ort(texte_.sprache());
    if (millisekunden < 1000) {
        return texte_.text(u"anbieter.test.ms"_s).arg(ort.toString(millisekunden));
    }
    return texte_.text(u"anbieter.test.s"_s)
        .arg(ort.toString(static_cast<double>(millisekunden) / 1000.0, 'f', 1));
}

AnbieterSeite::AnbieterSeite(AnbieterEinstellungen& anbieter, DefaultsStore& speicher,
                             const Texte& texte, QWidget* eltern)
    : QWidget(eltern)
    , anbieter_(anbieter)
    , test_(speicher)
    , texte_(texte) {
    QVBoxLayout* layout = FensterStil::karten(this);
    layout->addWidget(rollenKarte(Rolle::transkription, texte));
    layout->addWidget(rollenKarte(Rolle::sprache, texte));
    layout->addWidget(testKarte(texte));
    zeige();
    connect(&anbieter_, &AnbieterEinstellungen::geaendert, this, &AnbieterSeite::zeige);
    connect(&anbieter_, &AnbieterEinstellungen::ortGeaendert, this, &AnbieterSeite::zeige);
    connect(&test_, &AnbieterTest::fertig, this, &AnbieterSeite::zeigeErgebnis);
}

Karte* AnbieterSeite::rollenKarte(Rolle rolle, const Texte& texte) {
    const QString name = rollenName(rolle);
    auto* karte = new Karte(texte.text(u"anbieter."_s + name),
                            texte.text(u"anbieter."_s + name + u".fuss"_s));
    Felder& f = felder_[static_cast<std::size_t>(rolle)];

    f.vorlage = new QComboBox;
    f.vorlage->setObjectName(u"vorlage."_s + name);
    f.vorlage->addItem(texte.text(u"anbieter.keiner"_s), QString());
    for (const AnbieterVorlage& v : AnbieterVorlage::alle()) {
        f.vorlage->addItem(v.name.isEmpty() ? texte.text(u"anbieter.andere"_s) : v.name.toString(),
                           v.id.toString());
    }
    connect(f.vorlage, &QComboBox::activated, this, [this, rolle](int index) {
        Felder& gewaehlt = felder(rolle);
        gewaehlt.urlGetippt = gewaehlt.urlBewertet = false;
        anbieter_.waehleVorlage(rolle, vorlage(rolle)->itemData(index).toString());
    });
    karte->fuegeHinzu(FensterStil::zeile(texte.text(u"anbieter.anbieter"_s), f.vorlage));

    f.url = feld(u"url."_s + name, [this, rolle](const QString& t) {
        felder(rolle).urlGetippt = true;
        anbieter_.setzeURL(rolle, t);
    });
    connect(f.url, &QLineEdit::editingFinished, this, [this, rolle] {
        Felder& verlassen = felder(rolle);
        verlassen.urlBewertet = verlassen.urlGetippt;
        zeige();
    });
    f.url->setPlaceholderText(u"http://127.0.0.1:8080/v1"_s);
    f.urlHinweis = FensterStil::erklaerung(texte.text(u"anbieter.url.ungueltig"_s));
    f.urlHinweis->setForegroundRole(QPalette::NoRole);
    f.urlHinweis->setStyleSheet(u"color: %1"_s.arg(FensterStil::fehler(palette()).name()));
    auto* urlSpalte = new QWidget;
    auto* urlLayout = new QVBoxLayout(urlSpalte);
    urlLayout->setContentsMargins(0, 0, 0, 0);
    urlLayout->addWidget(FensterStil::zeile(texte.text(u"anbieter.url"_s), f.url));
    urlLayout->addWidget(f.urlHinweis);
    f.urlZeile = urlSpalte;

    f.schluessel = feld(u"schluessel."_s + name,
                        [this, rolle](const QString& t) { anbieter_.setzeSchluessel(rolle, t); });
    f.schluessel->setEchoMode(QLineEdit::Password);
    f.schluessel->setPlaceholderText(texte.text(u"anbieter.schluessel.leer"_s));
    f.modell = feld(u"modell."_s + name,
                    [this, rolle](const QString& t) { anbieter_.setzeModell(rolle, t); });

    f.zeilen = {urlSpalte, FensterStil::zeile(texte.text(u"anbieter.schluessel"_s), f.schluessel),
                FensterStil::zeile(texte.text(u"anbieter.modell"_s), f.modell)};
    if (rolle == Rolle::sprache) {
        visionModell_ =
            feld(u"visionModell"_s, [this](const QString& t) { anbieter_.setzeVisionModell(t); });
        f.zeilen.append(FensterStil::zeile(texte.text(u"anbieter.visionModell"_s), visionModell_));
    }
    for (QWidget* zeile : std::as_const(f.zeilen)) {
        karte->fuegeHinzu(zeile);
    }
    return karte;
}

Karte* AnbieterSeite::testKarte(const Texte& texte) {
    testKarte_ = new Karte(texte.text(u"anbieter.test.titel"_s));
    ergebnis_ = new QLabel(texte.text(u"anbieter.test.bereit"_s));
    ergebnis_->setObjectName(u"testErgebnis"_s);
    ergebnis_->setWordWrap(true);
    ergebnis_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    testKnopf_ = new QPushButton(texte.text(u"anbieter.testen"_s));
    testKnopf_->setObjectName(u"testen"_s);
    connect(testKnopf_, &QPushButton::clicked, this, [this] {
        // Disabled, the button gives the keyboard away; it takes it back with the outcome.
        fokusZurueck_ = testKnopf_->hasFocus();
        testKnopf_->setEnabled(false);
        ergebnis_->setText(texte_.text(u"anbieter.test.laeuft"_s));
        ergebnis_->setStyleSheet({});
        test_.starte();
    });
    auto* zeile = new QWidget;
    auto* zeilenLayout = new QHBoxLayout(zeile);
    zeilenLayout->setContentsMargins(0, 0, 0, 0);
    zeilenLayout->addWidget(ergebnis_, 1);
    zeilenLayout->addWidget(testKnopf_, 0, Qt::AlignTop);
    testKarte_->fuegeHinzu(zeile);
    return testKarte_;
}

void AnbieterSeite::zeige() {
    for (const Rolle rolle : {Rolle::transkription, Rolle::sprache}) {
        const Felder& f = felder(rolle);
        const QString id = anbieter_.vorlage(rolle);
        {
            const QSignalBlocker still(f.vorlage);
            f.vorlage->setCurrentIndex(f.vorlage->findData(id));
        }
        zeigeText(f.url, anbieter_.url(rolle));
        zeigeText(f.schluessel, anbieter_.schluessel(rolle));
        zeigeText(f.modell, anbieter_.modell(rolle));
        for (QWidget* zeile : f.zeilen) {
            zeile->setVisible(!id.isEmpty());
        }
        // A named provider's root is fixed; another server's is the user's to give.
        f.urlZeile->setVisible(id == u"andere"_s);
        f.urlHinweis->setVisible(id == u"andere"_s && f.urlBewertet &&
                                 !anbieter_.eingerichtet(rolle));
    }
    zeigeText(visionModell_, anbieter_.visionModell());
    const auto ort = anbieter_.ort();
    testKarte_->setzeFuss(!ort ? QString()
                          : *ort == SchluesselBund::Ort::schluesselbund
                              ? texte_.text(u"anbieter.ort.schluesselbund"_s)
                              : texte_.text(u"anbieter.ort.datei"_s));
}

void AnbieterSeite::zeigeErgebnis(const AnbieterTest::Ergebnis& e) {
    testKnopf_->setEnabled(true);
    if (fokusZurueck_) {
        testKnopf_->setFocus();
    }
    const QColor farbe = e.erfolg ? FensterStil::erfolg(palette()) : FensterStil::fehler(palette());
    ergebnis_->setStyleSheet(u"color: %1"_s.arg(farbe.name()));
    if (e.erfolg) {
        ergebnis_->setText(texte_.text(u"anbieter.test.erfolg"_s)
                               .arg(dauer(e.millisekunden), e.transkript, e.antwort));
        return;
    }
    const QString rolle = e.beiTranskription ? u"anbieter.test.fehlerTranskription"_s
                                             : u"anbieter.test.fehlerSprache"_s;
    QString text = texte_.text(rolle).arg(texte_.text(u"anbieter.fehler."_s + e.grund));
    if (!e.text.isEmpty()) {
        text += u"\n"_s + e.text.left(200);
    }
    ergebnis_->setText(text);
}

} // namespace parlix
