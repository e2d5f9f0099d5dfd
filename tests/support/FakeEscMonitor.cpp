#include "tests/support/FakeEscMonitor.hpp"

namespace parlix::test {

class FakeEscMonitor::FakeAbo final : public Abo {
public:
    explicit FakeAbo(FakeEscMonitor& monitor)
        : monitor_(monitor) {}
    ~FakeAbo() override {
        monitor_.handler_ = nullptr;
        monitor_.aufrufe_.notiere(QStringLiteral("esc.entferne"));
    }

private:
    FakeEscMonitor& monitor_;
};

std::unique_ptr<EscMonitor::Abo> FakeEscMonitor::installiere(std::function<void()> beiEscape) {
    aufrufe_.notiere(QStringLiteral("esc.installiere"));
    handler_ = std::move(beiEscape);
    return std::make_unique<FakeAbo>(*this);
}

void FakeEscMonitor::druecke() {
    // A copy: the handler may remove the watch while it runs.
    if (const std::function<void()> handler = handler_) {
        handler();
    }
}

} // namespace parlix::test
