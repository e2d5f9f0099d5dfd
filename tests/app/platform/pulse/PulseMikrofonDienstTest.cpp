// The microphone service of the settings and the permission row on a private sound server.
#include "app/platform/pulse/PulseMikrofonDienst.hpp"

#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/KopfloserTonServer.hpp"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

TEST(PulseMikrofonDienst, ASourceIsListedAndCanBeOpened) {
    KopfloserTonServer server;
    ASSERT_TRUE(server.laeuft()) << server.fehler().toStdString();
    PulseMikrofonDienst dienst;
    const std::vector<Mikrofon> liste = dienst.liste();
    EXPECT_TRUE(std::any_of(liste.begin(), liste.end(), [](const Mikrofon& m) {
        return m.uid == QString::fromLatin1(KopfloserTonServer::kQuelle);
    }));
    EXPECT_TRUE(dienst.kannAufnehmen());
}

TEST(PulseMikrofonDienst, WithoutASoundServerNothingCanBeOpened) {
    GesetzteUmgebung umgebung;
    umgebung.setze("PULSE_SERVER", "unix:/nonexistent/parlix-pulse");
    PulseMikrofonDienst dienst;
    EXPECT_TRUE(dienst.liste().empty());
    EXPECT_FALSE(dienst.kannAufnehmen());
}

TEST(PulseMikrofonDienst, TheSoundSettingsProgramStartsDetached) {
    QTemporaryDir ordner;
    const QString marke = ordner.filePath(u"gestartet"_s);
    QFile programm(ordner.filePath(u"pavucontrol"_s));
    ASSERT_TRUE(programm.open(QIODevice::WriteOnly));
    programm.write("#!/bin/sh\nsleep 0.2\ntouch \"$PARLIX_MARKE\"\n");
    programm.close();
    programm.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    GesetzteUmgebung umgebung;
    umgebung.setze("PATH", QFile::encodeName(ordner.path()) + ":/usr/bin:/bin");
    umgebung.setze("XDG_CURRENT_DESKTOP", "");
    umgebung.setze("PARLIX_MARKE", QFile::encodeName(marke));

    EXPECT_TRUE(PulseMikrofonDienst().oeffneToneinstellungen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marke); }, 5000));

    umgebung.setze("PATH", QFile::encodeName(ordner.filePath(u"leer"_s)));
    EXPECT_FALSE(PulseMikrofonDienst().oeffneToneinstellungen());
}

} // namespace
} // namespace parlix::test
