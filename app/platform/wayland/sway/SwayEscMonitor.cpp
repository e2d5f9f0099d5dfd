#include "app/platform/wayland/sway/SwayEscMonitor.hpp"

#include "app/platform/wayland/sway/SwayBindungen.hpp"
#include "core/concurrency/MainQueue.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kEscape = u"--no-repeat Escape"_s;

class Bindung final : public EscMonitor::Abo {
public:
    explicit Bindung(SwayBindungen& bindungen)
        : bindungen_(bindungen) {}
    ~Bindung() override { bindungen_.loese(kEscape); }

private:
    SwayBindungen& bindungen_;
};

} // namespace

SwayEscMonitor::SwayEscMonitor(SwayBindungen& bindungen, MainQueue& mainQueue)
    : bindungen_(bindungen)
    , mainQueue_(mainQueue) {}

std::unique_ptr<EscMonitor::Abo> SwayEscMonitor::installiere(std::function<void()> beiEscape) {
    bindungen_.binde(kEscape,
                     [this, beiEscape = std::move(beiEscape)] { mainQueue_.post(beiEscape); });
    return std::make_unique<Bindung>(bindungen_);
}

} // namespace parlix
