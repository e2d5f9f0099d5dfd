#include "tests/support/server/Drehbuch.hpp"

#include "tests/support/server/StreamSpieler.hpp"

#include <QWebSocket>

using namespace Qt::StringLiterals;

namespace parlix {

void Drehbuch::stelleEin(const QString& pfad, const Antwort& antwort) {
    std::lock_guard lock(sperre_);
    stehend_.insert(pfad, antwort);
}

void Drehbuch::reiheEin(const QString& pfad, const Antwort& antwort) {
    std::lock_guard lock(sperre_);
    einmalig_[pfad].append(antwort);
}

void Drehbuch::stelleStreamEin(const StreamAblauf& ablauf) {
    std::lock_guard lock(sperre_);
    streamAblauf_ = ablauf;
}

QList<Anfrage> Drehbuch::anfragen() const {
    std::lock_guard lock(sperre_);
    return anfragen_;
}

QList<Anfrage> Drehbuch::anfragen(const QString& pfad) const {
    QList<Anfrage> passend = anfragen();
    passend.removeIf([&](const Anfrage& anfrage) { return anfrage.pfad != pfad; });
    return passend;
}

bool Drehbuch::warteAufAnfragen(qsizetype anzahl, std::chrono::milliseconds limit) const {
    std::unique_lock lock(sperre_);
    return neueAnfrage_.wait_for(lock, limit, [&] { return anfragen_.size() >= anzahl; });
}

QList<StreamMitschnitt> Drehbuch::streams() const {
    std::lock_guard lock(sperre_);
    return streams_;
}

bool Drehbuch::warteAufStreams(const std::function<bool(const QList<StreamMitschnitt>&)>& bedingung,
                               std::chrono::milliseconds limit) const {
    std::unique_lock lock(sperre_);
    return neueAnfrage_.wait_for(lock, limit, [&] { return bedingung(streams_); });
}

void Drehbuch::notiere(const Anfrage& anfrage) {
    anfragen_.append(anfrage);
    neueAnfrage_.notify_all();
}

std::optional<Antwort> Drehbuch::naechsteAntwort(const QString& pfad) {
    if (auto folge = einmalig_.find(pfad); folge != einmalig_.end() && !folge->isEmpty()) {
        return folge->takeFirst();
    }
    if (auto standard = stehend_.find(pfad); standard != stehend_.end()) {
        return *standard;
    }
    return std::nullopt;
}

void Drehbuch::behandle(const Anfrage& anfrage, Antworter antworte) {
    std::optional<Antwort> antwort;
    {
        std::lock_guard lock(sperre_);
        notiere(anfrage);
        antwort = naechsteAntwort(anfrage.pfad);
    }
    antworte(antwort.value_or(Antwort::fehler(404, u"nicht im Drehbuch: "_s + anfrage.pfad)));
}

std::optional<Antwort> Drehbuch::verweigereStream(const Anfrage& handshake) {
    std::lock_guard lock(sperre_);
    std::optional<Antwort> antwort = naechsteAntwort(handshake.pfad);
    if (antwort) {
        notiere(handshake);
    }
    return antwort;
}

void Drehbuch::neuerStream(const Anfrage& handshake, QWebSocket& socket) {
    StreamAblauf ablauf;
    qsizetype nummer = 0;
    {
        std::lock_guard lock(sperre_);
        notiere(handshake);
        StreamMitschnitt neu;
        neu.handshake = handshake;
        streams_.append(neu);
        nummer = streams_.size() - 1;
        ablauf = streamAblauf_;
    }
    // Recording is connected first, so a frame is on record before the script reacts.
    zeichneAuf(socket, nummer);
    new StreamSpieler(socket, ablauf);
}

void Drehbuch::zeichneAuf(QWebSocket& socket, qsizetype nummer) {
    QObject::connect(&socket, &QWebSocket::binaryMessageReceived, &socket,
                     [this, nummer](const QByteArray& daten) {
                         aendere(nummer, [&](StreamMitschnitt& m) {
                             m.frames.append({.text = false, .daten = daten});
                         });
                     });
    QObject::connect(&socket, &QWebSocket::textMessageReceived, &socket,
                     [this, nummer](const QString& text) {
                         aendere(nummer, [&](StreamMitschnitt& m) {
                             m.frames.append({.text = true, .daten = text.toUtf8()});
                         });
                     });
    QObject::connect(&socket, &QWebSocket::disconnected, &socket, [this, nummer, &socket] {
        const int code = socket.closeCode();
        aendere(nummer, [code](StreamMitschnitt& m) { m.schlussCode = code; });
    });
}

void Drehbuch::aendere(qsizetype nummer, const std::function<void(StreamMitschnitt&)>& aenderung) {
    std::lock_guard lock(sperre_);
    aenderung(streams_[nummer]);
    neueAnfrage_.notify_all();
}

} // namespace parlix
