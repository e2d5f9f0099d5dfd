#include "app/platform/canberra/CanberraKlangspieler.hpp"

#include "app/platform/canberra/KlangDateien.hpp"
#include "app/platform/canberra/KlangThema.hpp"

#include <QRegularExpression>
#include <canberra.h>
#include <map>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Cues queued while the worker is stuck beyond this are dropped: late cues are noise.
constexpr std::size_t kMaxWartend = 4;

// Names also select files of the sound theme, so they must not reach outside it.
bool istGueltig(const QString& name) {
    static const QRegularExpression muster(u"^[A-Za-z0-9_-][A-Za-z0-9_.-]{0,63}$"_s);
    return muster.match(name).hasMatch();
}

QString ereignisFuer(const QString& name) {
    if (name == u"Tink"_s) {
        return u"audio-volume-change"_s;
    }
    return name;
}

// The libcanberra context of the worker thread, created on first use and dropped after
// an error so that a restarted sound server is found again.
class Kontext {
public:
    Kontext() = default;
    ~Kontext() { verwirf(); }
    Kontext(const Kontext&) = delete;
    Kontext& operator=(const Kontext&) = delete;

    ca_context* hole() {
        if (kontext_ == nullptr && ca_context_create(&kontext_) == CA_SUCCESS) {
            const QByteArray thema = KlangThema::ermittle().toUtf8();
            ca_context_change_props(kontext_, CA_PROP_APPLICATION_NAME, "Parlix",
                                    CA_PROP_CANBERRA_XDG_THEME_NAME, thema.constData(), nullptr);
        }
        return kontext_;
    }

    void verwirf() {
        if (kontext_ != nullptr) {
            ca_context_destroy(kontext_);
            kontext_ = nullptr;
        }
    }

private:
    ca_context* kontext_ = nullptr;
};

class Wiedergabe {
public:
    void spiele(const QString& name) {
        ca_context* kontext = istGueltig(name) ? kontext_.hole() : nullptr;
        if (kontext == nullptr) {
            return;
        }
        const uint32_t id = idFuer(name);
        ca_context_cancel(kontext, id);
        const std::optional<QString> datei = dateien_.datei(name);
        const QByteArray wert = datei ? datei->toUtf8() : ereignisFuer(name).toUtf8();
        const int ergebnis =
            ca_context_play(kontext, id, datei ? CA_PROP_MEDIA_FILENAME : CA_PROP_EVENT_ID,
                            wert.constData(), CA_PROP_MEDIA_ROLE, "event", nullptr);
        if (ergebnis != CA_SUCCESS && ergebnis != CA_ERROR_NOTFOUND) {
            kontext_.verwirf();
        }
    }

private:
    uint32_t idFuer(const QString& name) {
        return ids_.try_emplace(name, static_cast<uint32_t>(ids_.size()) + 1).first->second;
    }

    Kontext kontext_;
    KlangDateien dateien_;
    std::map<QString, uint32_t> ids_;
};

} // namespace

CanberraKlangspieler::CanberraKlangspieler()
    : arbeiter_([this] { arbeite(); }) {}

CanberraKlangspieler::~CanberraKlangspieler() {
    {
        std::lock_guard sperre(sperre_);
        ende_ = true;
    }
    neuerAuftrag_.notify_one();
    arbeiter_.join();
}

void CanberraKlangspieler::spiele(const QString& name) {
    {
        std::lock_guard sperre(sperre_);
        if (auftraege_.size() >= kMaxWartend) {
            return;
        }
        auftraege_.push_back(name);
    }
    neuerAuftrag_.notify_one();
}

void CanberraKlangspieler::arbeite() {
    Wiedergabe wiedergabe;
    for (;;) {
        QString name;
        {
            std::unique_lock sperre(sperre_);
            neuerAuftrag_.wait(sperre, [this] { return ende_ || !auftraege_.empty(); });
            if (ende_) {
                return;
            }
            name = auftraege_.front();
            auftraege_.pop_front();
        }
        wiedergabe.spiele(name);
    }
}

} // namespace parlix
