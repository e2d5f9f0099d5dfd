#pragma once

#include "app/coordinator/LiveTranskription.hpp"
#include "app/stream/EUStreamClient.hpp"

namespace parlix {

// The streaming client as the live transcription of a recording.
class EUStreamTranskription final : public LiveTranskription {
public:
    EUStreamTranskription(DefaultsStore& speicher, MainQueue& mainQueue, NetzFaden& netz,
                          EUStreamClient::Optionen optionen = {});

    bool starte() override;
    void sende(const QByteArray& chunk) override { client_.sende(chunk); }
    std::optional<QString> beende(std::stop_token stop) override { return client_.beende(stop); }
    void abbrechen() override { client_.abbrechen(); }

    // Makes one client per recording; they share the network thread, which must outlive
    // them.
    static LiveTranskriptionFabrik fabrik(DefaultsStore& speicher, MainQueue& mainQueue,
                                          NetzFaden& netz, EUStreamClient::Optionen optionen = {});

private:
    EUStreamClient client_;
};

} // namespace parlix
