#include "app/ui/verlauf/GlasVerlaufController.hpp"

#include "app/platform/Kopierablage.hpp"
#include "app/ui/verlauf/GlasVerlaufAnsicht.hpp"
#include "app/ui/verlauf/GlasVerlaufFenster.hpp"
#include "core/history/VerlaufStore.hpp"
#include "core/log/DateiLog.hpp"

#include <QTimer>
#include <chrono>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr std::chrono::milliseconds einblenden{160};
constexpr std::chrono::milliseconds ausblenden{280};

} // namespace

GlasVerlaufController::GlasVerlaufController(VerlaufStore& store, const Texte& texte,
                                             EscMonitor& escMonitor, Arbeitsflaeche& arbeitsflaeche,
                                             Kopierablage& kopierablage)
    : store_(store)
    , texte_(texte)
    , escMonitorDienst_(escMonitor)
    , arbeitsflaeche_(arbeitsflaeche)
    , kopierablage_(kopierablage) {}

GlasVerlaufController::~GlasVerlaufController() = default;

bool GlasVerlaufController::zeigeNeuesErgebnis(const QString& text) {
    // The caller says in its own log line whether the result is on the clipboard.
    const bool kopiert = kopierablage_.kopiere(text);
    model_.setzeHervorID(store_.eintraege().isEmpty()
                             ? std::nullopt
                             : std::optional<QUuid>(store_.eintraege().front().id));
    model_.erhoeheAnim();
    baueFalls();
    bringe();
    return kopiert;
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
                     [this](const QString& text) { kopiere(text); });
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

bool GlasVerlaufController::kopiere(const QString& text) {
    if (kopierablage_.kopiere(text)) {
        return true;
    }
    log().schreibe(u"FEHLER: Zwischenablage nimmt den Text nicht an, nichts kopiert"_s);
    return false;
}

} // namespace parlix
