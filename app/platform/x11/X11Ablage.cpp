#include "app/platform/x11/X11Ablage.hpp"

#include <QGuiApplication>
#include <QMimeData>

namespace parlix {

namespace {

QClipboard& qtAblage() {
    return *QGuiApplication::clipboard();
}

} // namespace

X11Ablage::X11Ablage() {
    QObject::connect(&qtAblage(), &QClipboard::changed, &kontext_, [this](QClipboard::Mode m) {
        for (Auswahl& a : auswahlen_) {
            if (a.modus == m) {
                ++a.aenderungen;
            }
        }
    });
}

bool X11Ablage::haeltEigenen(const Auswahl& a) const {
    // Qt deletes our data when another client takes the selection, and `eigen` is reset
    // whenever we write anything else: the comparison is with live data only.
    return a.eigen != nullptr && qtAblage().mimeData(a.modus) == a.eigen &&
           (a.modus == QClipboard::Clipboard ? qtAblage().ownsClipboard()
                                             : qtAblage().ownsSelection());
}

std::optional<QString> X11Ablage::text(Art art) {
    const QMimeData* daten = qtAblage().mimeData(auswahl(art).modus);
    if (!daten || !daten->hasText()) {
        return std::nullopt;
    }
    return daten->text();
}

std::optional<QString> X11Ablage::vorherigerText(Art art) {
    // A second insertion before the first one's restore: the user's text is the one the
    // first insertion replaced, not the first insertion's own.
    const Auswahl& a = auswahl(art);
    if (haeltEigenen(a) && a.vorher) {
        return a.vorher;
    }
    return text(art);
}

quint64 X11Ablage::schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) {
    Auswahl& a = auswahl(art);
    auto* daten = new QMimeData;
    daten->setText(text);
    daten->setData(QString::fromLatin1(kPasswortHinweis), "secret");
    qtAblage().setMimeData(daten, a.modus);
    a.eigen = daten;
    a.vorher = std::move(vorher);
    a.nummer = ++nummer_;
    return a.nummer;
}

bool X11Ablage::haeltEigenen(Art art, quint64 nummer) {
    const Auswahl& a = auswahl(art);
    return a.nummer == nummer && haeltEigenen(a);
}

int X11Ablage::gelesen(quint64 /*nummer*/) {
    return 1;
}

bool X11Ablage::setze(Art art, const std::optional<QString>& text) {
    Auswahl& a = auswahl(art);
    a.eigen = nullptr;
    if (text) {
        qtAblage().setText(*text, a.modus);
    } else {
        qtAblage().clear(a.modus);
    }
    return this->text(art) == text;
}

quint64 X11Ablage::aenderungen(Art art) {
    return auswahl(art).aenderungen;
}

} // namespace parlix
