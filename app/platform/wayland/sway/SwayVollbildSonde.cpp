#include "app/platform/wayland/sway/SwayVollbildSonde.hpp"

#include "app/platform/wayland/sway/SwayBaum.hpp"
#include "app/platform/wayland/sway/SwayEreignisse.hpp"
#include "core/concurrency/MainQueue.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

SwayVollbildSonde::SwayVollbildSonde(SwayIpc& ipc, SwayEreignisse& ereignisse, MainQueue& mainQueue)
    : ipc_(ipc)
    , ereignisse_(ereignisse)
    , mainQueue_(mainQueue) {}

SwayVollbildSonde::~SwayVollbildSonde() {
    beendeBeobachtung();
}

std::optional<qint64> SwayVollbildSonde::vorderstePid() {
    const auto liste = SwayBaum::fenster(ipc_);
    if (!liste || liste->isEmpty() || !liste->first().fokussiert) {
        return std::nullopt;
    }
    return liste->first().pid;
}

std::optional<QList<VollbildSonde::Fenster>> SwayVollbildSonde::fenster() {
    const auto liste = SwayBaum::fenster(ipc_);
    if (!liste) {
        return std::nullopt;
    }
    QList<Fenster> ergebnis;
    for (const SwayFenster& f : *liste) {
        ergebnis.append({f.pid, 0, QRectF(f.rahmen)});
    }
    return ergebnis;
}

QList<QSizeF> SwayVollbildSonde::bildschirme() {
    QList<QSizeF> groessen;
    for (const QRect& ausgabe : SwayBaum::ausgaben(ipc_)) {
        groessen.append(QSizeF(ausgabe.size()));
    }
    return groessen;
}

void SwayVollbildSonde::beobachteWechsel(std::function<void()> wechsel) {
    beendeBeobachtung();
    wechsel_.beginne(std::move(wechsel));
    // A change already posted when the watch ends reaches nobody.
    const auto melde = [melder = wechsel_.melder(mainQueue_)](const QJsonObject& ereignis) {
        const QString art = ereignis.value(u"change"_s).toString();
        if (art == u"focus"_s || art == u"fullscreen_mode"_s || art == u"close"_s) {
            melder();
        }
    };
    abos_ << ereignisse_.abonniere(SwayIpc::kEreignisFenster, melde)
          << ereignisse_.abonniere(SwayIpc::kEreignisWorkspace, melde);
}

void SwayVollbildSonde::beendeBeobachtung() {
    for (const int abo : abos_) {
        ereignisse_.entferne(abo);
    }
    abos_.clear();
    wechsel_.ende();
}

} // namespace parlix
