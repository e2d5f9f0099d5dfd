#include "tests/support/FakePlattform.hpp"

namespace parlix::test {

AufnahmeDienste FakePlattform::dienste(MainQueue& queue, DefaultsStore& speicher,
                                       VerlaufStore& verlauf, HttpTransport& http) {
    return {queue,
            speicher,
            verlauf,
            mikrofon.fabrik(),
            {},
            stummschalter,
            klaenge,
            esc,
            desktop,
            desktop,
            desktop,
            {http, kontext, kontext, kontext, kontext, kontext, [&queue] { return queue.jetzt(); }}};
}

} // namespace parlix::test
