#pragma once

#include "app/platform/Plattform.hpp"
#include "app/platform/null/NullTastenUmleitung.hpp"
#include "app/start/AppDelegate.hpp"
#include "app/stream/NetzFaden.hpp"
#include "core/services/HttpTransport.hpp"
#include "core/settings/Einstellungen.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/FakeFensterSteuerung.hpp"
#include "tests/support/FakePlattform.hpp"
#include "tests/support/LogMitschnitt.hpp"
#include "tests/support/SteuerbareTastenQuelle.hpp"
#include "tests/support/TestServer.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace parlix::test {

// The whole start-up on the test's desktop: fakes for the desktop services, a key source
// the test presses, the virtual main queue and the reference server on loopback as the
// backend of the services and the account. Sounds and the start delay are off.
class StartTestBasis : public ::testing::Test {
protected:
    StartTestBasis();
    ~StartTestBasis() override;

    // Builds the delegate and runs its start-up.
    AppDelegate& starte();
    AppDelegate& app() { return *delegate; }

    // The services of `plattform` (fakes unless a test replaced one).
    Plattform plattform;
    // The window controller's surroundings, once the delegate has built it.
    std::optional<FensterUmfeld> umfeld;

    LogMitschnitt log;
    TestServer server;
    QTemporaryDir verzeichnis;
    SpeicherDefaultsStore speicher;
    Einstellungen einstellungen{speicher};
    NetzFaden netz; // outlives the streams that jobs of the queue may still hold
    VirtuelleMainQueue queue;
    HttpTransport http;
    FakePlattform fake;
    NullTastenUmleitung umleitung;
    SteuerbareTastenQuelle* tasten = nullptr; // owned by the delegate's key tap
    std::unique_ptr<AppDelegate> delegate;    // last: goes first
};

} // namespace parlix::test
