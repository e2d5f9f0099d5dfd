#include "app/platform/wayland/hyprland/HyprlandVollbildSonde.hpp"

#include "app/platform/wayland/hyprland/HyprlandEreignisse.hpp"
#include "app/platform/wayland/hyprland/HyprlandIpc.hpp"
#include "core/concurrency/MainQueue.hpp"

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
    wechsel_ = std::make_shared<std::function<void()>>(std::move(wechsel));
    ereignisse_ = std::make_unique<HyprlandEreignisse>(
        ipc_.ereignisSocket(),
        [&queue = mainQueue_, ziel = std::weak_ptr(wechsel_)](const QByteArray& name) {
            if (!istWechsel(name)) {
                return;
            }
            queue.post([ziel] {
                if (const auto wechsel = ziel.lock()) {
                    (*wechsel)();
                }
            });
        });
}

void HyprlandVollbildSonde::beendeBeobachtung() {
    ereignisse_.reset();
    wechsel_.reset();
}

} // namespace parlix
