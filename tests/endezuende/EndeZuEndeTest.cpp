#include "tests/endezuende/EndeZuEndeTest.hpp"

#include "tests/support/Sprachprobe.hpp"
#include "tests/support/endezuende/GestreamteBytes.hpp"
#include "tests/support/endezuende/Warten.hpp"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <X11/keysym.h>
#include <iostream>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

// Half a second of silence after the speech: the microphone delivers whole chunks, so
// the last words reach parlix only with what follows them.
const QByteArray kNachlauf(16000, '\0');

QString ausgabeOrdner() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // Parameterised scenarios have slashes in their names.
    const QString name =
        QString::fromUtf8(test->test_suite_name()) + u'.' + QString::fromUtf8(test->name());
    return QStringLiteral(PARLIX_E2E_AUSGABE) + u'/' + QString(name).replace(u'/', u'_');
}

void kopiere(const QString& von, const QString& nach) {
    QFile::remove(nach);
    QFile::copy(von, nach);
}

} // namespace

void EndeZuEndeTest::SetUp() {
    QDir(ausgabeOrdner()).removeRecursively();
    buehne_ = std::make_unique<Buehne>(buehnenOptionen);
    ASSERT_TRUE(b().laeuft()) << b().fehler().toStdString();
}

void EndeZuEndeTest::TearDown() {
    // The session ends the program: it goes in order, and the sanitizers find nothing.
    if (buehne_ && b().laeuft() && parlix().laeuft()) {
        EXPECT_EQ(parlix().beende(), std::optional<int>(0))
            << "parlix did not end in order:\n"
            << parlix().fehlerAusgabe().right(4000).toStdString();
    }
    if (buehne_ && HasFailure()) {
        sichereAusgabe();
    }
    buehne_.reset();
}

void EndeZuEndeTest::sichereAusgabe() {
    const QString ordner = ausgabeOrdner();
    QDir().mkpath(ordner);
    // The desktop's programs (Xvfb, openbox, the applications) log beside it.
    const QDir desktop(b().desktop().verzeichnis());
    for (const QString& log : desktop.entryList({u"*.log"_s}, QDir::Files)) {
        kopiere(desktop.filePath(log), ordner + u"/desktop-"_s + log);
    }
    std::cout << "\nThe scenario's screenshots and logs: " << ordner.toStdString() << '\n';
    if (!b().laeuft()) {
        return;
    }
    schritt(u"ende"_s);
    for (qsizetype i = 0; i < schritte_.size(); ++i) {
        schritte_[i].second.save(
            u"%1/%2-%3.png"_s.arg(ordner).arg(i + 1, 2, 10, QChar(u'0')).arg(schritte_[i].first));
    }
    kopiere(parlix().logDatei(), ordner + u"/parlix.log"_s);
    QFile fehler(ordner + u"/parlix-stderr.log"_s);
    if (fehler.open(QIODevice::WriteOnly)) {
        fehler.write(parlix().fehlerAusgabe().toUtf8());
    }
    QStringList anfragen;
    for (const Anfrage& anfrage : server().anfragen()) {
        anfragen << QString::fromUtf8(anfrage.methode) + u' ' + anfrage.pfad + u" ("_s +
                        QString::number(anfrage.koerper.size()) + u" bytes)"_s;
    }
    // Standard error holds what the sanitizers report.
    const QStringList fehlerZeilen = parlix().fehlerAusgabe().split(u'\n');
    std::cout << "Requests the server received:\n  " << anfragen.join(u"\n  "_s).toStdString()
              << "\nThe parlix log:\n  " << parlix().logZeilen().join(u"\n  "_s).toStdString()
              << "\nThe end of parlix's standard error:\n  "
              << fehlerZeilen.mid(std::max<qsizetype>(fehlerZeilen.size() - 40, 0))
                     .join(u"\n  "_s)
                     .toStdString()
              << "\n";
}

void EndeZuEndeTest::starteParlix(const std::function<void(Einstellungen&)>& einrichten) {
    {
        const std::unique_ptr<DefaultsStore> speicher = parlix().einstellungen();
        Einstellungen einstellungen(*speicher);
        einstellungen.setzeSetupErledigt(true);
        einstellungen.setzeUiSprache(u"de"_s);
        if (einrichten) {
            einrichten(einstellungen);
        }
    }
    parlix().starte();
    ASSERT_TRUE(parlix().warteAufLog(u"App gestartet"_s)) << "parlix did not start:\n"
                                                          << parlix().fehlerAusgabe().toStdString();
    schritt(u"gestartet"_s);
    const QStringList fehlend = parlix().logZeilen().filter(u"nicht verfügbar"_s);
    ASSERT_TRUE(fehlend.isEmpty())
        << "parlix runs without:\n  " << fehlend.join(u"\n  "_s).toStdString();
    // Keys pressed before the key source listens would go unseen.
    ASSERT_TRUE(parlix().warteAufLog(u"HotkeyTap aktiv"_s)) << "the key source did not start";
}

void EndeZuEndeTest::schritt(const QString& name) {
    schritte_.append({name, b().bildschirm().bild()});
}

void EndeZuEndeTest::anbieterAntwortet(const QString& transkript, const QString& antwort) {
    server().stelleStreamEin(StreamAblauf().warteAufEnde().sendeFinal(QString()));
    server().stelleEin(sttPfad, Antwort::text(200, transkript.toUtf8()));
    server().stelleEin(chatPfad, chatAntwort(antwort));
}

Antwort EndeZuEndeTest::chatAntwort(const QString& inhalt) {
    const QJsonObject nachricht{{u"role"_s, u"assistant"_s}, {u"content"_s, inhalt}};
    return Antwort::json(200, {{u"choices"_s, QJsonArray{QJsonObject{{u"message"_s, nachricht}}}}});
}

bool EndeZuEndeTest::warteAufChat() {
    return warteBis([this] { return server().anfragen(chatPfad).size() == 1; }, 30s);
}

QByteArray EndeZuEndeTest::sprache(const QString& satz) {
    return Sprachprobe::sprich(satz);
}

void EndeZuEndeTest::sprichMitTaste(const QByteArray& pcm, quint32 taste) {
    const QString gestartet = u"🎙️ Aufnahme gestartet"_s;
    const int vorher = parlix().logAnzahl(gestartet);
    const qsizetype schonGestreamt = gestreamteBytes(server().streams());
    b().nutzer().drueckeTaste(taste);
    ASSERT_TRUE(parlix().warteAufLog(gestartet, vorher + 1)) << "no recording started";
    b().ton().speise(pcm + kNachlauf);
    b().ton().warteAufSpeisung();
    ASSERT_TRUE(server().warteAufStreams(
        [&](const QList<StreamMitschnitt>& streams) {
            return gestreamteBytes(streams) >= schonGestreamt + pcm.size();
        },
        30s))
        << "the speech did not reach the server's stream";
    schritt(u"gesprochen"_s);
}

void EndeZuEndeTest::diktiere(const QByteArray& pcm, quint32 taste) {
    sprichMitTaste(pcm, taste);
    b().nutzer().lasseTasteLos(taste);
}

void EndeZuEndeTest::diktiere(const QByteArray& pcm) {
    diktiere(pcm, XK_Control_L);
}

QByteArray EndeZuEndeTest::pcmAus(const Anfrage& anfrage) {
    const QByteArray& koerper = anfrage.koerper;
    const qsizetype riff = koerper.indexOf("RIFF");
    if (riff < 0) {
        return {};
    }
    // The chunks after "WAVE": id, size (little-endian), data.
    for (qsizetype pos = riff + 12; pos + 8 <= koerper.size();) {
        const auto groesse = qFromLittleEndian<quint32>(koerper.constData() + pos + 4);
        if (koerper.mid(pos, 4) == "data") {
            return koerper.mid(pos + 8, groesse);
        }
        pos += 8 + groesse;
    }
    return {};
}

double EndeZuEndeTest::energie(const QByteArray& pcm) {
    double summe = 0;
    for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
        const double wert = qFromLittleEndian<qint16>(pcm.constData() + i) / 32768.0;
        summe += wert * wert;
    }
    return summe;
}

QString EndeZuEndeTest::nutzerNachricht(const Anfrage& anfrage) {
    const QJsonArray nachrichten =
        QJsonDocument::fromJson(anfrage.koerper).object()[u"messages"_s].toArray();
    for (const QJsonValue& nachricht : nachrichten) {
        if (nachricht[u"role"_s].toString() == u"user"_s) {
            return nachricht[u"content"_s].toString();
        }
    }
    return {};
}

bool EndeZuEndeTest::hudZeigt() {
    // Mapped is not yet seen: the HUD counts once something of it is drawn.
    const std::optional<Bildschirm::Fenster> hud = b().bildschirm().fenster(u"Parlix HUD"_s);
    if (!hud || !hud->sichtbar) {
        return false;
    }
    const QImage bild = b().bildschirm().bild(hud->rahmen);
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x) {
            if (qGray(bild.pixel(x, y)) > 64) {
                return true;
            }
        }
    }
    return false;
}

bool EndeZuEndeTest::warteAufHud(bool sichtbar) {
    return warteBis([&] { return hudZeigt() == sichtbar; }, 20s);
}

} // namespace parlix::test
