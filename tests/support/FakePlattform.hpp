#pragma once

#include "app/coordinator/AufnahmeDienste.hpp"
#include "tests/support/Aufrufe.hpp"
#include "tests/support/FakeDesktop.hpp"
#include "tests/support/FakeEscMonitor.hpp"
#include "tests/support/FakeFenster.hpp"
#include "tests/support/FakeKlangspieler.hpp"
#include "tests/support/FakeKontext.hpp"
#include "tests/support/FakeMikrofon.hpp"
#include "tests/support/FakeStummschalter.hpp"

namespace parlix::test {

// Every platform service of the coordinator as a recording fake, all writing to one
// call list. Must outlive the coordinator that uses it.
class FakePlattform {
public:
    Aufrufe aufrufe;
    FakeMikrofon mikrofon{aufrufe};
    FakeStummschalter stummschalter{aufrufe};
    FakeKlangspieler klaenge{aufrufe};
    FakeEscMonitor esc{aufrufe};
    FakeDesktop desktop{aufrufe};
    FakeKontext kontext{aufrufe};
    FakeHUDFenster hud{aufrufe, QStringLiteral("hud")};
    FakeLiveBoxFenster liveBox{aufrufe, QStringLiteral("liveBox")};
    // Services for a coordinator whose recordings are not streamed.
    AufnahmeDienste dienste(MainQueue& queue, DefaultsStore& speicher, VerlaufStore& verlauf,
                            HttpTransport& http);
};

} // namespace parlix::test
