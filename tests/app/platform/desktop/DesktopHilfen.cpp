#include "tests/app/platform/desktop/DesktopHilfen.hpp"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <map>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

Display* testTastatur() {
    static Display* anzeige = XOpenDisplay(nullptr);
    return anzeige;
}

quint64 aktivesFenster() {
    const auto ausgabe = KindProzess::ausgabe(u"xprop"_s, {u"-root"_s, u"_NET_ACTIVE_WINDOW"_s},
                                              std::chrono::seconds(5));
    const QString text = QString::fromUtf8(ausgabe.value_or(QByteArray()));
    return text.section(u'#', 1).trimmed().toULongLong(nullptr, 16);
}

} // namespace

bool laufeBis(const std::function<bool()>& bedingung, std::chrono::milliseconds frist) {
    QElapsedTimer uhr;
    uhr.start();
    while (!bedingung()) {
        if (uhr.elapsed() > frist.count()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void laufeFuer(std::chrono::milliseconds dauer) {
    laufeBis([] { return false; }, dauer);
}

KindProzess& starteFenster(const QString& programm, const QStringList& argumente,
                           const QString& fenster) {
    KindProzess& prozess = prozessDesktop().starte(programm, argumente);
    const quint64 id = prozessDesktop().warteAufFenster(fenster);
    // openbox focuses a new window once it is mapped; the paste must not race it.
    laufeBis([id] { return id != 0 && aktivesFenster() == id; }, std::chrono::seconds(10));
    laufeFuer(std::chrono::milliseconds(300));
    return prozess;
}

KindProzess& starteTextfeld(const QString& titel, const QString& text, int auswahlVon,
                            int auswahlLaenge) {
    return starteFenster(QString::fromUtf8(PARLIX_TESTFELD),
                         {titel, text, QString::number(auswahlVon), QString::number(auswahlLaenge)},
                         titel);
}

bool warteAufZeile(KindProzess& programm, const QString& erwartet,
                   std::chrono::milliseconds frist) {
    static std::map<KindProzess*, QByteArray> gelesen;
    QByteArray& puffer = gelesen[&programm];
    return laufeBis(
        [&] {
            puffer += programm.lies(std::chrono::milliseconds(10));
            return puffer.split('\n').contains(erwartet.toUtf8());
        },
        frist);
}

void halte(quint32 keysym, bool gedrueckt) {
    Display* anzeige = testTastatur();
    XTestFakeKeyEvent(anzeige, XKeysymToKeycode(anzeige, keysym), gedrueckt ? True : False,
                      CurrentTime);
    XSync(anzeige, False);
}

void doppelklicke(QPoint ort) {
    Display* anzeige = testTastatur();
    int x = 0;
    int y = 0;
    Window kind = None;
    XTranslateCoordinates(anzeige, aktivesFenster(), DefaultRootWindow(anzeige), ort.x(), ort.y(),
                          &x, &y, &kind);
    XTestFakeMotionEvent(anzeige, -1, x, y, CurrentTime);
    for (int mal = 0; mal < 2; ++mal) {
        XTestFakeButtonEvent(anzeige, 1, True, CurrentTime);
        XTestFakeButtonEvent(anzeige, 1, False, CurrentTime);
    }
    XSync(anzeige, False);
}

void tippe(const Tastenkombination& taste) {
    if (taste.strg) {
        halte(XK_Control_L, true);
    }
    if (taste.umschalt) {
        halte(XK_Shift_L, true);
    }
    halte(taste.keysym, true);
    halte(taste.keysym, false);
    if (taste.umschalt) {
        halte(XK_Shift_L, false);
    }
    if (taste.strg) {
        halte(XK_Control_L, false);
    }
}

AtspiVerbindung& atspi() {
    static AtspiVerbindung verbindung;
    return verbindung;
}

std::optional<QString> ablageText() {
    const QMimeData* daten = QGuiApplication::clipboard()->mimeData();
    return daten && daten->hasText() ? std::optional(daten->text()) : std::nullopt;
}

void setzeAblage(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace parlix::test
