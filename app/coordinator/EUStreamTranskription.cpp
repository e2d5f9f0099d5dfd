#include "app/coordinator/EUStreamTranskription.hpp"

namespace parlix {

EUStreamTranskription::EUStreamTranskription(DefaultsStore& speicher, MainQueue& mainQueue,
                                             NetzFaden& netz, EUStreamClient::Optionen optionen)
    : client_(speicher, mainQueue, netz, std::move(optionen)) {}

bool EUStreamTranskription::starte() {
    client_.onDelta = onDelta;
    return client_.starte();
}

LiveTranskriptionFabrik EUStreamTranskription::fabrik(DefaultsStore& speicher, MainQueue& mainQueue,
                                                      NetzFaden& netz,
                                                      EUStreamClient::Optionen optionen) {
    return [&speicher, &mainQueue, &netz, optionen = std::move(optionen)] {
        return std::make_shared<EUStreamTranskription>(speicher, mainQueue, netz, optionen);
    };
}

} // namespace parlix
