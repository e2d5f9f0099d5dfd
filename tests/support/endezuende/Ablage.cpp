#include "tests/support/endezuende/Ablage.hpp"

#include "tests/support/KopflosesDesktop.hpp"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUuid>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

Ablage::Ablage(KopflosesDesktop& desktop)
    : desktop_(desktop)
    , verbindung_(XVerbindung::oeffne(desktop.anzeige().toUtf8())) {
    int fehlerBasis = 0;
    if (!verbindung_ ||
        !XFixesQueryExtension(verbindung_->anzeige(), &ereignisBasis_, &fehlerBasis)) {
        verbindung_.reset();
        return;
    }
    XFixesSelectSelectionInput(verbindung_->anzeige(), static_cast<Window>(verbindung_->wurzel()),
                               static_cast<Atom>(verbindung_->atom("CLIPBOARD")),
                               XFixesSetSelectionOwnerNotifyMask);
    verbindung_->gleicheAb();
}

int Ablage::wechsel() {
    if (!verbindung_) {
        return 0;
    }
    Display* anzeige = verbindung_->anzeige();
    while (XPending(anzeige) > 0) {
        XEvent ereignis;
        XNextEvent(anzeige, &ereignis);
        if (ereignis.type == ereignisBasis_ + XFixesSelectionNotify) {
            ++wechsel_;
        }
    }
    return wechsel_;
}

bool Ablage::kopiere(const QString& text) {
    const QString datei =
        desktop_.verzeichnis() + u"/ablage-"_s + QUuid::createUuid().toString(QUuid::Id128);
    QFile inhalt(datei);
    if (!inhalt.open(QIODevice::WriteOnly) || inhalt.write(text.toUtf8()) < 0) {
        return false;
    }
    inhalt.close();
    // In the foreground, so that it ends with the desktop.
    desktop_.starte(u"xclip"_s, {u"-quiet"_s, u"-selection"_s, u"clipboard"_s, u"-target"_s,
                                 u"UTF8_STRING"_s, u"-in"_s, datei});
    QElapsedTimer uhr;
    uhr.start();
    while (this->text() != text) {
        if (uhr.elapsed() > 10000) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

std::optional<QString> Ablage::text() const {
    const auto inhalt = KindProzess::ausgabe(
        u"xclip"_s, {u"-out"_s, u"-selection"_s, u"clipboard"_s, u"-target"_s, u"UTF8_STRING"_s},
        std::chrono::seconds(10));
    if (!inhalt) {
        return std::nullopt;
    }
    return QString::fromUtf8(*inhalt);
}

} // namespace parlix::test
