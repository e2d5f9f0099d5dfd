// Keystrokes and the clipboard through the RemoteDesktop portal, against a portal played
// by the test on a private session bus: the user is asked once, the restore token spares
// the question the next time, a paste leaves the user's clipboard as it was, and a
// refusal is told, never taken for a paste.
#include "app/platform/wayland/portal/PortalTastatur.hpp"

#include "app/platform/linux/AblageAuswahlKopierer.hpp"
#include "app/platform/linux/AblageTextInserter.hpp"
#include "app/platform/null/NullVordergrundApp.hpp"
#include "app/platform/wayland/WaylandAblage.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/app/platform/wayland/FakeRemoteDesktopPortal.hpp"
#include "tests/app/platform/wayland/PortalBus.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/KopflosesWaylandDesktop.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/QtWarten.hpp"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <future>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {
namespace {

using Taste = std::pair<int, uint>;

// The window in front belongs to an ordinary program, this test's own process.
class OrdentlichesProgramm final : public VordergrundApp {
public:
    std::optional<QString> anwendungsID() override { return std::nullopt; }
    std::optional<qint64> prozess() override { return QCoreApplication::applicationPid(); }
};

class PortalTastaturTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.laeuft()) << desktop_.fehler().toStdString();
        umgebung_.setze("XDG_CONFIG_HOME", konfiguration_.path().toUtf8());
        portal_ = &bus_.starte<FakeRemoteDesktopPortal>();
        ASSERT_TRUE(bus_.parlix().isConnected());
    }

    // What the keyboard's readiness said, once it said it.
    static std::optional<bool> starte(PortalTastatur& tastatur) {
        std::optional<bool> bereit;
        tastatur.starte([&](bool gestartet) { bereit = gestartet; });
        warteQt([&] { return bereit.has_value(); });
        return bereit;
    }
    static QByteArray inhalt(const QString& datei) {
        QFile f(datei);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The portal's keyboard with its clipboard, started, and a paste through both.
    struct PortalEinfuegen {
        explicit PortalEinfuegen(QDBusConnection& bus)
            : tastatur(bus, PortalTastatur::standardTokenDatei(), true)
            , ablage(bus, tastatur.ablageWeg()) {}

        PortalTastatur tastatur;
        FernAblage ablage;
        OrdentlichesProgramm vorn;
        QtMainQueue queue;
        SpeicherDefaultsStore speicher;
        AblageTextInserter inserter{queue, speicher, vorn, ablage, &tastatur};
    };
    bool eingefuegt(qsizetype anzahl) {
        return warteQt([&] { return portal_->eingefuegt().size() == anzahl; });
    }

    KopflosesWaylandDesktop desktop_{{.bus = true}};
    PortalBus bus_{u"fern"_s};
    GesetzteUmgebung umgebung_;
    QTemporaryDir konfiguration_;
    FakeRemoteDesktopPortal* portal_ = nullptr;
};

TEST_F(PortalTastaturTest, NurDerErsteStartFragtDenNutzerUndJederTokenWirdErsetzt) {
    const QString datei = PortalTastatur::standardTokenDatei();
    EXPECT_EQ(datei, konfiguration_.path() + u"/parlix/remote-desktop-token"_s);
    ASSERT_TRUE(PortalTastatur::verfuegbar(bus_.parlix()));
    {
        PortalTastatur tastatur(bus_.parlix(), datei);
        ASSERT_EQ(starte(tastatur), true);
        const QVariantMap auswahl = portal_->auswahl();
        EXPECT_EQ(auswahl.value(u"types"_s).toUInt(), 1u);
        EXPECT_EQ(auswahl.value(u"persist_mode"_s).toUInt(), 2u);
        EXPECT_FALSE(auswahl.contains(u"restore_token"_s));
        EXPECT_EQ(portal_->einwilligungen(), 1);
        EXPECT_EQ(inhalt(datei), "token-1");
        // Only the user may read what spares the question.
        struct stat info {};
        ASSERT_EQ(stat(QFile::encodeName(datei).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);

        ASSERT_TRUE(tastatur.tippe({true, false, XKB_KEY_v}));
        EXPECT_EQ(
            portal_->tasten(),
            (QList<Taste>{
                {XKB_KEY_Control_L, 1}, {XKB_KEY_v, 1}, {XKB_KEY_v, 0}, {XKB_KEY_Control_L, 0}}));
    }
    PortalTastatur wieder(bus_.parlix(), datei);
    ASSERT_EQ(starte(wieder), true);
    EXPECT_EQ(portal_->auswahl().value(u"restore_token"_s), u"token-1"_s);
    EXPECT_EQ(portal_->einwilligungen(), 1);
    EXPECT_EQ(inhalt(datei), "token-2");
    ASSERT_TRUE(wieder.tippe({true, true, XKB_KEY_v}));
    EXPECT_EQ(portal_->tasten().mid(4), (QList<Taste>{{XKB_KEY_Control_L, 1},
                                                      {XKB_KEY_Shift_L, 1},
                                                      {XKB_KEY_v, 1},
                                                      {XKB_KEY_v, 0},
                                                      {XKB_KEY_Shift_L, 0},
                                                      {XKB_KEY_Control_L, 0}}));
}

TEST_F(PortalTastaturTest, AbgelehntBleibtDerTextInDerAblageUndDerNutzerErfaehrtEs) {
    portal_->startAntwort = 1; // the user closed the desktop's dialog
    const QString datei = PortalTastatur::standardTokenDatei();
    PortalTastatur tastatur(bus_.parlix(), datei);
    ASSERT_EQ(starte(tastatur), false);
    EXPECT_FALSE(QFile::exists(datei));

    WaylandVerbindung verbindung;
    WaylandAblage ablage(verbindung);
    WaylandVerbindung nutzer;
    WaylandAblage nutzerAblage(nutzer);
    ASSERT_TRUE(ablage.bereit() && nutzerAblage.bereit());
    NullVordergrundApp vorn;
    QtMainQueue queue;
    SpeicherDefaultsStore speicher;
    AblageTextInserter inserter(queue, speicher, vorn, ablage, &tastatur);
    std::optional<TextInserter::Ergebnis> ergebnis;
    inserter.fuegeEin(u"von Hand einfügen"_s,
                      [&](TextInserter::Ergebnis ende) { ergebnis = ende; });
    ASSERT_TRUE(warteQt([&] { return ergebnis == TextInserter::Ergebnis::nurKopiert; }));
    EXPECT_EQ(nutzerAblage.text(WaylandAblage::Art::zwischenablage), u"von Hand einfügen"_s);
    EXPECT_TRUE(portal_->tasten().isEmpty());
}

TEST_F(PortalTastaturTest, PortalAblageFuegtEinUndGibtDemNutzerSeinenTextZurueck) {
    portal_->nutzerKopiert(u"vom Nutzer kopiert"_s);
    PortalEinfuegen e(bus_.parlix());
    ASSERT_EQ(starte(e.tastatur), true);
    ASSERT_TRUE(e.tastatur.ablageErlaubt());

    e.inserter.fuegeEin(u"Grüße über das Portal"_s, {});
    ASSERT_TRUE(eingefuegt(1));
    EXPECT_EQ(portal_->eingefuegt().last(), u"Grüße über das Portal"_s);
    EXPECT_TRUE(portal_->typen().contains(u"x-kde-passwordManagerHint"_s));
    // Restored: the user's text, no longer marked for clipboard managers to skip.
    ASSERT_TRUE(
        warteQt([&] { return !portal_->typen().contains(u"x-kde-passwordManagerHint"_s); }));
    portal_->zielFuegtEin();
    ASSERT_TRUE(eingefuegt(2));
    EXPECT_EQ(portal_->eingefuegt().last(), u"vom Nutzer kopiert"_s);

    // What the user copies between the paste and the restore stays.
    e.inserter.fuegeEin(u"zweites Diktat"_s, {});
    ASSERT_TRUE(eingefuegt(3));
    EXPECT_EQ(portal_->eingefuegt().last(), u"zweites Diktat"_s);
    portal_->nutzerKopiert(u"inzwischen kopiert"_s);
    warteQt([] { return false; }, AblageTextInserter::kWiederherstellenNach + 300ms);
    EXPECT_FALSE(portal_->sitzungBesitzt());
    portal_->zielFuegtEin();
    ASSERT_TRUE(eingefuegt(4));
    EXPECT_EQ(portal_->eingefuegt().last(), u"inzwischen kopiert"_s);
}

TEST_F(PortalTastaturTest, AuswahlKommtUeberDiePortalAblageUndDieAblageBleibtDesNutzers) {
    portal_->nutzerKopiert(u"vom Nutzer kopiert"_s);
    portal_->markiere(u"markierter Text"_s);
    PortalEinfuegen e(bus_.parlix());
    ASSERT_EQ(starte(e.tastatur), true);
    AblageAuswahlKopierer kopierer(e.vorn, e.ablage, &e.tastatur,
                                   AblageAuswahlKopierer::aufDiesemThread());
    // On a thread of its own, as on the pipeline's, while the portal's signals arrive on
    // the main thread.
    auto auswahl = std::async(std::launch::async, [&] { return kopierer.auswahlText(); });
    ASSERT_TRUE(warteQt([&] { return auswahl.wait_for(0s) == std::future_status::ready; }));
    EXPECT_EQ(auswahl.get(), u"markierter Text"_s);
    portal_->zielFuegtEin();
    ASSERT_TRUE(eingefuegt(1));
    EXPECT_EQ(portal_->eingefuegt().last(), u"vom Nutzer kopiert"_s);

    // A window that tells nothing about itself (a terminal without AT-SPI) may take
    // Ctrl+C as an interrupt: no key at all, and the log says so.
    const qsizetype tastenVorher = portal_->tasten().size();
    LogMitschnitt log;
    NullVordergrundApp unbekannt;
    AblageAuswahlKopierer blind(unbekannt, e.ablage, &e.tastatur,
                                AblageAuswahlKopierer::aufDiesemThread());
    auto ohneTaste = std::async(std::launch::async, [&] { return blind.auswahlText(); });
    ASSERT_TRUE(warteQt([&] { return ohneTaste.wait_for(0s) == std::future_status::ready; }));
    EXPECT_EQ(portal_->tasten().size(), tastenVorher);
    EXPECT_EQ(log.zeilen().filter(u"Auswahl: Fensterart unbekannt"_s).size(), 1)
        << log.zeilen().join(u'\n').toStdString();
}

TEST_F(PortalTastaturTest, OhnePortalAblageWirdNichtsEingefuegtUndDasLogSagtEs) {
    portal_->ablageErlauben = false;
    portal_->nutzerKopiert(u"vom Nutzer kopiert"_s);
    LogMitschnitt log;
    PortalEinfuegen e(bus_.parlix());
    ASSERT_EQ(starte(e.tastatur), true);
    EXPECT_FALSE(e.tastatur.ablageErlaubt());
    EXPECT_TRUE(log.enthaelt(u"FEHLER: RemoteDesktop-Portal: Zwischenablage nicht erlaubt"_s));
    std::optional<TextInserter::Ergebnis> ergebnis;

    e.inserter.fuegeEin(u"nicht eingefügt"_s,
                        [&](TextInserter::Ergebnis ende) { ergebnis = ende; });
    EXPECT_TRUE(
        log.enthaelt(u"FEHLER: Einfügen: Zwischenablage nicht erreichbar, Text nicht eingefügt"_s));
    // Ctrl+V would paste the user's old text as if it were the dictation.
    warteQt([] { return false; }, AblageTextInserter::kEinfuegenNach + 200ms);
    EXPECT_TRUE(portal_->tasten().isEmpty());
    EXPECT_EQ(ergebnis, TextInserter::Ergebnis::fehlgeschlagen);
    EXPECT_TRUE(portal_->eingefuegt().isEmpty());
}

} // namespace
} // namespace parlix::test
