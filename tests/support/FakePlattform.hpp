#pragma once

#include "app/coordinator/AufnahmeDienste.hpp"
#include "tests/support/Aufrufe.hpp"
#include "tests/support/FakeDesktop.hpp"
#include "tests/support/FakeEscMonitor.hpp"
#include "tests/support/FakeFenster.hpp"
#include "tests/support/FakeKlangspieler.hpp"
#include "tests/support/FakeKontext.hpp"
#include "tests/support/FakeLiveTranskription.hpp"
#include "tests/support/FakeMikrofon.hpp"
#include "tests/support/FakeStummschalter.hpp"

#include <memory>
#include <optional>

namespace parlix::test {

// Every platform service of the coordinator as a recording fake, all writing to one
// call list. Must outlive the coordinator that uses it.
class FakePlattform {
public:
    // How the streams of new recordings behave.
    struct StreamSkript {
        bool startet = true;
        std::optional<QString> transkript;
        // beende() waits until released (see FakeLiveTranskription).
        bool haelt = false;
    };

    Aufrufe aufrufe;
    FakeMikrofon mikrofon{aufrufe};
    FakeStummschalter stummschalter{aufrufe};
    FakeKlangspieler klaenge{aufrufe};
    FakeEscMonitor esc{aufrufe};
    FakeDesktop desktop{aufrufe};
    FakeKontext kontext{aufrufe};
    FakeHUDFenster hud{aufrufe, QStringLiteral("hud")};
    FakeLiveBoxFenster liveBox{aufrufe, QStringLiteral("liveBox")};
    // Unset: recordings are not streamed.
    std::optional<StreamSkript> stream;
    // The stream of the latest recording, if one was made.
    std::shared_ptr<FakeLiveTranskription> letzterStream;

    AufnahmeDienste dienste(MainQueue& queue, DefaultsStore& speicher, VerlaufStore& verlauf,
                            HttpTransport& http);
};

} // namespace parlix::test
