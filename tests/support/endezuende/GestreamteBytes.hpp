#pragma once

#include "tests/support/server/StreamMitschnitt.hpp"

#include <QList>

namespace parlix::test {

// How much audio the server's streams received, over all of them.
qsizetype gestreamteBytes(const QList<StreamMitschnitt>& streams);

} // namespace parlix::test
