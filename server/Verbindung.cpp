#include "server/Verbindung.hpp"

#include "server/AntwortStrom.hpp"
#include "server/Pforte.hpp"

#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace parlix {

Verbindung::Verbindung(QTcpSocket& socket, Pforte& pforte, const ServerGrenzen& grenzen)
    : QObject(&socket)
    , socket_(socket)
    , pforte_(&pforte)
    , grenzen_(grenzen)
    , kunde_(socket.peerAddress().toString())
    , rahmen_(grenzen) {
    frist_.setSingleShot(true);
    connect(&frist_, &QTimer::timeout, this, &Verbindung::fristAbgelaufen);
    // Connected before the parser connects, so every byte is framed before it is parsed.
    connect(&socket, &QTcpSocket::readyRead, this, &Verbindung::vorParser);
    stelleFrist();
}

Verbindung::~Verbindung() {
    if (pforte_.isNull()) {
        return;
    }
    for (const qint64 bytes : std::as_const(reserviert_)) {
        pforte_->gibFrei(kunde_, bytes);
    }
    pforte_->abgemeldet(this);
}

std::pair<QHostAddress, quint16> Verbindung::gegenueber() const {
    return {socket_.peerAddress(), socket_.peerPort()};
}

Verbindung* Verbindung::von(QTcpSocket* socket) {
    return socket != nullptr ? socket->findChild<Verbindung*>(QString(), Qt::FindDirectChildrenOnly)
                             : nullptr;
}

QByteArray Verbindung::neueBytes() const {
    const QByteArray ungelesen = socket_.peek(socket_.bytesAvailable());
    return ungelesen.sliced(std::min<qsizetype>(ungelesenGesehen_, ungelesen.size()));
}

void Verbindung::vorParser() {
    if (verworfen_ || rahmen_.durchgereicht()) {
        return;
    }
    const QByteArray neu = neueBytes();
    if (neu.isEmpty()) {
        return;
    }
    if (!rahmen_.mittenInAnfrage()) {
        kopfFrist_.setRemainingTime(grenzen_.kopfFristMs);
    }
    const Rahmen::Ergebnis ergebnis = rahmen_.nimm(neu);
    if (!reserviere(ergebnis)) {
        verwirf(503, u"Der Server empfängt gerade zu viele Daten. Bitte gleich noch einmal "
                     "versuchen."_s);
        return;
    }
    if (ergebnis.verstoss) {
        verwirf(ergebnis.verstoss->status, ergebnis.verstoss->detail);
        return;
    }
    stelleFrist();
}

void Verbindung::nachParser() {
    ungelesenGesehen_ = socket_.bytesAvailable();
}

bool Verbindung::reserviere(const Rahmen::Ergebnis& ergebnis) {
    qint64 bytes = ergebnis.fortgesetzt;
    for (const qint64 koerper : ergebnis.neueKoerper) {
        bytes += koerper;
    }
    if (!pforte_->reserviere(kunde_, bytes)) {
        return false;
    }
    if (!reserviert_.isEmpty()) {
        reserviert_.last() += ergebnis.fortgesetzt;
    }
    reserviert_.append(ergebnis.neueKoerper);
    // A body's rate is measured in windows from its first byte on.
    if (!ergebnis.neueKoerper.isEmpty()) {
        koerperImFenster_ = ergebnis.neueKoerper.last();
        fensterEnde_.setRemainingTime(grenzen_.koerperFensterMs);
    } else {
        koerperImFenster_ += ergebnis.fortgesetzt;
    }
    return true;
}

bool Verbindung::ruht() const {
    return !rahmen_.mittenInAnfrage() && reserviert_.isEmpty() && vergeben_ == gesendet_ &&
           !rahmen_.durchgereicht();
}

void Verbindung::antworte(qsizetype nummer, const Antwort& antwort, bool schliessen) {
    if (antwort.verzoegerung.count() > 0) {
        Antwort sofort = antwort;
        sofort.verzoegerung = {};
        QTimer::singleShot(antwort.verzoegerung, this, [this, nummer, sofort, schliessen] {
            antworte(nummer, sofort, schliessen);
        });
        return;
    }
    fertig_.insert(nummer, {antwort, schliessen});
    sendeFertige();
}

void Verbindung::sendeFertige() {
    for (auto naechste = fertig_.find(gesendet_); !strom_ && naechste != fertig_.end();
         naechste = fertig_.find(gesendet_)) {
        const auto [antwort, schliessen] = naechste.value();
        fertig_.erase(naechste);
        const bool http10 = rahmen_.sprachHttp10(gesendet_);
        if (!reserviert_.isEmpty() && !pforte_.isNull()) {
            pforte_->gibFrei(kunde_, reserviert_.takeFirst());
        }
        if (antwort.art == Antwort::Art::strom) {
            beginneStrom(antwort, schliessen, http10);
            if (!schreibeStrom()) {
                return;
            }
            continue;
        }
        ++gesendet_;
        sende(antwort, schliessen);
        if (socket_.state() != QAbstractSocket::ConnectedState) {
            return;
        }
    }
    stelleFrist();
}

void Verbindung::weiterImStrom(qsizetype nummer) {
    if (strom_ && nummer == gesendet_ && schreibeStrom()) {
        sendeFertige();
    }
}

void Verbindung::beginneStrom(const Antwort& antwort, bool schliessen, bool http10) {
    Antwort kopf = antwort;
    // HTTP/1.0 knows no chunks: there the body ends where the connection does.
    kopf.kopfzeilen.append(http10
                               ? qMakePair(QByteArray("Connection"), QByteArray("close"))
                               : qMakePair(QByteArray("Transfer-Encoding"), QByteArray("chunked")));
    socket_.write(kopf.kopf());
    strom_ = antwort.strom;
    stromSchliessen_ = schliessen || http10;
    inStuecken_ = !http10;
}

bool Verbindung::schreibeStrom() {
    const AntwortStrom::Vorrat vorrat = strom_->nimm();
    if (!inStuecken_) {
        socket_.write(vorrat.bytes);
    } else if (!vorrat.bytes.isEmpty()) {
        socket_.write(QByteArray::number(vorrat.bytes.size(), 16) + "\r\n");
        socket_.write(vorrat.bytes);
        socket_.write("\r\n");
    }
    if (vorrat.ende == AntwortStrom::Ende::offen) {
        return false;
    }
    strom_.reset();
    ++gesendet_;
    if (vorrat.ende == AntwortStrom::Ende::abgebrochen) {
        stromSchliessen_ = true; // without the last chunk the client sees the body was cut
    } else if (inStuecken_) {
        socket_.write("0\r\n\r\n");
    }
    if (stromSchliessen_) {
        socket_.disconnectFromHost();
        return false;
    }
    return true;
}

void Verbindung::sende(const Antwort& antwort, bool schliessen) {
    switch (antwort.art) {
    case Antwort::Art::normal:
        // The body apart: the socket keeps it as it is instead of a copy behind the head.
        socket_.write(antwort.kopf());
        socket_.write(antwort.koerper);
        if (schliessen) {
            socket_.disconnectFromHost();
        }
        break;
    case Antwort::Art::roh:
        socket_.write(antwort.koerper);
        socket_.disconnectFromHost();
        break;
    case Antwort::Art::trennen:
        socket_.abort();
        break;
    case Antwort::Art::schweigen:
    case Antwort::Art::strom: // sent by sendeFertige
        break;
    }
}

void Verbindung::verwirf(int status, const QString& detail) {
    // The parser reads no more: what it has not yet seen is never handled.
    verworfen_ = true;
    frist_.stop();
    QObject::disconnect(&socket_, &QTcpSocket::readyRead, nullptr, nullptr);
    antworte(neueAnfrage(), Antwort::fehler(status, detail), true);
}

void Verbindung::schliesse() {
    frist_.stop();
    socket_.disconnectFromHost();
}

void Verbindung::stelleFrist() {
    if (verworfen_ || rahmen_.durchgereicht()) {
        frist_.stop();
        return;
    }
    qint64 ms = -1;
    if (rahmen_.mittenInAnfrage()) {
        ms = grenzen_.leseFristMs;
        if (rahmen_.imKopf()) {
            ms = std::min(ms, kopfFrist_.remainingTime());
        } else if (rahmen_.imKoerper()) {
            ms = std::min(ms, fensterEnde_.remainingTime());
        }
    } else if (ruht()) {
        ms = grenzen_.ruheFristMs;
    }
    if (ms < 0) {
        frist_.stop(); // the answer is ours to give
    } else {
        frist_.start(std::chrono::milliseconds(ms));
    }
}

void Verbindung::fristAbgelaufen() {
    // A timer may fire a few milliseconds early.
    constexpr qint64 spielraumMs = 20;
    if (rahmen_.imKoerper() && fensterEnde_.remainingTime() <= spielraumMs) {
        if (koerperImFenster_ < grenzen_.minKoerperProFenster) {
            verwirf(408, u"Der Inhalt kommt zu langsam an."_s);
            return;
        }
        koerperImFenster_ = 0;
        fensterEnde_.setRemainingTime(grenzen_.koerperFensterMs);
        stelleFrist();
        return;
    }
    if (rahmen_.mittenInAnfrage()) {
        verwirf(408, u"Die Anfrage kam nicht rechtzeitig an."_s);
    } else {
        schliesse();
    }
}

} // namespace parlix
