#include "app/ui/verlauf/GlasVerlaufController.hpp"

#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"
#include "app/ui/verlauf/GlasVerlaufFenster.hpp"
#include "core/history/VerlaufStore.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <chrono>

namespace parlix {

namespace {

constexpr std::chrono::milliseconds einblenden{160};
constexpr std::chrono::milliseconds ausblenden{280};

} // namespace

GlasVerlaufController::GlasVerlaufController(VerlaufStore& store, const Texte& texte,
                                             EscMonitor& escMonitor, Arbeitsflaeche& arbeitsflaeche)
    : store_(store)
    , texte_(texte)
    , escMonitorDienst_(escMonitor)
    , arbeitsflaeche_(arbeitsflaeche) {}

GlasVerlaufController::~GlasVerlaufController() = default;

void GlasVerlaufController::zeigeNeuesErgebnis(const QString& text) {
    kopiere(text);
    model_.setzeHervorID(store_.eintraege().isEmpty()
                             ? std::nullopt
                             : std::optional<QUuid>(store_.eintraege().front().id));
    model_.erhoeheAnim();
    baueFalls();
    bringe();
}

void GlasVerlaufController::zeigeVerlauf() {
    model_.erhoeheAnim();
    baueFalls();
    bringe();
}

void GlasVerlaufController::verstecke() {
    entferneEsc();
    if (fenster_) {
        fenster_->blendeAus(ausblenden);
    }
}

bool GlasVerlaufController::sichtbar() const {
    return fenster_ && fenster_->eingeblendet();
}

void GlasVerlaufController::baueFalls() {
    if (fenster_) {
        return;
    }
    auto* ansicht = new GlasVerlaufAnsicht(store_, model_, texte_);
    fenster_ = std::make_unique<GlasVerlaufFenster>(ansicht, arbeitsflaeche_);
    QObject::connect(ansicht, &GlasVerlaufAnsicht::einfuegen, fenster_.get(),
                     [this](const QString& text) {
                         if (onEinfuegen) {
                             onEinfuegen(text);
                         }
                     });
    QObject::connect(ansicht, &GlasVerlaufAnsicht::kopieren, fenster_.get(),
                     &GlasVerlaufController::kopiere);
    QObject::connect(ansicht, &GlasVerlaufAnsicht::schliessen, fenster_.get(),
                     [this] { verstecke(); });
    fenster_->zentriere();
}

void GlasVerlaufController::bringe() {
    // A panel that is showing keeps its place: the user may have moved it.
    if (!fenster_->eingeblendet()) {
        fenster_->zentriere();
    }
    fenster_->blendeEin(einblenden);
    installiereEsc();
}

void GlasVerlaufController::installiereEsc() {
    entferneEsc();
    // Hidden from the event loop rather than inside the watch's own callback, which
    // hiding removes.
    escMonitor_ = escMonitorDienst_.installiere(
        [this] { QTimer::singleShot(0, fenster_.get(), [this] { verstecke(); }); });
}

void GlasVerlaufController::entferneEsc() {
    escMonitor_.reset();
}

void GlasVerlaufController::kopiere(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace parlix
