#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace parlix {

// Hands `job` to another thread through `poste` (e.g. MainQueue::post) and waits up to
// `frist` for its result; nothing when it did not run in time (it may still run later;
// its result is then dropped) or was dropped unrun. Never call it on the thread that
// runs the job: it could only time out.
template <class T>
std::optional<T> warteAufJob(const std::function<void(std::function<void()>)>& poste,
                             std::function<T()> job, std::chrono::milliseconds frist) {
    auto versprechen = std::make_shared<std::promise<T>>();
    std::future<T> ergebnis = versprechen->get_future();
    poste([versprechen, job = std::move(job)] { versprechen->set_value(job()); });
    if (ergebnis.wait_for(frist) != std::future_status::ready) {
        return std::nullopt;
    }
    try {
        return ergebnis.get();
    } catch (const std::future_error&) {
        return std::nullopt;
    }
}

} // namespace parlix
