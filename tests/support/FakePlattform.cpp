#include "tests/support/FakePlattform.hpp"

namespace parlix::test {

AufnahmeDienste FakePlattform::dienste(MainQueue& queue, DefaultsStore& speicher,
                                       VerlaufStore& verlauf, HttpTransport& http) {
    return {queue,   speicher, verlauf, http,    mikrofon.fabrik(), {},      stummschalter,
            klaenge, esc,      desktop, desktop, desktop,           kontext, kontext,
            kontext, kontext,  kontext};
}

} // namespace parlix::test
