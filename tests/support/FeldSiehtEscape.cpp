#include "tests/support/FeldSiehtEscape.hpp"

#include "tests/support/QtWarten.hpp"

#include <QByteArray>

using namespace std::chrono_literals;

namespace parlix::test {

bool feldSiehtEscape(KindProzess& feld, const std::function<bool()>& druecke) {
    feld.lies(0ms);
    QByteArray gedruckt;
    return warteQt(
        [&] {
            gedruckt += druecke() ? feld.lies(300ms) : QByteArray();
            return gedruckt.contains("[Escape]\n");
        },
        10s);
}

} // namespace parlix::test
