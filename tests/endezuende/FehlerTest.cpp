// A failing provider: the HUD says so, nothing is pasted or kept, and the sound that was
// lowered for the recording is back where the user had it.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

class FehlerTest : public EndeZuEndeTest {
protected:
    bool lautstaerkeIst(const QString& prozent) {
        const auto ausgabe = b().ton().pactl(
            {u"get-sink-volume"_s, QString::fromLatin1(KopfloserTonServer::kSenke)});
        return ausgabe && ausgabe->contains(u" "_s + prozent + u" "_s);
    }
};

TEST_F(FehlerTest, DasHudMeldetDenFehlerNichtsWirdEingefuegtUndDerTonIstZurueck) {
    ASSERT_NO_FATAL_FAILURE(starteParlix([](Einstellungen& e) { e.setzeAufnahmeLautstaerke(10); }));
    ASSERT_TRUE(b().ton().pactl(
        {u"set-sink-volume"_s, QString::fromLatin1(KopfloserTonServer::kSenke), u"80%"_s}));
    anbieterAntwortet(u"geht schief"_s, u"Geht schief."_s);
    server().stelleEin(chatPfad, Antwort::fehler(500, u"Upstream kaputt"_s));
    Zielfeld feld = Zielfeld::qt(b(), u"unverändert"_s);
    ASSERT_TRUE(feld.bereit());

    ASSERT_NO_FATAL_FAILURE(sprichMitTaste(sprache(u"Das geht schief."_s), XK_Control_L));
    EXPECT_TRUE(warteBis([&] { return lautstaerkeIst(u"10%"_s); }))
        << "the output was not lowered during the recording";
    b().nutzer().lasseTasteLos(XK_Control_L);

    ASSERT_TRUE(parlix().warteAufLog(u"FEHLER: Groq fehlgeschlagen"_s));
    // The message shows for a moment: pictures first, reading after.
    QList<QImage> bilder;
    EXPECT_TRUE(warteBis([&] {
        const std::optional<Bildschirm::Fenster> f = b().bildschirm().fenster(u"Parlix HUD"_s);
        if (f && f->sichtbar) {
            bilder.append(b().bildschirm().bild(f->rahmen));
        }
        return !bilder.isEmpty() && !(f && f->sichtbar);
    })) << "the HUD does not show the message and go";
    // The message shows for most of that time, then the HUD fades: some pictures across
    // it are read.
    QStringList gelesen;
    const qsizetype abstand = std::max<qsizetype>(bilder.size() / 8, 1);
    for (qsizetype i = 0; i < bilder.size(); i += abstand) {
        gelesen << Bildschirm::text(bilder[i]);
        if (gelesen.last().contains(u"fehlgeschlagen"_s)) {
            break;
        }
    }
    EXPECT_TRUE(!gelesen.isEmpty() && gelesen.last().contains(u"fehlgeschlagen"_s))
        << "the HUD showed: " << gelesen.join(u" | "_s).toStdString();
    schritt(u"fehler"_s);
    EXPECT_TRUE(lautstaerkeIst(u"80%"_s));
    EXPECT_EQ(feld.inhalt(), u"unverändert"_s);
    EXPECT_TRUE(parlix().verlauf().isEmpty());
    EXPECT_EQ(parlix().logAnzahl(u"⌘V Auto-Einfügen"_s), 0);
}

} // namespace
} // namespace parlix::test
