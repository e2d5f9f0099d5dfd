#include "app/platform/wayland/sway/SwayVordergrundApp.hpp"

#include "app/platform/wayland/sway/SwayBaum.hpp"

namespace parlix {

namespace {

std::optional<SwayFenster> fokussiertes(SwayIpc& ipc) {
    const auto liste = SwayBaum::fenster(ipc);
    if (!liste || liste->isEmpty() || !liste->first().fokussiert) {
        return std::nullopt;
    }
    return liste->first();
}

} // namespace

std::optional<QString> SwayVordergrundApp::anwendungsID() {
    const auto fenster = fokussiertes(ipc_);
    if (!fenster || fenster->anwendungsID.isEmpty()) {
        return std::nullopt;
    }
    return fenster->anwendungsID;
}

std::optional<qint64> SwayVordergrundApp::prozess() {
    const auto fenster = fokussiertes(ipc_);
    return fenster && fenster->pid > 0 ? std::optional(fenster->pid) : std::nullopt;
}

std::optional<QRect> SwayVordergrundApp::fokusFenster() {
    const auto fenster = fokussiertes(ipc_);
    return fenster ? std::optional(fenster->rahmen) : std::nullopt;
}

} // namespace parlix
