#include "app/platform/wayland/WaylandAblage.hpp"

#include "app/platform/wayland/WaylandVerbindung.hpp"
#include "wlr-data-control-unstable-v1.h"

#include <QByteArrayList>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr const char* kPasswortHinweis = "x-kde-passwordManagerHint";
// What a text may come as, best first.
const QByteArrayList kTextTypen{"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "STRING",
                                "TEXT"};
constexpr qsizetype kHoechstens = 64 * 1024 * 1024;

int index(WaylandAblage::Art art) {
    return art == WaylandAblage::Art::zwischenablage ? 0 : 1;
}

} // namespace

struct WaylandAblage::Zustand {
    struct Quelle {
        QByteArray text;
        bool markiert = false;
        quint64 nummer = 0;
        int art = 0;
        std::optional<QString> vorher;
    };

    zwlr_data_control_manager_v1* verwalter = nullptr;
    zwlr_data_control_device_v1* geraet = nullptr;
    wl_seat* sitz = nullptr;
    std::map<zwlr_data_control_offer_v1*, QByteArrayList> angebote;
    std::array<zwlr_data_control_offer_v1*, 2> auswahl{};
    std::map<zwlr_data_control_source_v1*, Quelle> quellen;
    std::array<zwlr_data_control_source_v1*, 2> eigene{};
    std::array<quint64, 2> aenderungen{};
    std::map<quint64, int> gelesen;
    quint64 letzteNummer = 0;

    ~Zustand();
    void neueAuswahl(int art, zwlr_data_control_offer_v1* angebot);
    void sende(zwlr_data_control_source_v1* quelle, const char* typ, int fd);
    void quelleEndet(zwlr_data_control_source_v1* quelle);
    zwlr_data_control_source_v1* neueQuelle(int art, Quelle inhalt);
    void setzeAuswahl(int art, zwlr_data_control_source_v1* quelle);
    // A pipe whose reading end gives the selection's text; -1 without a text.
    int empfange(int art);
};

namespace {

using Z = WaylandAblage::Zustand;

void typAngeboten(void* daten, zwlr_data_control_offer_v1* angebot, const char* typ) {
    static_cast<Z*>(daten)->angebote[angebot].append(QByteArray(typ));
}
const zwlr_data_control_offer_v1_listener angebotHoerer{typAngeboten};

void angebotKam(void* daten, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* angebot) {
    static_cast<Z*>(daten)->angebote[angebot];
    zwlr_data_control_offer_v1_add_listener(angebot, &angebotHoerer, daten);
}
void auswahlKam(void* daten, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* angebot) {
    static_cast<Z*>(daten)->neueAuswahl(0, angebot);
}
void primaerKam(void* daten, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* angebot) {
    static_cast<Z*>(daten)->neueAuswahl(1, angebot);
}
void geraetEndet(void* daten, zwlr_data_control_device_v1* geraet) {
    auto* z = static_cast<Z*>(daten);
    zwlr_data_control_device_v1_destroy(geraet);
    z->geraet = nullptr;
}
const zwlr_data_control_device_v1_listener geraetHoerer{angebotKam, auswahlKam, geraetEndet,
                                                        primaerKam};

void sendeAn(void* daten, zwlr_data_control_source_v1* quelle, const char* typ, int32_t fd) {
    static_cast<Z*>(daten)->sende(quelle, typ, fd);
}
void quelleAbgeloest(void* daten, zwlr_data_control_source_v1* quelle) {
    static_cast<Z*>(daten)->quelleEndet(quelle);
}
const zwlr_data_control_source_v1_listener quelleHoerer{sendeAn, quelleAbgeloest};

} // namespace

WaylandAblage::Zustand::~Zustand() {
    for (auto& [angebot, typen] : angebote) {
        zwlr_data_control_offer_v1_destroy(angebot);
    }
    for (auto& [quelle, inhalt] : quellen) {
        zwlr_data_control_source_v1_destroy(quelle);
    }
    if (geraet != nullptr) {
        zwlr_data_control_device_v1_destroy(geraet);
    }
    if (verwalter != nullptr) {
        zwlr_data_control_manager_v1_destroy(verwalter);
    }
    if (sitz != nullptr) {
        wl_seat_destroy(sitz);
    }
}

void WaylandAblage::Zustand::neueAuswahl(int art, zwlr_data_control_offer_v1* angebot) {
    // The previous offer of this selection is over, unless the other selection has it too.
    if (auto* alt = auswahl[art]; alt != nullptr && alt != angebot && alt != auswahl[1 - art]) {
        angebote.erase(alt);
        zwlr_data_control_offer_v1_destroy(alt);
    }
    auswahl[art] = angebot;
    ++aenderungen[art];
}

void WaylandAblage::Zustand::sende(zwlr_data_control_source_v1* quelle, const char* typ, int fd) {
    const auto eintrag = quellen.find(quelle);
    if (eintrag != quellen.end()) {
        const Quelle& inhalt = eintrag->second;
        const QByteArray daten = QByteArray(typ) == kPasswortHinweis ? "secret" : inhalt.text;
        // The reader is another program; a full pipe waits for it, which is what it asked for.
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        for (qsizetype geschrieben = 0; geschrieben < daten.size();) {
            const auto n = write(fd, daten.constData() + geschrieben,
                                 static_cast<size_t>(daten.size() - geschrieben));
            if (n < 0 && errno != EINTR) {
                break;
            }
            geschrieben += n < 0 ? 0 : n;
        }
        if (QByteArray(typ) != kPasswortHinweis) {
            ++gelesen[inhalt.nummer];
        }
    }
    close(fd);
}

void WaylandAblage::Zustand::quelleEndet(zwlr_data_control_source_v1* quelle) {
    for (auto*& eigen : eigene) {
        if (eigen == quelle) {
            eigen = nullptr;
        }
    }
    quellen.erase(quelle);
    zwlr_data_control_source_v1_destroy(quelle);
}

zwlr_data_control_source_v1* WaylandAblage::Zustand::neueQuelle(int art, Quelle inhalt) {
    auto* quelle = zwlr_data_control_manager_v1_create_data_source(verwalter);
    zwlr_data_control_source_v1_add_listener(quelle, &quelleHoerer, this);
    for (const QByteArray& typ : kTextTypen) {
        zwlr_data_control_source_v1_offer(quelle, typ.constData());
    }
    if (inhalt.markiert) {
        zwlr_data_control_source_v1_offer(quelle, kPasswortHinweis);
    }
    inhalt.art = art;
    quellen.emplace(quelle, std::move(inhalt));
    return quelle;
}

void WaylandAblage::Zustand::setzeAuswahl(int art, zwlr_data_control_source_v1* quelle) {
    if (art == 0) {
        zwlr_data_control_device_v1_set_selection(geraet, quelle);
    } else {
        zwlr_data_control_device_v1_set_primary_selection(geraet, quelle);
    }
}

int WaylandAblage::Zustand::empfange(int art) {
    auto* angebot = auswahl[art];
    const auto typen = angebote.find(angebot);
    if (angebot == nullptr || typen == angebote.end()) {
        return -1;
    }
    for (const QByteArray& typ : kTextTypen) {
        if (typen->second.contains(typ)) {
            int rohr[2];
            if (pipe2(rohr, O_CLOEXEC) != 0) {
                return -1;
            }
            zwlr_data_control_offer_v1_receive(angebot, typ.constData(), rohr[1]);
            close(rohr[1]);
            return rohr[0];
        }
    }
    return -1;
}

WaylandAblage::WaylandAblage(WaylandVerbindung& verbindung)
    : verbindung_(verbindung)
    , z_(std::make_unique<Zustand>()) {
    if (!verbindung_.bietet("zwlr_data_control_manager_v1")) {
        return;
    }
    bereit_ = verbindung_
                  .frage<bool>([this] {
                      Zustand& z = *z_;
                      z.sitz = static_cast<wl_seat*>(verbindung_.binde(&wl_seat_interface, 5));
                      z.verwalter = static_cast<zwlr_data_control_manager_v1*>(
                          verbindung_.binde(&zwlr_data_control_manager_v1_interface, 2));
                      if (z.sitz == nullptr || z.verwalter == nullptr) {
                          return false;
                      }
                      z.geraet = zwlr_data_control_manager_v1_get_data_device(z.verwalter, z.sitz);
                      zwlr_data_control_device_v1_add_listener(z.geraet, &geraetHoerer, &z);
                      // The current selections arrive at once.
                      return verbindung_.rundlauf();
                  })
                  .value_or(false);
}

WaylandAblage::~WaylandAblage() {
    if (!verbindung_.fuehreAus([this] { z_.reset(); })) {
        z_.reset();
    }
}

std::optional<QString> WaylandAblage::text(Art art) {
    const auto fd = verbindung_.frage<int>([&] { return z_->empfange(index(art)); });
    if (!fd || *fd < 0) {
        return std::nullopt;
    }
    // Read here, not on the connection's thread: when the selection is ours, that thread
    // is the one that writes it.
    QByteArray daten;
    char puffer[16384];
    for (;;) {
        pollfd warte{*fd, POLLIN, 0};
        if (poll(&warte, 1, 1000) <= 0) {
            break;
        }
        const auto n = read(*fd, puffer, sizeof puffer);
        if (n <= 0 || daten.size() > kHoechstens) {
            break;
        }
        daten.append(puffer, n);
    }
    close(*fd);
    return QString::fromUtf8(daten);
}

std::optional<QString> WaylandAblage::vorherigerText(Art art) {
    const auto vorher = verbindung_.frage<std::optional<std::optional<QString>>>(
        [&]() -> std::optional<std::optional<QString>> {
            auto* eigen = z_->eigene[index(art)];
            if (eigen == nullptr) {
                return std::nullopt;
            }
            return z_->quellen[eigen].vorher;
        });
    // Our content, with what it replaced (perhaps nothing); else the selection as it is.
    return vorher && *vorher ? **vorher : text(art);
}

quint64 WaylandAblage::schreibeEigenen(Art art, const QString& text,
                                       std::optional<QString> vorher) {
    return verbindung_
        .frage<quint64>([&] {
            const int i = index(art);
            const quint64 nummer = ++z_->letzteNummer;
            auto* quelle = z_->neueQuelle(i, {text.toUtf8(), true, nummer, i, std::move(vorher)});
            z_->eigene[i] = quelle;
            z_->setzeAuswahl(i, quelle);
            return nummer;
        })
        .value_or(0);
}

bool WaylandAblage::haeltEigenen(Art art, quint64 nummer) {
    return verbindung_
        .frage<bool>([&] {
            auto* eigen = z_->eigene[index(art)];
            return eigen != nullptr && z_->quellen[eigen].nummer == nummer;
        })
        .value_or(false);
}

int WaylandAblage::gelesen(quint64 nummer) {
    return verbindung_.frage<int>([&] { return z_->gelesen[nummer]; }).value_or(0);
}

void WaylandAblage::setze(Art art, const std::optional<QString>& text) {
    verbindung_.fuehreAus([&] {
        const int i = index(art);
        z_->eigene[i] = nullptr;
        z_->setzeAuswahl(i, text ? z_->neueQuelle(i, {text->toUtf8(), false, 0, i, std::nullopt})
                                 : nullptr);
    });
}

quint64 WaylandAblage::aenderungen(Art art) {
    return verbindung_.frage<quint64>([&] { return z_->aenderungen[index(art)]; }).value_or(0);
}

} // namespace parlix
