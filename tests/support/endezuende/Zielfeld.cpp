#include "tests/support/endezuende/Zielfeld.hpp"

#include "tests/support/endezuende/Buehne.hpp"
#include "tests/support/endezuende/Warten.hpp"

#include <QFile>
#include <X11/keysym.h>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

// New applications come up slowly on a loaded machine, Chromium most of all.
constexpr auto kStart = 60s;

// The last complete line a program printed so far, collected across calls.
std::function<QString()> letzteZeile(KindProzess& programm, QString anfang) {
    auto gelesen = std::make_shared<QByteArray>();
    return [&programm, gelesen, anfang = std::move(anfang)] {
        *gelesen += programm.lies(0ms);
        const qsizetype ende = gelesen->lastIndexOf('\n');
        if (ende < 0) {
            return anfang;
        }
        const qsizetype start = gelesen->lastIndexOf('\n', ende - 1) + 1;
        return QString::fromUtf8(gelesen->mid(start, ende - start));
    };
}

QString schreibeSeite(const QString& ordner) {
    const QString pfad = ordner + u"/feld.html"_s;
    QFile seite(pfad);
    if (seite.open(QIODevice::WriteOnly)) {
        // The page shows what its text area holds in its title, which the window carries.
        seite.write("<!doctype html><html><head><meta charset=utf-8><title>Feld:</title></head>"
                    "<body><textarea id=t autofocus rows=6 cols=60></textarea><script>"
                    "const t=document.getElementById('t');"
                    "t.addEventListener('input',()=>{document.title='Feld:'+t.value;});"
                    "t.focus();</script></body></html>");
    }
    return pfad;
}

} // namespace

Zielfeld::Zielfeld(QString name, QString titel, Buehne& buehne)
    : name_(std::move(name))
    , titel_(std::move(titel))
    , buehne_(&buehne) {}

Zielfeld Zielfeld::qt(Buehne& buehne, const QString& text, int auswahlVon, int auswahlLaenge) {
    Zielfeld feld(u"Qt"_s, u"Qt-Zielfeld"_s, buehne);
    KindProzess& programm = buehne.desktop().starte(
        QStringLiteral(PARLIX_TESTFELD),
        {feld.titel_, text, QString::number(auswahlVon), QString::number(auswahlLaenge)});
    feld.lies_ = letzteZeile(programm, text);
    feld.bestaetige_ = [] {};
    feld.bereit_ = feld.warteAufFokus(kStart);
    return feld;
}

Zielfeld Zielfeld::gtk(Buehne& buehne) {
    Zielfeld feld(u"GTK"_s, u"GTK-Zielfeld"_s, buehne);
    // zenity prints its entry's text when the user confirms it.
    KindProzess& programm = buehne.desktop().starte(
        u"zenity"_s, {u"--entry"_s, u"--title="_s + feld.titel_, u"--text=Eingabe"_s});
    feld.lies_ = letzteZeile(programm, {});
    feld.bestaetige_ = [&buehne] { buehne.nutzer().tippe({.keysym = XK_Return}); };
    feld.bereit_ = feld.warteAufFokus(kStart);
    return feld;
}

Zielfeld Zielfeld::terminal(Buehne& buehne) {
    Zielfeld feld(u"Terminal"_s, u"Terminal-Zielfeld"_s, buehne);
    // The shell writes the line the user typed into a file when it is confirmed.
    const QString datei = buehne.desktop().verzeichnis() + u"/terminal-zeile.txt"_s;
    buehne.desktop().starte(u"xterm"_s, {u"-T"_s, feld.titel_, u"-e"_s, u"sh"_s, u"-c"_s,
                                         u"read zeile; printf '%s' \"$zeile\" > "_s + datei});
    feld.lies_ = [datei] {
        QFile zeile(datei);
        return zeile.open(QIODevice::ReadOnly) ? QString::fromUtf8(zeile.readAll()) : QString();
    };
    feld.bestaetige_ = [&buehne] { buehne.nutzer().tippe({.keysym = XK_Return}); };
    feld.bereit_ = feld.warteAufFokus(kStart);
    return feld;
}

Zielfeld Zielfeld::chromium(Buehne& buehne) {
    Zielfeld feld(u"Chromium"_s, u"Feld:"_s, buehne);
    const QString ordner = buehne.desktop().verzeichnis();
    buehne.desktop().starte(u"chromium"_s,
                            {u"--no-sandbox"_s, u"--disable-gpu"_s, u"--no-first-run"_s,
                             u"--disable-background-networking"_s, u"--disable-component-update"_s,
                             u"--disable-sync"_s, u"--disable-quic"_s, u"--password-store=basic"_s,
                             u"--user-data-dir="_s + ordner + u"/chromium"_s,
                             u"file://"_s + schreibeSeite(ordner)});
    Bildschirm& bildschirm = buehne.bildschirm();
    feld.lies_ = [&bildschirm, titel = feld.titel_] {
        const std::optional<Bildschirm::Fenster> fenster = bildschirm.aktivesFenster();
        if (!fenster || !fenster->titel.startsWith(titel)) {
            return QString();
        }
        // "Feld:<text> - Chromium"
        return fenster->titel.mid(titel.size()).section(u" - "_s, 0, -2);
    };
    feld.bestaetige_ = [] {};
    feld.bereit_ = feld.warteAufFokus(kStart);
    return feld;
}

bool Zielfeld::warteAufFokus(std::chrono::milliseconds frist) {
    const bool aktiv = warteBis(
        [this] {
            const std::optional<Bildschirm::Fenster> fenster =
                buehne_->bildschirm().aktivesFenster();
            return fenster && fenster->titel.startsWith(titel_);
        },
        frist);
    // The application takes the focus into its field a moment after its window.
    std::this_thread::sleep_for(300ms);
    return aktiv;
}

bool Zielfeld::haeltBald(const QString& text, std::chrono::milliseconds frist) {
    if (bestaetige_) {
        std::exchange(bestaetige_, nullptr)();
    }
    return warteBis([&] { return lies_() == text; }, frist);
}

QString Zielfeld::inhalt() {
    return lies_();
}

} // namespace parlix::test
