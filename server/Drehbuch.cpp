#include "server/Drehbuch.hpp"

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

void Drehbuch::setzeStreamBehandlung(StreamBehandlung behandlung) {
    std::lock_guard lock(sperre_);
    streamBehandlung_ = std::move(behandlung);
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

void Drehbuch::notiere(const Anfrage& anfrage) {
    anfragen_.append(anfrage);
    neueAnfrage_.notify_all();
}

void Drehbuch::behandle(const Anfrage& anfrage, Antworter antworte) {
    Antwort antwort = Antwort::fehler(404, u"nicht im Drehbuch: "_s + anfrage.pfad);
    {
        std::lock_guard lock(sperre_);
        notiere(anfrage);
        if (auto folge = einmalig_.find(anfrage.pfad);
            folge != einmalig_.end() && !folge->isEmpty()) {
            antwort = folge->takeFirst();
        } else if (auto standard = stehend_.find(anfrage.pfad); standard != stehend_.end()) {
            antwort = *standard;
        }
    }
    antworte(antwort);
}

void Drehbuch::neuerStream(const Anfrage& handshake, QWebSocket& socket) {
    StreamBehandlung behandlung;
    {
        std::lock_guard lock(sperre_);
        notiere(handshake);
        behandlung = streamBehandlung_;
    }
    if (behandlung) {
        behandlung(handshake, socket);
    }
}

} // namespace parlix
