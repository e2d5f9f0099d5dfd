#include "app/render/RenderHarness.hpp"

#include "app/render/AnsichtenRegister.hpp"
#include "app/render/RenderUmgebung.hpp"
#include "core/text/Sprache.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString praefix = u"PARLIX_RENDER_"_s;

QStringList liste(const QString& wert) {
    QStringList teile;
    for (const QString& teil : wert.split(u',', Qt::SkipEmptyParts)) {
        if (!teil.trimmed().isEmpty()) {
            teile.append(teil.trimmed());
        }
    }
    return teile;
}

QStringList alleSprachen() {
    QStringList codes;
    for (const Sprache& sprache : Sprache::alle()) {
        codes.append(sprache.code.toString());
    }
    return codes;
}

} // namespace

std::optional<RenderHarness::Auftrag>
RenderHarness::ausUmgebung(const QProcessEnvironment& umgebung, const QString& standardSprache,
                           QString* fehler) {
    static const QStringList bekannt{u"ZIEL"_s, u"ANSICHTEN"_s, u"SPRACHEN"_s, u"SKALA"_s,
                                     u"LISTE"_s};
    bool gesetzt = false;
    for (const QString& name : umgebung.keys()) {
        if (!name.startsWith(praefix)) {
            continue;
        }
        gesetzt = true;
        if (!bekannt.contains(name.mid(praefix.size())) && fehler != nullptr) {
            *fehler = u"Unbekannte Variable %1 (bekannt: PARLIX_RENDER_%2)"_s.arg(
                name, bekannt.join(u", PARLIX_RENDER_"_s));
        }
    }
    if (!gesetzt) {
        return std::nullopt;
    }
    Auftrag auftrag;
    auftrag.ziel = umgebung.value(praefix + u"ZIEL"_s, auftrag.ziel);
    auftrag.muster = liste(umgebung.value(praefix + u"ANSICHTEN"_s));
    const QString sprachen = umgebung.value(praefix + u"SPRACHEN"_s).trimmed();
    auftrag.sprachen = sprachen == u"alle"_s ? alleSprachen() : liste(sprachen);
    if (auftrag.sprachen.isEmpty()) {
        auftrag.sprachen = {standardSprache};
    }
    bool zahl = false;
    const qreal skala = umgebung.value(praefix + u"SKALA"_s).toDouble(&zahl);
    if (zahl && skala >= 0.5 && skala <= 4.0) {
        auftrag.skala = skala;
    }
    auftrag.nurListe = umgebung.contains(praefix + u"LISTE"_s);
    return auftrag;
}

RenderHarness::RenderHarness(const AnsichtenRegister& ansichten)
    : ansichten_(ansichten) {}

RenderHarness::Ergebnis RenderHarness::laufe(const Auftrag& auftrag) const {
    Ergebnis ergebnis;
    const QStringList namen = ansichten_.waehle(auftrag.muster);
    if (namen.isEmpty()) {
        ergebnis.fehler.append(u"Keine Ansicht passt zu: "_s + auftrag.muster.join(u", "_s));
    }
    for (const QString& sprache : auftrag.sprachen) {
        if (!Sprache::aus(sprache)) {
            ergebnis.fehler.append(u"Unbekannte Sprache: "_s + sprache);
            continue;
        }
        const QDir ordner(QDir(auftrag.ziel).filePath(sprache));
        if (!QDir().mkpath(ordner.path())) {
            ergebnis.fehler.append(u"Kann den Ordner nicht anlegen: "_s + ordner.path());
            continue;
        }
        for (const QString& name : namen) {
            RenderUmgebung umgebung(sprache);
            const std::unique_ptr<QWidget> widget = (*ansichten_.bauer(name))(umgebung);
            const QString datei = ordner.filePath(name + u".png"_s);
            if (zeichne(*widget, auftrag.skala).save(datei, "PNG")) {
                ergebnis.dateien.append(datei);
            } else {
                ergebnis.fehler.append(u"Kann nicht schreiben: "_s + datei);
            }
        }
    }
    return ergebnis;
}

int RenderHarness::laufeUndMelde(const Auftrag& auftrag) const {
    QTextStream aus(stdout);
    if (auftrag.nurListe) {
        for (const QString& name : ansichten_.namen()) {
            aus << name << '\n';
        }
        return 0;
    }
    const Ergebnis ergebnis = laufe(auftrag);
    for (const QString& datei : ergebnis.dateien) {
        aus << datei << '\n';
    }
    QTextStream fehler(stderr);
    for (const QString& meldung : ergebnis.fehler) {
        fehler << meldung << '\n';
    }
    return ergebnis.fehler.isEmpty() ? 0 : 1;
}

QImage RenderHarness::zeichne(QWidget& widget, qreal skala) {
    // Shown off screen, so that styles, layouts and sizes settle as they would for real.
    widget.setAttribute(Qt::WA_DontShowOnScreen);
    widget.show();
    QCoreApplication::processEvents();
    QImage bild((QSizeF(widget.size()) * skala).toSize(), QImage::Format_ARGB32_Premultiplied);
    bild.setDevicePixelRatio(skala);
    bild.fill(Qt::transparent);
    widget.render(&bild, QPoint(), QRegion(), QWidget::DrawChildren);
    widget.hide();
    return bild;
}

} // namespace parlix
