#include "app/platform/wayland/WaylandAblage.hpp"

#include "app/platform/wayland/Rohr.hpp"
#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "ext-data-control-v1.h"
#include "wlr-data-control-unstable-v1.h"

#include <array>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <wayland-client.h>

using namespace Qt::StringLiterals;

namespace parlix {

// What the selections hold and who read them, whichever data-control protocol serves
// them; on the connection's thread.
struct WaylandAblage::Zustand {
    struct Inhalt {
        QByteArray text;
        bool markiert = false;
        quint64 nummer = 0;
        std::optional<QString> vorher;
    };

    virtual ~Zustand() = default;
    // Binds the manager and the seat's device; the current selections arrive at once.
    virtual bool bindeAn(WaylandVerbindung& verbindung) = 0;
    // Puts `inhalt` on the selection, or empties it; `eigen`: ours, to be undone later.
    virtual void setzeAuswahl(int art, std::optional<Inhalt> inhalt, bool eigen) = 0;
    // A pipe whose reading end gives the selection's text; -1 without a text.
    virtual int empfange(int art) = 0;
    // Our own content on that selection while it is there, else null.
    virtual const Inhalt* eigenes(int art) const = 0;

    std::array<quint64, 2> aenderungen{};
    std::map<quint64, int> gelesen;
    quint64 letzteNummer = 0;
};

namespace {

int index(WaylandAblage::Art art) {
    return art == WaylandAblage::Art::zwischenablage ? 0 : 1;
}

// The generated requests and listener types of one data-control protocol. Both have
// the same shape, so one implementation serves both.
#define PARLIX_DATENKONTROLLE(Name, p, name, version)                                              \
    struct Name {                                                                                  \
        static constexpr const char* kName = name;                                                 \
        static constexpr quint32 kVersion = version;                                               \
        using Verwalter = p##_manager_v1;                                                          \
        using Geraet = p##_device_v1;                                                              \
        using Quelle = p##_source_v1;                                                              \
        using Angebot = p##_offer_v1;                                                              \
        using GeraetHoerer = p##_device_v1_listener;                                               \
        using QuelleHoerer = p##_source_v1_listener;                                               \
        using AngebotHoerer = p##_offer_v1_listener;                                               \
        static constexpr const wl_interface* kVerwalter = &p##_manager_v1_interface;               \
        static constexpr auto geraetVon = p##_manager_v1_get_data_device;                          \
        static constexpr auto neueQuelle = p##_manager_v1_create_data_source;                      \
        static constexpr auto verwalterEnde = p##_manager_v1_destroy;                              \
        static constexpr auto hoereGeraet = p##_device_v1_add_listener;                            \
        static constexpr auto setzeAuswahl = p##_device_v1_set_selection;                          \
        static constexpr auto setzePrimaer = p##_device_v1_set_primary_selection;                  \
        static constexpr auto geraetEnde = p##_device_v1_destroy;                                  \
        static constexpr auto hoereQuelle = p##_source_v1_add_listener;                            \
        static constexpr auto biete = p##_source_v1_offer;                                         \
        static constexpr auto quelleEnde = p##_source_v1_destroy;                                  \
        static constexpr auto hoereAngebot = p##_offer_v1_add_listener;                            \
        static constexpr auto empfange = p##_offer_v1_receive;                                     \
        static constexpr auto angebotEnde = p##_offer_v1_destroy;                                  \
    };
PARLIX_DATENKONTROLLE(Ext, ext_data_control, "ext-data-control", 1)
// Version 2 brings the primary selection.
PARLIX_DATENKONTROLLE(Wlr, zwlr_data_control, "wlr-data-control", 2)
#undef PARLIX_DATENKONTROLLE

template <typename P> class DatenKontrolle final : public WaylandAblage::Zustand {
public:
    ~DatenKontrolle() override {
        for (auto& [angebot, typen] : angebote_) {
            P::angebotEnde(angebot);
        }
        for (auto& [quelle, inhalt] : quellen_) {
            P::quelleEnde(quelle);
        }
        if (geraet_ != nullptr) {
            P::geraetEnde(geraet_);
        }
        if (verwalter_ != nullptr) {
            P::verwalterEnde(verwalter_);
        }
        if (sitz_ != nullptr) {
            wl_seat_destroy(sitz_);
        }
    }

    bool bindeAn(WaylandVerbindung& verbindung) override {
        sitz_ = static_cast<wl_seat*>(verbindung.binde(&wl_seat_interface, 5));
        verwalter_ =
            static_cast<typename P::Verwalter*>(verbindung.binde(P::kVerwalter, P::kVersion));
        if (sitz_ == nullptr || verwalter_ == nullptr) {
            return false;
        }
        geraet_ = P::geraetVon(verwalter_, sitz_);
        P::hoereGeraet(geraet_, &kGeraetHoerer, this);
        return verbindung.rundlauf();
    }

    void setzeAuswahl(int art, std::optional<Inhalt> inhalt, bool eigen) override {
        typename P::Quelle* quelle = inhalt ? neueQuelle(std::move(*inhalt)) : nullptr;
        eigene_[art] = eigen ? quelle : nullptr;
        if (art == 0) {
            P::setzeAuswahl(geraet_, quelle);
        } else {
            P::setzePrimaer(geraet_, quelle);
        }
    }

    int empfange(int art) override {
        auto* angebot = auswahl_[art];
        const auto typen = angebote_.find(angebot);
        if (angebot == nullptr || typen == angebote_.end()) {
            return -1;
        }
        for (const QByteArray& typ : Ablage::kTextTypen) {
            if (typen->second.contains(typ)) {
                int rohr[2];
                if (pipe2(rohr, O_CLOEXEC) != 0) {
                    return -1;
                }
                P::empfange(angebot, typ.constData(), rohr[1]);
                close(rohr[1]);
                return rohr[0];
            }
        }
        return -1;
    }

    const Inhalt* eigenes(int art) const override {
        const auto eintrag = quellen_.find(eigene_[art]);
        return eintrag == quellen_.end() ? nullptr : &eintrag->second;
    }

private:
    using Selbst = DatenKontrolle<P>;

    typename P::Quelle* neueQuelle(Inhalt inhalt) {
        auto* quelle = P::neueQuelle(verwalter_);
        P::hoereQuelle(quelle, &kQuelleHoerer, this);
        for (const QByteArray& typ : Ablage::kTextTypen) {
            P::biete(quelle, typ.constData());
        }
        if (inhalt.markiert) {
            P::biete(quelle, Ablage::kPasswortHinweis);
        }
        quellen_.emplace(quelle, std::move(inhalt));
        return quelle;
    }

    void neueAuswahl(int art, typename P::Angebot* angebot) {
        // The previous offer of this selection is over, unless the other selection has it.
        if (auto* alt = auswahl_[art];
            alt != nullptr && alt != angebot && alt != auswahl_[1 - art]) {
            angebote_.erase(alt);
            P::angebotEnde(alt);
        }
        auswahl_[art] = angebot;
        ++aenderungen[art];
    }

    void sende(typename P::Quelle* quelle, const char* typ, int fd) {
        const auto eintrag = quellen_.find(quelle);
        if (eintrag != quellen_.end()) {
            const bool hinweis = QByteArray(typ) == Ablage::kPasswortHinweis;
            Rohr::schreibeAlles(fd, hinweis ? QByteArray("secret") : eintrag->second.text);
            if (!hinweis) {
                ++gelesen[eintrag->second.nummer];
            }
        }
        close(fd);
    }

    void quelleEndet(typename P::Quelle* quelle) {
        for (auto*& eigen : eigene_) {
            if (eigen == quelle) {
                eigen = nullptr;
            }
        }
        quellen_.erase(quelle);
        P::quelleEnde(quelle);
    }

    static void typAngeboten(void* daten, typename P::Angebot* angebot, const char* typ) {
        static_cast<Selbst*>(daten)->angebote_[angebot].append(QByteArray(typ));
    }
    static void angebotKam(void* daten, typename P::Geraet*, typename P::Angebot* angebot) {
        static_cast<Selbst*>(daten)->angebote_[angebot];
        P::hoereAngebot(angebot, &kAngebotHoerer, daten);
    }
    static void auswahlKam(void* daten, typename P::Geraet*, typename P::Angebot* angebot) {
        static_cast<Selbst*>(daten)->neueAuswahl(0, angebot);
    }
    static void primaerKam(void* daten, typename P::Geraet*, typename P::Angebot* angebot) {
        static_cast<Selbst*>(daten)->neueAuswahl(1, angebot);
    }
    static void geraetEndet(void* daten, typename P::Geraet* geraet) {
        P::geraetEnde(geraet);
        static_cast<Selbst*>(daten)->geraet_ = nullptr;
    }
    static void sendeAn(void* daten, typename P::Quelle* quelle, const char* typ, int32_t fd) {
        static_cast<Selbst*>(daten)->sende(quelle, typ, fd);
    }
    static void quelleAbgeloest(void* daten, typename P::Quelle* quelle) {
        static_cast<Selbst*>(daten)->quelleEndet(quelle);
    }

    static constexpr typename P::AngebotHoerer kAngebotHoerer{typAngeboten};
    static constexpr
        typename P::GeraetHoerer kGeraetHoerer{angebotKam, auswahlKam, geraetEndet, primaerKam};
    static constexpr typename P::QuelleHoerer kQuelleHoerer{sendeAn, quelleAbgeloest};

    typename P::Verwalter* verwalter_ = nullptr;
    typename P::Geraet* geraet_ = nullptr;
    wl_seat* sitz_ = nullptr;
    std::map<typename P::Angebot*, QByteArrayList> angebote_;
    std::array<typename P::Angebot*, 2> auswahl_{};
    std::map<typename P::Quelle*, Inhalt> quellen_;
    std::array<typename P::Quelle*, 2> eigene_{};
};

template <typename P>
std::unique_ptr<WaylandAblage::Zustand> fuer(const WaylandVerbindung& verbindung,
                                             const char*& protokoll) {
    if (!verbindung.bietet(P::kVerwalter->name)) {
        return nullptr;
    }
    protokoll = P::kName;
    return std::make_unique<DatenKontrolle<P>>();
}

} // namespace

template <class T> std::optional<T> WaylandAblage::frage(const std::function<T()>& job) {
    return bereit_ ? verbindung_.frage<T>(job) : std::nullopt;
}

WaylandAblage::WaylandAblage(WaylandVerbindung& verbindung)
    : verbindung_(verbindung) {
    // The newer protocol where both are offered: compositors drop the older one.
    z_ = fuer<Ext>(verbindung_, protokoll_);
    if (!z_) {
        z_ = fuer<Wlr>(verbindung_, protokoll_);
    }
    bereit_ =
        z_ && verbindung_.frage<bool>([this] { return z_->bindeAn(verbindung_); }).value_or(false);
}

WaylandAblage::~WaylandAblage() {
    if (z_ && !verbindung_.fuehreAus([this] { z_.reset(); })) {
        z_.reset();
    }
}

std::optional<QString> WaylandAblage::text(Art art) {
    const auto fd = frage<int>([&] { return z_->empfange(index(art)); });
    if (!fd || *fd < 0) {
        return std::nullopt;
    }
    // Read here, not on the connection's thread: when the selection is ours, that thread
    // is the one that writes it.
    const QByteArray daten = Rohr::leseAlles(*fd);
    close(*fd);
    return QString::fromUtf8(daten);
}

std::optional<QString> WaylandAblage::vorherigerText(Art art) {
    const auto vorher = frage<std::optional<QString>>([&]() -> std::optional<QString> {
        const Zustand::Inhalt* eigen = z_->eigenes(index(art));
        return eigen != nullptr ? eigen->vorher : std::nullopt;
    });
    // What our content replaced; else the selection as it is.
    return vorher && *vorher ? *vorher : text(art);
}

quint64 WaylandAblage::schreibeEigenen(Art art, const QString& text,
                                       std::optional<QString> vorher) {
    return frage<quint64>([&] {
               const quint64 nummer = ++z_->letzteNummer;
               z_->setzeAuswahl(index(art),
                                Zustand::Inhalt{text.toUtf8(), true, nummer, std::move(vorher)},
                                true);
               return nummer;
           })
        .value_or(0);
}

bool WaylandAblage::haeltEigenen(Art art, quint64 nummer) {
    return frage<bool>([&] {
               const Zustand::Inhalt* eigen = z_->eigenes(index(art));
               return eigen != nullptr && eigen->nummer == nummer;
           })
        .value_or(false);
}

int WaylandAblage::gelesen(quint64 nummer) {
    return frage<int>([&] { return z_->gelesen[nummer]; }).value_or(0);
}

bool WaylandAblage::setze(Art art, const std::optional<QString>& text) {
    return frage<bool>([&] {
               z_->setzeAuswahl(
                   index(art),
                   text ? std::optional(Zustand::Inhalt{text->toUtf8(), false, 0, std::nullopt})
                        : std::nullopt,
                   false);
               return true;
           })
        .value_or(false);
}

quint64 WaylandAblage::aenderungen(Art art) {
    return frage<quint64>([&] { return z_->aenderungen[index(art)]; }).value_or(0);
}

} // namespace parlix
