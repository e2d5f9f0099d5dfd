#include "app/platform/pulse/PulseVerbindung.hpp"

#include "core/log/DateiLog.hpp"

#include <pulse/pulseaudio.h>
#include <pulse/rtclock.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// The shared recording format.
constexpr pa_sample_spec kAufnahmeFormat{PA_SAMPLE_S16LE, 16000, 1};

class Sperre {
public:
    explicit Sperre(pa_threaded_mainloop* schleife)
        : schleife_(schleife) {
        pa_threaded_mainloop_lock(schleife_);
    }
    ~Sperre() { pa_threaded_mainloop_unlock(schleife_); }
    Sperre(const Sperre&) = delete;
    Sperre& operator=(const Sperre&) = delete;

private:
    pa_threaded_mainloop* schleife_;
};

struct Wecker {
    pa_threaded_mainloop* schleife;
    bool abgelaufen = false;
};

void weckeNachFrist(pa_mainloop_api*, pa_time_event*, const timeval*, void* daten) {
    auto* wecker = static_cast<Wecker*>(daten);
    wecker->abgelaufen = true;
    pa_threaded_mainloop_signal(wecker->schleife, 0);
}

void signalisiereKontext(pa_context*, void* schleife) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(schleife), 0);
}

void signalisiereOperation(pa_operation*, void* schleife) {
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(schleife), 0);
}

void merkeErfolg(pa_context*, int erfolg, void* ziel) {
    *static_cast<bool*>(ziel) = erfolg != 0;
}

QString text(const char* utf8) {
    return utf8 != nullptr ? QString::fromUtf8(utf8) : QString();
}

struct Quellenliste {
    std::vector<PulseQuelle> quellen;
    bool fehler = false;
};

void merkeQuelle(pa_context*, const pa_source_info* info, int ende, void* ziel) {
    auto* liste = static_cast<Quellenliste*>(ziel);
    if (ende < 0) {
        liste->fehler = true;
    }
    if (ende != 0 || info == nullptr) {
        return;
    }
    liste->quellen.push_back({text(info->name), text(info->description), info->index,
                              info->monitor_of_sink != PA_INVALID_INDEX});
}

void merkeStandardSenke(pa_context*, const pa_server_info* info, void* ziel) {
    if (info != nullptr) {
        *static_cast<QString*>(ziel) = text(info->default_sink_name);
    }
}

void merkeSenke(pa_context*, const pa_sink_info* info, int ende, void* ziel) {
    if (ende != 0 || info == nullptr) {
        return;
    }
    PulseSenke senke{text(info->name), {}, info->mute != 0};
    if (pa_cvolume_valid(&info->volume) != 0) {
        senke.lautstaerke.assign(info->volume.values, info->volume.values + info->volume.channels);
    }
    *static_cast<std::optional<PulseSenke>*>(ziel) = std::move(senke);
}

} // namespace

struct PulseVerbindung::Kern {
    explicit Kern(std::chrono::milliseconds frist)
        : frist(frist) {}
    ~Kern();
    Kern(const Kern&) = delete;
    Kern& operator=(const Kern&) = delete;

    void verbinde();
    // Waits, with the lock held, until fertig() holds; false once the deadline passed.
    bool warte(const std::function<bool()>& fertig);
    // Waits for one request's answer; false on a timeout or when the request failed.
    bool fuehreAus(pa_operation* operation);
    QString fehlertext() const { return text(pa_strerror(pa_context_errno(kontext))); }
    void schliesseStrom();

    static void lies(pa_stream* strom, size_t, void* kern);
    static void stromZustand(pa_stream* strom, void* kern);

    std::chrono::milliseconds frist;
    pa_threaded_mainloop* schleife = nullptr;
    pa_context* kontext = nullptr;
    pa_stream* strom = nullptr;
    DatenHandler beiDaten;
};

PulseVerbindung::Kern::~Kern() {
    if (schleife == nullptr) {
        return;
    }
    if (kontext != nullptr) {
        Sperre sperre(schleife);
        schliesseStrom();
        pa_context_set_state_callback(kontext, nullptr, nullptr);
        pa_context_disconnect(kontext);
    }
    pa_threaded_mainloop_stop(schleife);
    if (kontext != nullptr) {
        pa_context_unref(kontext);
    }
    pa_threaded_mainloop_free(schleife);
}

void PulseVerbindung::Kern::verbinde() {
    schleife = pa_threaded_mainloop_new();
    if (schleife == nullptr) {
        throw std::runtime_error("Tonserver: Ereignisschleife konnte nicht angelegt werden");
    }
    kontext = pa_context_new(pa_threaded_mainloop_get_api(schleife), "Parlix");
    if (kontext == nullptr) {
        throw std::runtime_error("Tonserver: Verbindung konnte nicht angelegt werden");
    }
    pa_context_set_state_callback(kontext, &signalisiereKontext, schleife);
    // No autospawn: starting a server could take arbitrarily long; the desktop runs one.
    if (pa_context_connect(kontext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        throw std::runtime_error((u"Kein Tonserver erreichbar: "_s + fehlertext()).toStdString());
    }
    if (pa_threaded_mainloop_start(schleife) < 0) {
        throw std::runtime_error("Tonserver: Ereignisschleife konnte nicht starten");
    }
    Sperre sperre(schleife);
    const bool entschieden = warte([this] {
        const pa_context_state_t zustand = pa_context_get_state(kontext);
        return zustand == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(zustand);
    });
    if (!entschieden) {
        throw std::runtime_error(
            u"Der Tonserver antwortet nicht (%1 ms)"_s.arg(frist.count()).toStdString());
    }
    if (pa_context_get_state(kontext) != PA_CONTEXT_READY) {
        throw std::runtime_error((u"Kein Tonserver erreichbar: "_s + fehlertext()).toStdString());
    }
}

bool PulseVerbindung::Kern::warte(const std::function<bool()>& fertig) {
    if (fertig()) {
        return true;
    }
    Wecker wecker{schleife};
    const auto mikrosekunden = std::chrono::duration_cast<std::chrono::microseconds>(frist);
    pa_time_event* ereignis = pa_context_rttime_new(
        kontext, pa_rtclock_now() + static_cast<pa_usec_t>(mikrosekunden.count()), &weckeNachFrist,
        &wecker);
    if (ereignis == nullptr) {
        return false; // without a deadline the wait could last forever
    }
    while (!fertig() && !wecker.abgelaufen) {
        pa_threaded_mainloop_wait(schleife);
    }
    pa_threaded_mainloop_get_api(schleife)->time_free(ereignis);
    return fertig();
}

bool PulseVerbindung::Kern::fuehreAus(pa_operation* operation) {
    if (operation == nullptr) {
        return false;
    }
    pa_operation_set_state_callback(operation, &signalisiereOperation, schleife);
    const bool beantwortet =
        warte([operation] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
    if (!beantwortet) {
        // A cancelled request never calls back, so the caller's result may go out of scope.
        pa_operation_cancel(operation);
    }
    const bool erledigt = pa_operation_get_state(operation) == PA_OPERATION_DONE;
    pa_operation_unref(operation);
    return erledigt;
}

void PulseVerbindung::Kern::schliesseStrom() {
    if (strom == nullptr) {
        return;
    }
    pa_stream_set_read_callback(strom, nullptr, nullptr);
    pa_stream_set_state_callback(strom, nullptr, nullptr);
    pa_stream_disconnect(strom);
    pa_stream_unref(strom);
    strom = nullptr;
    beiDaten = nullptr;
}

void PulseVerbindung::Kern::lies(pa_stream* strom, size_t, void* kern) {
    auto* selbst = static_cast<Kern*>(kern);
    const void* daten = nullptr;
    size_t bytes = 0;
    while (pa_stream_peek(strom, &daten, &bytes) == 0 && bytes > 0) {
        selbst->beiDaten(static_cast<const char*>(daten), bytes);
        pa_stream_drop(strom);
    }
}

void PulseVerbindung::Kern::stromZustand(pa_stream* strom, void* kern) {
    auto* selbst = static_cast<Kern*>(kern);
    if (strom == selbst->strom && pa_stream_get_state(strom) == PA_STREAM_FAILED) {
        log().schreibe(u"FEHLER: Aufnahme unterbrochen: "_s + selbst->fehlertext());
    }
    pa_threaded_mainloop_signal(selbst->schleife, 0);
}

PulseVerbindung::PulseVerbindung(std::chrono::milliseconds frist)
    : kern_(std::make_unique<Kern>(frist)) {
    kern_->verbinde();
}

PulseVerbindung::~PulseVerbindung() = default;
PulseVerbindung::PulseVerbindung(PulseVerbindung&&) noexcept = default;
PulseVerbindung& PulseVerbindung::operator=(PulseVerbindung&&) noexcept = default;

std::vector<PulseQuelle> PulseVerbindung::quellen() {
    Sperre sperre(kern_->schleife);
    Quellenliste liste;
    const bool erledigt =
        kern_->fuehreAus(pa_context_get_source_info_list(kern_->kontext, &merkeQuelle, &liste));
    if (!erledigt || liste.fehler) {
        return {};
    }
    return std::move(liste.quellen);
}

QString PulseVerbindung::standardSenke() {
    Sperre sperre(kern_->schleife);
    QString name;
    if (!kern_->fuehreAus(pa_context_get_server_info(kern_->kontext, &merkeStandardSenke, &name))) {
        return {};
    }
    return name;
}

std::optional<PulseSenke> PulseVerbindung::senke(const QString& name) {
    Sperre sperre(kern_->schleife);
    std::optional<PulseSenke> ergebnis;
    const QByteArray utf8 = name.toUtf8();
    if (!kern_->fuehreAus(pa_context_get_sink_info_by_name(kern_->kontext, utf8.constData(),
                                                           &merkeSenke, &ergebnis))) {
        return std::nullopt;
    }
    return ergebnis;
}

bool PulseVerbindung::setzeLautstaerke(const QString& senke, const std::vector<quint32>& kanaele) {
    if (kanaele.empty() || kanaele.size() > PA_CHANNELS_MAX) {
        return false;
    }
    pa_cvolume lautstaerke{};
    lautstaerke.channels = static_cast<uint8_t>(kanaele.size());
    std::copy(kanaele.begin(), kanaele.end(), lautstaerke.values);
    if (pa_cvolume_valid(&lautstaerke) == 0) {
        return false;
    }
    Sperre sperre(kern_->schleife);
    bool erfolg = false;
    const QByteArray utf8 = senke.toUtf8();
    const bool erledigt = kern_->fuehreAus(pa_context_set_sink_volume_by_name(
        kern_->kontext, utf8.constData(), &lautstaerke, &merkeErfolg, &erfolg));
    return erledigt && erfolg;
}

bool PulseVerbindung::setzeStumm(const QString& senke, bool stumm) {
    Sperre sperre(kern_->schleife);
    bool erfolg = false;
    const QByteArray utf8 = senke.toUtf8();
    const bool erledigt = kern_->fuehreAus(pa_context_set_sink_mute_by_name(
        kern_->kontext, utf8.constData(), stumm ? 1 : 0, &merkeErfolg, &erfolg));
    return erledigt && erfolg;
}

void PulseVerbindung::starteAufnahme(const QString& quelle, std::size_t fragmentBytes,
                                     DatenHandler beiDaten) {
    Sperre sperre(kern_->schleife);
    if (kern_->strom != nullptr) {
        throw std::runtime_error("Es läuft bereits eine Aufnahme");
    }
    pa_stream* strom = pa_stream_new(kern_->kontext, "Aufnahme", &kAufnahmeFormat, nullptr);
    if (strom == nullptr) {
        throw std::runtime_error(
            (u"Aufnahme konnte nicht angelegt werden: "_s + kern_->fehlertext()).toStdString());
    }
    kern_->strom = strom;
    kern_->beiDaten = std::move(beiDaten);
    pa_stream_set_state_callback(strom, &Kern::stromZustand, kern_.get());
    pa_stream_set_read_callback(strom, &Kern::lies, kern_.get());

    pa_buffer_attr puffer{};
    puffer.maxlength = static_cast<uint32_t>(-1);
    puffer.tlength = puffer.prebuf = puffer.minreq = static_cast<uint32_t>(-1);
    puffer.fragsize = static_cast<uint32_t>(fragmentBytes);
    const QByteArray name = quelle.toUtf8();
    const bool verbunden =
        pa_stream_connect_record(strom, quelle.isEmpty() ? nullptr : name.constData(), &puffer,
                                 PA_STREAM_ADJUST_LATENCY) == 0 &&
        kern_->warte([strom] {
            const pa_stream_state_t zustand = pa_stream_get_state(strom);
            return zustand == PA_STREAM_READY || !PA_STREAM_IS_GOOD(zustand);
        });
    if (verbunden && pa_stream_get_state(strom) == PA_STREAM_READY) {
        return;
    }
    QString grund;
    if (!verbunden && PA_STREAM_IS_GOOD(pa_stream_get_state(strom))) {
        grund = u"Der Tonserver antwortet nicht (%1 ms)"_s.arg(kern_->frist.count());
    } else if (pa_context_errno(kern_->kontext) == PA_ERR_NOENTITY) {
        grund = u"Keine Aufnahmequelle verfügbar"_s;
    } else {
        grund = u"Aufnahme konnte nicht gestartet werden: "_s + kern_->fehlertext();
    }
    kern_->schliesseStrom();
    throw std::runtime_error(grund.toStdString());
}

void PulseVerbindung::stoppeAufnahme() {
    Sperre sperre(kern_->schleife);
    kern_->schliesseStrom();
}

} // namespace parlix
