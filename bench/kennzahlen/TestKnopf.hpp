#pragma once

#include "bench/kennzahlen/Kennzahl.hpp"

#include <QList>

namespace parlix::bench {

// The Test button of the provider settings: its round trip (the spoken sample to the
// transcription, one line to the language model) through Parlix's own server of this
// build to a provider on loopback that answers at once, as the button shows it.
namespace TestKnopf {

// Empty when the server did not start or a test failed.
QList<Kennzahl> miss(int runden);

} // namespace TestKnopf

} // namespace parlix::bench
