#include "app/platform/x11/EigeneTastenMarke.hpp"

#include "app/platform/x11/XVerbindung.hpp"

#include <atomic>
#include <mutex>
#include <vector>

namespace parlix {

namespace {

std::atomic<int> offeneMarken{0};

struct Hoerer {
    std::mutex sperre;
    std::vector<std::weak_ptr<const EigeneTastenMarke::Aufholen>> liste;
};

Hoerer& hoerer() {
    static Hoerer h;
    return h;
}

// The listeners still registered; the expired ones leave the list.
std::vector<std::shared_ptr<const EigeneTastenMarke::Aufholen>> lebendeHoerer() {
    Hoerer& h = hoerer();
    std::lock_guard lock(h.sperre);
    std::vector<std::shared_ptr<const EigeneTastenMarke::Aufholen>> lebende;
    std::erase_if(h.liste, [&lebende](const auto& schwach) {
        auto stark = schwach.lock();
        if (stark) {
            lebende.push_back(std::move(stark));
        }
        return !stark;
    });
    return lebende;
}

} // namespace

EigeneTastenMarke::EigeneTastenMarke(const XVerbindung& verbindung)
    : verbindung_(verbindung) {
    offeneMarken.fetch_add(1);
}

EigeneTastenMarke::~EigeneTastenMarke() {
    verbindung_.gleicheAb();
    // Called without the list's lock: a listener may end meanwhile.
    for (const auto& aufholen : lebendeHoerer()) {
        (*aufholen)();
    }
    offeneMarken.fetch_sub(1);
}

bool EigeneTastenMarke::gesetzt() {
    return offeneMarken.load() > 0;
}

std::shared_ptr<const EigeneTastenMarke::Aufholen>
EigeneTastenMarke::meldeHoerer(Aufholen aufholen) {
    auto token = std::make_shared<const Aufholen>(std::move(aufholen));
    Hoerer& h = hoerer();
    std::lock_guard lock(h.sperre);
    h.liste.push_back(token);
    return token;
}

} // namespace parlix
