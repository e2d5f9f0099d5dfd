#pragma once

#include "app/account/Konto.hpp"
#include "app/anbieter/AnbieterEinstellungen.hpp"
#include "app/ui/fenster/FensterController.hpp"
#include "core/concurrency/QtMainQueue.hpp"
#include "core/hotkeys/HotkeyManager.hpp"
#include "core/settings/SpeicherDefaultsStore.hpp"
#include "tests/support/Aufrufe.hpp"
#include "tests/support/FakeKlangspieler.hpp"
#include "tests/support/FakeTastenUmleitung.hpp"
#include "tests/support/FakeZugang.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace parlix::test {

// The windows over fakes of every service, in German unless a test chooses otherwise.
// The hotkey managers run on a virtual queue, so a test can see the start delay pass.
// Maintenance calls (autostart, update check, restart question) are recorded in
// `aufrufe`.
class FensterTestBasis : public ::testing::Test {
protected:
    FensterTestBasis();
    ~FensterTestBasis() override;

    // Built on first use, over the state the test has set up by then.
    FensterController& controller();
    QString text(const QString& key);

    // The visible button of the window with exactly this text; fails the test if none.
    static QAbstractButton* knopf(QWidget* wurzel, const QString& text);
    // Shows the window and waits until it is exposed on the display.
    static void zeigeUndWarte(QWidget* fenster);

    Aufrufe aufrufe;
    SpeicherDefaultsStore speicher;
    QtMainQueue mainQueue;
    VirtuelleMainQueue tastenQueue;
    FakeMikrofonDienst mikrofone{aufrufe};
    FakeDesktopZugang desktop;
    FakeBarrierefreiheit bus{aufrufe};
    FakeKlangspieler klaenge{aufrufe};
    FakeTastenUmleitung tasten{aufrufe};
    QTemporaryDir ordner;
    // Its keys in a file of `ordner`: the keyring has tests of its own.
    AnbieterEinstellungen anbieter{speicher,
                                   std::make_unique<SchluesselBund>(
                                       ordner.filePath(QStringLiteral("schluessel.json")), false)};
    QUrl backend{QStringLiteral("http://127.0.0.1:9")};
    std::unique_ptr<Konto> konto;
    // Dictation, action, prompt, lock, reading their hotkeys from `speicher`.
    std::array<std::shared_ptr<HotkeyManager>, 4> manager;
    bool autostartAn = false;
    // False: switching autostart fails and leaves it as it was (as an unwritable entry does).
    bool autostartSchaltbar = true;

private:
    std::unique_ptr<FensterController> controller_;
};

} // namespace parlix::test
