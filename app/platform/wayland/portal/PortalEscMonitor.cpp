#include "app/platform/wayland/portal/PortalEscMonitor.hpp"

#include "app/platform/wayland/portal/PortalTastenQuelle.hpp"
#include "core/concurrency/MainQueue.hpp"
#include "core/hotkeys/Ereignistyp.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QList<Hotkey> escape() {
    Hotkey taste;
    taste.keyCode = 53; // kVK_Escape
    return {taste};
}

class Sitzung final : public EscMonitor::Abo {
public:
    // KDE keeps the shortcuts of a session token as one group, whose keys no other group
    // may take: every watch uses the same token, so the group that holds Escape wakes again.
    explicit Sitzung(const QDBusConnection& bus)
        : quelle_(bus, escape, u"parlix-escape-"_s, u"parlix_escape"_s) {}

    PortalTastenQuelle& quelle() { return quelle_; }

private:
    PortalTastenQuelle quelle_;
};

} // namespace

PortalEscMonitor::PortalEscMonitor(QDBusConnection bus, MainQueue& mainQueue)
    : bus_(std::move(bus))
    , mainQueue_(mainQueue) {}

std::unique_ptr<EscMonitor::Abo> PortalEscMonitor::installiere(std::function<void()> beiEscape) {
    auto sitzung = std::make_unique<Sitzung>(bus_);
    // Posted: the watch may be removed by the handler, which must not delete the source
    // that is calling it.
    sitzung->quelle().starte(
        [this, beiEscape = std::move(beiEscape)](quint32 typ, qint64, quint64) {
            if (typ == Ereignistyp::tasteRunter) {
                mainQueue_.post(beiEscape);
            }
            return false;
        },
        [](bool) {});
    return sitzung;
}

} // namespace parlix
