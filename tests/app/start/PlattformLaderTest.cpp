#include "app/lader/PlattformLader.hpp"

#include "app/platform/Plattform.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/GesetzteUmgebung.hpp"
#include "tests/support/LogMitschnitt.hpp"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

TEST(PlattformLaderTest, TheSessionChoosesTheBackendAndTheVariableOverridesIt) {
    GesetzteUmgebung umgebung;
    umgebung.entferne("PARLIX_PLATTFORM");
    umgebung.setze("XDG_SESSION_TYPE", "x11");
    umgebung.entferne("WAYLAND_DISPLAY");
    umgebung.setze("DISPLAY", ":7");
    EXPECT_EQ(PlattformLader::erkenneSitzung(), u"x11"_s);
    umgebung.setze("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_EQ(PlattformLader::erkenneSitzung(), u"wayland"_s);
    umgebung.setze("PARLIX_PLATTFORM", "x11");
    EXPECT_EQ(PlattformLader::erkenneSitzung(), u"x11"_s);
    umgebung.setze("PARLIX_PLATTFORM", "null");
    EXPECT_EQ(PlattformLader::erkenneSitzung(), u"null"_s);
    umgebung.entferne("WAYLAND_DISPLAY");
    umgebung.setze("PARLIX_PLATTFORM", "wayland");
    EXPECT_EQ(PlattformLader::erkenneSitzung(), u"wayland"_s);
    // An unknown override is ignored.
    umgebung.setze("PARLIX_PLATTFORM", "cocoa");
    umgebung.entferne("WAYLAND_DISPLAY");
    umgebung.entferne("DISPLAY");
    umgebung.entferne("XDG_SESSION_TYPE");
    EXPECT_EQ(PlattformLader::erkenneSitzung(), u"null"_s);
}

// Every member of the platform is filled, whatever the session provides.
void erwarteVollstaendig(const Plattform& p) {
    for (const bool da : {static_cast<bool>(p.recorder),
                          static_cast<bool>(p.stummschalter),
                          static_cast<bool>(p.klaenge),
                          static_cast<bool>(p.tasten),
                          p.umleitung != nullptr,
                          static_cast<bool>(p.escMonitor),
                          static_cast<bool>(p.vollbild),
                          static_cast<bool>(p.vordergrund),
                          static_cast<bool>(p.arbeitsflaeche),
                          static_cast<bool>(p.vertrauen),
                          static_cast<bool>(p.inserter),
                          static_cast<bool>(p.kopierablage),
                          static_cast<bool>(p.axKontext),
                          static_cast<bool>(p.auswahl),
                          static_cast<bool>(p.fensterFoto),
                          static_cast<bool>(p.texterkennung),
                          static_cast<bool>(p.browserText),
                          static_cast<bool>(p.mikrofone),
                          static_cast<bool>(p.desktop),
                          static_cast<bool>(p.barrierefreiheit)}) {
        EXPECT_TRUE(da);
    }
}

TEST(PlattformLaderTest, EveryServiceAWaylandSessionLacksIsNullAndNamedInTheLog) {
    LogMitschnitt log;
    QTemporaryDir ordner;
    GesetzteUmgebung umgebung;
    // The sound services keep files there.
    umgebung.setze("XDG_STATE_HOME", QFile::encodeName(ordner.path()));
    umgebung.setze("XDG_CACHE_HOME", QFile::encodeName(ordner.path()));
    umgebung.entferne("PARLIX_PLATTFORM");
    umgebung.setze("WAYLAND_DISPLAY", "wayland-0");
    SpeicherDefaultsStore speicher;
    QtMainQueue queue;
    const auto plattform = PlattformLader::lade(speicher, queue);
    EXPECT_TRUE(log.enthaelt(u"Plattform: wayland"_s));
    EXPECT_TRUE(log.enthaelt(u"Plattform (wayland): globale Tasten nicht verfügbar"_s));
    EXPECT_TRUE(log.enthaelt(u"Plattform (wayland): Einfügen nicht verfügbar"_s));
    // Sound and text recognition do not depend on the session.
    EXPECT_FALSE(log.enthaelt(u"Plattform (wayland): Klänge nicht verfügbar"_s));
    erwarteVollstaendig(*plattform);
    EXPECT_FALSE(plattform->vertrauen->istVertraut());
    EXPECT_FALSE(plattform->vordergrund->anwendungsID().has_value());

    // The null platform opens nothing of the machine, sound included.
    umgebung.setze("PARLIX_PLATTFORM", "null");
    const auto leer = PlattformLader::lade(speicher, queue);
    EXPECT_TRUE(log.enthaelt(u"Plattform (null): Klänge nicht verfügbar"_s));
    EXPECT_TRUE(log.enthaelt(u"Plattform (null): Mikrofon nicht verfügbar"_s));
    erwarteVollstaendig(*leer);
}

} // namespace

} // namespace parlix::test
