#include "app/platform/x11/X11EscMonitor.hpp"

#include "app/platform/x11/XRohTasten.hpp"
#include "app/platform/x11/XVerbindung.hpp"

#include <X11/Xlib.h>
#include <vector>

namespace parlix {

namespace {

constexpr quint16 escape = 53;
constexpr std::chrono::seconds einrichtFrist{2};

} // namespace

class X11EscMonitor::X11Abo final : public Abo {
public:
    X11Abo(std::weak_ptr<Wachen> wachen, int nummer)
        : wachen_(std::move(wachen))
        , nummer_(nummer) {}
    ~X11Abo() override {
        if (const auto wachen = wachen_.lock()) {
            wachen->handler.erase(nummer_);
        }
    }

private:
    std::weak_ptr<Wachen> wachen_;
    int nummer_;
};

void X11EscMonitor::Wachen::meldeEscape() {
    // A handler may remove watches, its own too: each is looked up before its call.
    std::vector<int> nummern;
    for (const auto& [nummer, _] : handler) {
        nummern.push_back(nummer);
    }
    for (const int nummer : nummern) {
        const auto eintrag = handler.find(nummer);
        if (eintrag != handler.end()) {
            const auto beiEscape = eintrag->second;
            beiEscape();
        }
    }
}

X11EscMonitor::X11EscMonitor(MainQueue& queue)
    : queue_(queue)
    , wachen_(std::make_shared<Wachen>())
    , faden_("parlix-escape") {
    // Key thread only.
    auto roh = std::make_shared<XRohTasten>();
    faden_.starteUndWarte(
        {[roh](XVerbindung& v) { return roh->abonniere(v); },
         [roh, &queue, schwach = std::weak_ptr<Wachen>(wachen_)](XVerbindung& v, XEvent& e) {
             if (roh->mappingGeaendert(v, e)) {
                 return;
             }
             const auto taste = roh->lies(v, e);
             if (taste && taste->gedrueckt && roh->tabelle()[taste->xKeycode].keyCode == escape) {
                 queue.post([schwach] {
                     if (const auto wachen = schwach.lock()) {
                         wachen->meldeEscape();
                     }
                 });
             }
         },
         nullptr},
        einrichtFrist);
}

X11EscMonitor::~X11EscMonitor() = default;

std::unique_ptr<EscMonitor::Abo> X11EscMonitor::installiere(std::function<void()> beiEscape) {
    const int nummer = wachen_->naechste++;
    wachen_->handler.emplace(nummer, std::move(beiEscape));
    return std::make_unique<X11Abo>(wachen_, nummer);
}

} // namespace parlix
