// Hands-free: a double tap of the dictation key locks the recording, so that letting go
// does not end it; the next press does. With the lock key switched on, that key alone
// starts and ends a locked dictation.
#include "tests/endezuende/EndeZuEndeTest.hpp"
#include "tests/support/endezuende/Zielfeld.hpp"

#include <X11/keysym.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

class SperreTest : public EndeZuEndeTest {
protected:
    // Speaks once the locked recording runs, with no key held, and waits until parlix has
    // all of it.
    void sprichFreihaendig(const QByteArray& pcm) {
        ASSERT_TRUE(parlix().warteAufLog(u"🔒 freihändig eingerastet"_s)) << "not locked";
        ASSERT_TRUE(parlix().warteAufLog(u"🎙️ Aufnahme gestartet"_s));
        b().ton().speise(pcm + QByteArray(16000, '\0'));
        b().ton().warteAufSpeisung();
        ASSERT_TRUE(server().warteAufStreams(
            [&](const QList<StreamMitschnitt>& streams) {
                qsizetype summe = 0;
                for (const QByteArray& chunk : streams.value(0).chunks()) {
                    summe += chunk.size();
                }
                return summe >= pcm.size();
            },
            30s));
        // Nothing ended the recording meanwhile.
        EXPECT_EQ(parlix().logAnzahl(u"⏹ STOP"_s), 0);
        EXPECT_TRUE(hudZeigt());
        schritt(u"freihaendig"_s);
    }

    void pruefeEingefuegt(Zielfeld& feld, const QString& text) {
        EXPECT_TRUE(parlix().warteAufLog(u"⏹ STOP"_s));
        EXPECT_TRUE(feld.haeltBald(text)) << feld.inhalt().toStdString();
        EXPECT_EQ(parlix().logAnzahl(u"▶︎ START"_s), 1);
    }
};

TEST_F(SperreTest, DoppeltippSperrtUndDerNaechsteDruckBeendet) {
    ASSERT_NO_FATAL_FAILURE(starteParlix());
    anbieterAntwortet(u"ohne hände"_s, u"Ohne Hände."_s);
    Zielfeld feld = Zielfeld::qt(b());
    ASSERT_TRUE(feld.bereit());

    // A short tap and at once a second press.
    b().nutzer().tippe({.keysym = XK_Control_L});
    b().nutzer().tippe({.keysym = XK_Control_L});
    ASSERT_NO_FATAL_FAILURE(sprichFreihaendig(sprache(u"Ohne Hände."_s)));
    b().nutzer().tippe({.keysym = XK_Control_L});

    pruefeEingefuegt(feld, u"Ohne Hände."_s);
}

TEST_F(SperreTest, DieSperrtasteSchaltetEinUndAus) {
    ASSERT_NO_FATAL_FAILURE(starteParlix([](Einstellungen& e) { e.setzeLockPerTaste(true); }));
    anbieterAntwortet(u"mit der sperrtaste"_s, u"Mit der Sperrtaste."_s);
    Zielfeld feld = Zielfeld::qt(b());
    ASSERT_TRUE(feld.bereit());
    // The lock key: Super+Shift+L.
    const auto sperrtaste = [this] {
        b().nutzer().drueckeTaste(XK_Super_L);
        b().nutzer().tippe({.umschalt = true, .keysym = XK_l});
        b().nutzer().lasseTasteLos(XK_Super_L);
    };

    sperrtaste();
    ASSERT_NO_FATAL_FAILURE(sprichFreihaendig(sprache(u"Mit der Sperrtaste."_s)));
    sperrtaste();

    // Exactly the dictation: the lock key reached parlix, not the field.
    pruefeEingefuegt(feld, u"Mit der Sperrtaste."_s);
}

} // namespace
} // namespace parlix::test
