#include "app/platform/wayland/sway/SwayEreignisse.hpp"

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace parlix {

SwayEreignisse::SwayEreignisse(const QString& socket)
    : ipc_(socket) {
    const auto antwort = ipc_.frage(SwayIpc::kAbonniere, R"(["binding","window","workspace"])");
    bereit_ = antwort && antwort->object().value(u"success"_s).toBool();
    if (bereit_) {
        faden_ = std::jthread([this](std::stop_token stop) { laufe(stop); });
    }
}

SwayEreignisse::~SwayEreignisse() {
    faden_ = {};
}

int SwayEreignisse::abonniere(quint32 typ, Behandler behandler) {
    const std::lock_guard lock(sperre_);
    behandler_.emplace(naechste_, std::pair(typ, std::move(behandler)));
    return naechste_++;
}

void SwayEreignisse::entferne(int nummer) {
    const std::lock_guard lock(sperre_);
    behandler_.erase(nummer);
}

void SwayEreignisse::laufe(std::stop_token stop) {
    while (!stop.stop_requested() && ipc_.verbunden()) {
        const auto ereignis = ipc_.naechstesEreignis(std::chrono::milliseconds(100));
        if (!ereignis) {
            continue;
        }
        const QJsonObject inhalt = ereignis->inhalt.object();
        const std::lock_guard lock(sperre_);
        for (const auto& [nummer, eintrag] : behandler_) {
            if (eintrag.first == ereignis->typ) {
                eintrag.second(inhalt);
            }
        }
    }
}

} // namespace parlix
