#include "bench/kennzahlen/Messlauf.hpp"

#include "bench/kennzahlen/ProzessLast.hpp"
#include "bench/kennzahlen/XZeitlinie.hpp"
#include "core/settings/Einstellungen.hpp"
#include "tests/support/Sprachprobe.hpp"
#include "tests/support/endezuende/Mikrofon.hpp"
#include "tests/support/endezuende/Warten.hpp"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <X11/keysym.h>
#include <algorithm>
#include <thread>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::bench {

namespace {

using Uhr = std::chrono::steady_clock;

const QString kFeld = u"Messfeld"_s;
const QString kAntwort = u"Takt."_s;

double ms(Uhr::duration dauer) {
    return std::chrono::duration<double, std::milli>(dauer).count();
}

double median(QList<double> werte) {
    if (werte.isEmpty()) {
        return 0;
    }
    std::sort(werte.begin(), werte.end());
    const qsizetype mitte = werte.size() / 2;
    return werte.size() % 2 == 1 ? werte[mitte] : (werte[mitte - 1] + werte[mitte]) / 2;
}

qsizetype chunkBytes(const StreamMitschnitt& stream) {
    qsizetype summe = 0;
    for (const QByteArray& chunk : stream.chunks()) {
        summe += chunk.size();
    }
    return summe;
}

Antwort chatAntwort(const QString& inhalt) {
    const QJsonObject nachricht{{u"role"_s, u"assistant"_s}, {u"content"_s, inhalt}};
    return Antwort::json(200, {{u"choices"_s, QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}});
}

} // namespace

Messlauf::Messlauf(int runden)
    : runden_(runden)
    , buehne_(test::Buehne::Optionen{.tray = true}) {
    if (!buehne_.laeuft()) {
        fehler_ = buehne_.fehler();
        return;
    }
    {
        const std::unique_ptr<DefaultsStore> speicher = buehne_.parlix().einstellungen();
        Einstellungen einstellungen(*speicher);
        einstellungen.setzeSetupErledigt(true);
        einstellungen.setzeUiSprache(u"de"_s);
        // The latency of the program itself; the default start delay adds 500 ms to it.
        einstellungen.setzeStartVerzoegerungAktiv(false);
    }
    // A provider that answers at once: the stream's transcript at its end, the cleanup.
    buehne_.server().stelleStreamEin(StreamAblauf().warteAufEnde().sendeFinal(u"takt"_s));
    buehne_.server().stelleEin(u"/openai/v1/chat/completions"_s, chatAntwort(kAntwort));
    feld_ = &buehne_.desktop().starte(QStringLiteral(PARLIX_TESTFELD), {kFeld});
    if (!test::warteBis(
            [this] {
                const auto aktiv = buehne_.bildschirm().aktivesFenster();
                return aktiv && aktiv->titel == kFeld;
            },
            60s)) {
        fehler_ = u"the text field did not get the focus"_s;
    }
}

bool Messlauf::starteParlix() {
    const int gestartet = buehne_.parlix().logAnzahl(u"App gestartet"_s);
    const int tasten = buehne_.parlix().logAnzahl(u"HotkeyTap aktiv"_s);
    buehne_.parlix().starte();
    return buehne_.parlix().warteAufLog(u"App gestartet"_s, gestartet + 1, 60s) &&
           buehne_.parlix().warteAufLog(u"HotkeyTap aktiv"_s, tasten + 1, 60s) &&
           test::warteBis([this] { return trayZeigtParlix(); }, 60s);
}

bool Messlauf::trayZeigtParlix() {
    return buehne_.bildschirm().eingebettet(u"Parlix"_s);
}

std::optional<Messlauf::Loslassen> Messlauf::lasseLos(qsizetype nummer) {
    Drehbuch& server = buehne_.server();
    const qsizetype anfragenVorher = server.anfragen().size();
    const auto los = Uhr::now();
    buehne_.nutzer().lasseTasteLos(XK_Control_L);
    const bool ende = server.warteAufStreams(
        [&](const QList<StreamMitschnitt>& s) { return s[nummer].endeEmpfangen(); }, 20s);
    const auto endeDa = Uhr::now();
    if (!ende || !server.warteAufAnfragen(anfragenVorher + 1, 20s)) {
        return std::nullopt;
    }
    return Loslassen{los, endeDa, Uhr::now()};
}

bool Messlauf::feldZeigt(const QString& text) {
    const auto ende = Uhr::now() + 20s;
    while (Uhr::now() < ende) {
        // Blocks until the field prints something: the moment it shows is not missed.
        feldAusgabe_ += feld_->lies(100ms);
        if (feldAusgabe_.endsWith('\n') &&
            feldAusgabe_.chopped(1).split('\n').constLast() == text.toUtf8()) {
            return true;
        }
    }
    return false;
}

QList<Kennzahl> Messlauf::startZumTray() {
    QList<double> dauern;
    for (int runde = 0; runde < std::max(runden_ / 2, 3); ++runde) {
        const auto start = Uhr::now();
        buehne_.parlix().starte();
        // What the user sees: the icon inside the tray, not the program's word for it.
        if (!test::warteBis([this] { return trayZeigtParlix(); }, 60s)) {
            return {};
        }
        dauern << ms(Uhr::now() - start);
        buehne_.parlix().beende();
    }
    return {{u"start_tray_ms"_s, u"Start to tray icon (median)"_s, median(dauern), u"ms"_s,
             u"process start until the tray shows the icon it embedded"_s}};
}

QList<Kennzahl> Messlauf::startMitLokalemServer() {
    const QTemporaryDir ordner;
    test::ParlixProzess lokal(QStringLiteral(PARLIX_PROGRAMM), ordner.path(), std::nullopt);
    Einstellungen(*lokal.einstellungen()).setzeSetupErledigt(true);
    QList<double> tray;
    QList<double> bereit;
    for (int runde = 0; runde < std::max(runden_ / 2, 3); ++runde) {
        std::optional<double> trayDa;
        std::optional<double> serverDa;
        const auto start = Uhr::now();
        lokal.starte();
        while ((!trayDa || !serverDa) && Uhr::now() - start < 60s) {
            if (!trayDa && trayZeigtParlix()) {
                trayDa = ms(Uhr::now() - start);
            }
            if (!serverDa && lokal.logAnzahl(u"Lokaler Server bereit"_s) > runde) {
                serverDa = ms(Uhr::now() - start);
            }
            std::this_thread::sleep_for(2ms);
        }
        lokal.beende();
        if (!trayDa || !serverDa) {
            return {};
        }
        tray << *trayDa;
        bereit << *serverDa;
    }
    return {{u"start_tray_lokal_ms"_s, u"Start to tray icon, own local server (median)"_s,
             median(tray), u"ms"_s,
             u"as start_tray_ms, with the local server a new installation runs (aim: at most "
             "10 % above start_tray_ms)"_s},
            {u"lokal_bereit_ms"_s, u"Start until the local server listens (median)"_s,
             median(bereit), u"ms"_s,
             u"process start until parlix logs that its server is ready; a dictation "
             "started earlier waits for it"_s}};
}

QList<Kennzahl> Messlauf::leerlauf(std::chrono::seconds dauer) {
    if (!starteParlix()) {
        return {};
    }
    // The start itself is over.
    std::this_thread::sleep_for(5s);
    const qint64 pid = buehne_.parlix().pid();
    const std::optional<double> anfang = ProzessLast::cpuSekunden(pid);
    double rssMax = 0;
    const auto ende = Uhr::now() + dauer;
    while (Uhr::now() < ende) {
        rssMax = std::max(rssMax, ProzessLast::rssMiB(pid).value_or(0));
        std::this_thread::sleep_for(1s);
    }
    const std::optional<double> schluss = ProzessLast::cpuSekunden(pid);
    if (!anfang || !schluss) {
        return {};
    }
    const double sekunden = std::chrono::duration<double>(dauer).count();
    return {{u"leerlauf_cpu_prozent"_s, u"Idle processor"_s, (*schluss - *anfang) / sekunden * 100,
             u"%"_s, u"of one core, over %1 s without a recording"_s.arg(dauer.count())},
            {u"leerlauf_rss_mib"_s, u"Idle resident memory"_s, rssMax, u"MiB"_s,
             u"the highest VmRSS over the same time"_s}};
}

QList<Kennzahl> Messlauf::diktate() {
    const test::Mikrofon mikrofon(buehne_.ton(),
                                  test::Sprachprobe::sprich(u"eins zwei drei vier fünf"_s));
    QList<double> offen;
    QList<double> ersterChunk;
    QList<double> eingefuegt;
    QList<double> streamEnde;
    QList<double> anfrage;
    for (int runde = 0; runde < runden_; ++runde) {
        Drehbuch& server = buehne_.server();
        const qsizetype nummer = server.streams().size();
        const auto druck = Uhr::now();
        buehne_.nutzer().drueckeTaste(XK_Control_L);
        const bool geoeffnet = server.warteAufStreams(
            [&](const QList<StreamMitschnitt>& s) { return s.size() > nummer; }, 20s);
        const auto streamOffen = Uhr::now();
        const bool chunk = server.warteAufStreams(
            [&](const QList<StreamMitschnitt>& s) { return !s[nummer].chunks().isEmpty(); }, 20s);
        const auto chunkDa = Uhr::now();
        // A second of speech, then the key goes up.
        server.warteAufStreams(
            [&](const QList<StreamMitschnitt>& s) { return chunkBytes(s[nummer]) >= 32000; }, 20s);
        const std::optional<Loslassen> los = lasseLos(nummer);
        feldText_ += kAntwort;
        if (!geoeffnet || !chunk || !los || !feldZeigt(feldText_)) {
            return {};
        }
        eingefuegt << ms(Uhr::now() - los->los);
        streamEnde << ms(los->streamEnde - los->los);
        anfrage << ms(los->anfrage - los->los);
        offen << ms(streamOffen - druck);
        ersterChunk << ms(chunkDa - druck);
        // The HUD fades and the clipboard is put back before the next dictation.
        test::warteBis([this] { return !buehne_.bildschirm().zeigt(u"Parlix HUD"_s); }, 20s);
        std::this_thread::sleep_for(1s);
    }
    const QString je = u"median of %1 dictations"_s.arg(runden_);
    return {
        {u"loslassen_text_ms"_s, u"Key release to text in the field"_s, median(eingefuegt), u"ms"_s,
         je + u"; includes the fixed 60 ms paste delay (aim: ≤ 80 ms); slowest %1 ms"_s.arg(
                  *std::max_element(eingefuegt.cbegin(), eingefuegt.cend()), 0, 'f', 1)},
        {u"loslassen_ende_ms"_s, u"Key release to the stream's end at the server"_s,
         median(streamEnde), u"ms"_s,
         je + u"; the recording stopped and its last sound and end mark sent"_s},
        {u"loslassen_anfrage_ms"_s, u"Key release to the cleanup request at the server"_s,
         median(anfrage), u"ms"_s,
         je + u"; the transcript came back at once and the request went out; the rest up to "
              "the text is the answer, the paste delay, the paste key, the target's read of "
              "the clipboard and its drawing"_s},
        {u"druck_aufnahme_ms"_s, u"Key press to recording (stream open)"_s, median(offen), u"ms"_s,
         je + u"; start delay off (by default it adds 500 ms)"_s},
        {u"druck_chunk_ms"_s, u"Key press to first chunk on the stream"_s, median(ersterChunk),
         u"ms"_s,
         je + u"; the microphone runs before the press; a chunk is about 85 ms of sound"_s},
    };
}

QList<Kennzahl> Messlauf::aufnahmeLast(std::chrono::seconds dauer) {
    const test::Mikrofon mikrofon(buehne_.ton(),
                                  test::Sprachprobe::sprich(u"eins zwei drei vier fünf"_s));
    Drehbuch& server = buehne_.server();
    const qsizetype nummer = server.streams().size();
    buehne_.nutzer().drueckeTaste(XK_Control_L);
    if (!server.warteAufStreams([&](const QList<StreamMitschnitt>& s) { return s.size() > nummer; },
                                20s) ||
        !test::warteBis([this] { return buehne_.bildschirm().zeigt(u"Parlix HUD"_s); }, 20s)) {
        buehne_.nutzer().lasseTasteLos(XK_Control_L);
        return {};
    }
    const qint64 pid = buehne_.parlix().pid();
    const std::optional<double> anfang = ProzessLast::cpuSekunden(pid);
    std::this_thread::sleep_for(dauer);
    const std::optional<double> schluss = ProzessLast::cpuSekunden(pid);
    buehne_.nutzer().lasseTasteLos(XK_Control_L);
    // The dictation ends before the stage does.
    feldText_ += kAntwort;
    feldZeigt(feldText_);
    if (!anfang || !schluss) {
        return {};
    }
    const double sekunden = std::chrono::duration<double>(dauer).count();
    return {
        {u"aufnahme_cpu_prozent"_s, u"Processor while recording"_s,
         (*schluss - *anfang) / sekunden * 100, u"%"_s,
         u"of one core, over %1 s: capture, stream and the HUD at 60 fps"_s.arg(dauer.count())}};
}

QList<Kennzahl> Messlauf::diktateInXterm() {
    const QTemporaryDir ordner;
    const QString ziel = ordner.filePath(u"xterm-eingabe"_s);
    const QString titel = u"Messxterm"_s;
    // The terminal echoes what is pasted (and draws it); the program in it passes each
    // byte on at once, to a file this run reads.
    buehne_.desktop().starte(u"xterm"_s, {u"-T"_s, titel, u"-e"_s, u"sh"_s, u"-c"_s,
                                          u"stty -icanon min 1; exec cat >> \"$0\""_s, ziel});
    // A new window does not always get the focus from the window manager: a click gives it.
    std::optional<test::Bildschirm::Fenster> fenster;
    const auto hatFokus = [&] {
        const auto aktiv = buehne_.bildschirm().aktivesFenster();
        return aktiv && aktiv->titel == titel;
    };
    const auto gibFokus = [&] {
        if (test::warteBis(hatFokus, 2s)) {
            return true;
        }
        buehne_.nutzer().klicke(fenster->rahmen.center());
        return test::warteBis(hatFokus, 10s);
    };
    if (!test::warteBis(
            [&] {
                fenster = buehne_.bildschirm().fenster(titel);
                return fenster && fenster->sichtbar;
            },
            60s) ||
        !gibFokus()) {
        qWarning("the xterm did not get the focus");
        return {};
    }
    XZeitlinie linie(buehne_.desktop().anzeige());
    if (!linie.fehler().isEmpty()) {
        qWarning("%s", qPrintable(linie.fehler()));
        return {};
    }
    const test::Mikrofon mikrofon(buehne_.ton(),
                                  test::Sprachprobe::sprich(u"eins zwei drei vier fünf"_s));
    QFile eingabe(ziel);
    using Art = XZeitlinie::Art;
    QList<double> text;
    QList<double> streamEnde;
    QList<double> anfrage;
    QList<double> taste;
    QList<double> auswahl;
    QList<double> antwort;
    QList<double> angekommen;
    QByteArray erwartet;
    for (int runde = 0; runde < runden_; ++runde) {
        Drehbuch& server = buehne_.server();
        const qsizetype nummer = server.streams().size();
        buehne_.nutzer().drueckeTaste(XK_Control_L);
        server.warteAufStreams(
            [&](const QList<StreamMitschnitt>& s) {
                return s.size() > nummer && chunkBytes(s[nummer]) >= 32000;
            },
            20s);
        linie.leere();
        const std::optional<Loslassen> zeiten = lasseLos(nummer);
        if (!zeiten) {
            qWarning("xterm dictation %d: the server saw no stream's end or request", runde);
            return {};
        }
        const auto loslassen = zeiten->los;
        erwartet += kAntwort.toUtf8();
        std::optional<Uhr::time_point> textDa;
        while (!textDa && Uhr::now() - loslassen < 20s) {
            if (eingabe.open(QIODevice::ReadOnly) && eingabe.readAll() == erwartet) {
                textDa = Uhr::now();
            }
            eingabe.close();
            std::this_thread::sleep_for(200us);
        }
        // The steps at the X server, each after the one before.
        const auto los = linie.erster(Art::tasteLosgelassen, loslassen, true, 1s);
        const auto einfuegen = los ? linie.erster(Art::tasteGedrueckt, *los, false, 1s) : los;
        const auto bitte =
            einfuegen ? linie.erster(Art::auswahlAnfrage, *einfuegen, false, 1s) : einfuegen;
        const auto gegeben = bitte ? linie.erster(Art::auswahlAntwort, *bitte, false, 1s) : bitte;
        if (!textDa || !gegeben) {
            qWarning("xterm dictation %d: text %s, steps at the X server %d %d %d %d", runde,
                     textDa ? "arrived" : "missing", los.has_value(), einfuegen.has_value(),
                     bitte.has_value(), gegeben.has_value());
            return {};
        }
        text << ms(*textDa - loslassen);
        streamEnde << ms(zeiten->streamEnde - *los);
        anfrage << ms(zeiten->anfrage - *los);
        taste << ms(*einfuegen - *los);
        auswahl << ms(*bitte - *los);
        antwort << ms(*gegeben - *los);
        angekommen << ms(*textDa - *los);
        test::warteBis([this] { return !buehne_.bildschirm().zeigt(u"Parlix HUD"_s); }, 20s);
        std::this_thread::sleep_for(1s);
    }
    const QString je = u"median of %1 dictations into xterm; "_s.arg(runden_);
    const QString abServer = je + u"from the key release as the X server saw it; "_s;
    return {
        {u"xterm_text_ms"_s, u"Key release to text in xterm"_s, median(text), u"ms"_s,
         je + u"until the program in the terminal has it (the terminal echoes and draws it "
              "in the same turn); includes the fixed 60 ms paste delay (aim: ≤ 66 ms); "
              "range %1–%2 ms"_s.arg(*std::min_element(text.cbegin(), text.cend()), 0, 'f', 1)
                  .arg(*std::max_element(text.cbegin(), text.cend()), 0, 'f', 1)},
        {u"xterm_ende_ms"_s, u"X: key release to the stream's end at the server"_s,
         median(streamEnde), u"ms"_s, abServer + u"hotkey decision and recording stopped"_s},
        {u"xterm_anfrage_ms"_s, u"X: key release to the cleanup request at the server"_s,
         median(anfrage), u"ms"_s, abServer + u"the transcript came back at once"_s},
        {u"xterm_taste_ms"_s, u"X: key release to the paste key at the X server"_s, median(taste),
         u"ms"_s,
         abServer + u"the answer, the paste delay (60 ms from the inserter's call) and the "
                    "paste key (Shift+Insert)"_s},
        {u"xterm_auswahl_ms"_s, u"X: key release to the terminal's selection request"_s,
         median(auswahl), u"ms"_s, abServer + u"delivered to Parlix"_s},
        {u"xterm_antwort_ms"_s, u"X: key release to Parlix's selection answer"_s, median(antwort),
         u"ms"_s, abServer + u"the SelectionNotify Parlix sends"_s},
        {u"xterm_ziel_ms"_s, u"X: key release to text in xterm"_s, median(angekommen), u"ms"_s,
         abServer + u"until the program in the terminal has it"_s},
    };
}

} // namespace parlix::bench
