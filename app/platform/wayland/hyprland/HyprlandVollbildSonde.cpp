#include "app/platform/wayland/hyprland/HyprlandVollbildSonde.hpp"

#include "app/platform/wayland/hyprland/HyprlandEreignisse.hpp"
#include "app/platform/wayland/hyprland/HyprlandIpc.hpp"

namespace parlix {

namespace {

bool istWechsel(const QByteArray& name) {
    return name.startsWith("activewindow") || name.startsWith("workspace") ||
           name == "fullscreen" || name == "closewindow";
}

} // namespace

HyprlandVollbildSonde::HyprlandVollbildSonde(const HyprlandIpc& ipc, MainQueue& mainQueue)
    : ipc_(ipc)
    , mainQueue_(mainQueue) {}

HyprlandVollbildSonde::~HyprlandVollbildSonde() {
    beendeBeobachtung();
}

std::optional<qint64> HyprlandVollbildSonde::vorderstePid() {
    const auto fenster = ipc_.aktivesFenster();
    return fenster ? std::optional(fenster->pid) : std::nullopt;
}

std::optional<bool> HyprlandVollbildSonde::meldetVollbild() {
    const auto fenster = ipc_.aktivesFenster();
    return fenster && fenster->vollbild;
}

void HyprlandVollbildSonde::beobachteWechsel(std::function<void()> wechsel) {
    beendeBeobachtung();
    wechsel_.beginne(std::move(wechsel));
    ereignisse_ = std::make_unique<HyprlandEreignisse>(
        ipc_.ereignisSocket(), [melde = wechsel_.melder(mainQueue_)](const QByteArray& name) {
            if (istWechsel(name)) {
                melde();
            }
        });
}

void HyprlandVollbildSonde::beendeBeobachtung() {
    ereignisse_.reset();
    wechsel_.ende();
}

} // namespace parlix
