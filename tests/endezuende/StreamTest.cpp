// Streaming: the provider sends words while the user still speaks. The live box shows
// them, and the final transcript of the stream makes the batch transcription needless.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Warten.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using StreamTest = EndeZuEndeTest;

TEST_F(StreamTest, DieLiveBoxZeigtDieWoerterUndEsGibtKeinenBatchAufruf) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    const QString gesagt = u"Sonnenschein und Morgenkaffee"_s;
    const QString bereinigt = u"Sonnenschein und Morgenkaffee."_s;
    // Words while the audio comes in, the whole transcript after the end.
    server().stelleStreamEin(StreamAblauf()
                                 .warteAufChunks(2)
                                 .sendeDelta(u"Sonnenschein"_s)
                                 .warteAufChunks(4)
                                 .sendeDelta(u" und Morgenkaffee"_s)
                                 .warteAufEnde()
                                 .sendeFinal(gesagt));
    server().stelleEin(chatPfad, chatAntwort(bereinigt));
    Zielfeld feld = Zielfeld::qt(b());
    ASSERT_TRUE(feld.bereit());

    ASSERT_NO_FATAL_FAILURE(
        sprichMitTaste(sprache(u"Sonnenschein und Morgenkaffee, bitte."_s), XK_Control_L));
    // The key is still held: the words are on the screen now.
    QString liveBox;
    EXPECT_TRUE(warteBis(
        [&] {
            const std::optional<Bildschirm::Fenster> box =
                b().bildschirm().fenster(u"Parlix Live"_s);
            liveBox = box && box->sichtbar ? b().bildschirm().text(box->rahmen) : QString();
            return liveBox.contains(u"Sonnenschein"_s) && liveBox.contains(u"Morgenkaffee"_s);
        },
        30s))
        << "the live box shows: " << liveBox.toStdString();
    schritt(u"livebox"_s);
    b().nutzer().lasseTasteLos(XK_Control_L);

    EXPECT_TRUE(feld.haeltBald(bereinigt)) << feld.inhalt().toStdString();
    EXPECT_TRUE(warteBis([&] { return !b().bildschirm().zeigt(u"Parlix Live"_s); }))
        << "the live box stays after the delivery";
    EXPECT_TRUE(server().anfragen(sttPfad).isEmpty()) << "a batch transcription was made";
    const QList<Anfrage> chat = server().anfragen(chatPfad);
    ASSERT_EQ(chat.size(), 1);
    EXPECT_EQ(nutzerNachricht(chat[0]), gesagt);
    ASSERT_EQ(server().streams().size(), 1);
    EXPECT_TRUE(server().streams()[0].endeEmpfangen());
}

} // namespace
} // namespace parlix::test
