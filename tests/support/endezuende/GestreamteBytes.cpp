#include "tests/support/endezuende/GestreamteBytes.hpp"

namespace parlix::test {

qsizetype gestreamteBytes(const QList<StreamMitschnitt>& streams) {
    qsizetype summe = 0;
    for (const StreamMitschnitt& stream : streams) {
        for (const QByteArray& chunk : stream.chunks()) {
            summe += chunk.size();
        }
    }
    return summe;
}

} // namespace parlix::test
