#include "tests/support/FakePlattform.hpp"

namespace parlix::test {

AufnahmeDienste FakePlattform::dienste(MainQueue& queue, DefaultsStore& speicher,
                                       VerlaufStore& verlauf, HttpTransport& http) {
    LiveTranskriptionFabrik streamFabrik;
    if (stream) {
        streamFabrik = [this] {
            letzterStream = std::make_shared<FakeLiveTranskription>(
                aufrufe, stream->startet, stream->transkript, stream->haelt);
            return letzterStream;
        };
    }
    return {queue,         speicher, verlauf, http,    mikrofon.fabrik(), std::move(streamFabrik),
            stummschalter, klaenge,  esc,     desktop, desktop,           desktop,
            kontext,       kontext,  kontext, kontext, kontext,           hud,
            liveBox};
}

} // namespace parlix::test
