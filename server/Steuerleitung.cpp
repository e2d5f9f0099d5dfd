#include "server/Steuerleitung.hpp"

#include <QJsonDocument>
#include <QSocketNotifier>
#include <QTextStream>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace parlix {

namespace {

// A line longer than this is not one the desktop program writes.
constexpr qsizetype maxZeile = 1024 * 1024;

std::optional<QJsonObject> objektAus(const QByteArray& zeile) {
    QJsonParseError fehler{};
    const QJsonDocument dokument = QJsonDocument::fromJson(zeile, &fehler);
    if (!dokument.isObject()) {
        return std::nullopt;
    }
    return dokument.object();
}

} // namespace

Steuerleitung::Steuerleitung(int fd, QObject* eltern)
    : QObject(eltern)
    , fd_(fd) {}

Steuerleitung::~Steuerleitung() = default;

Steuerleitung::Gelesen Steuerleitung::lies() {
    char block[4096];
    ssize_t gelesen = 0;
    do {
        gelesen = ::read(fd_, block, sizeof block);
    } while (gelesen < 0 && errno == EINTR);
    if (gelesen < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        return Gelesen::nichts;
    }
    if (gelesen <= 0) {
        return Gelesen::ende;
    }
    puffer_.append(block, gelesen);
    if (puffer_.size() > maxZeile && !puffer_.contains('\n')) {
        puffer_.clear(); // drop the runaway line rather than grow without end
    }
    return Gelesen::daten;
}

std::optional<QByteArray> Steuerleitung::naechsteZeile() {
    const qsizetype ende = puffer_.indexOf('\n');
    if (ende < 0) {
        return std::nullopt;
    }
    QByteArray zeile = puffer_.left(ende);
    puffer_.remove(0, ende + 1);
    return zeile;
}

std::optional<QJsonObject> Steuerleitung::ersteZeile() {
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    std::optional<QByteArray> zeile;
    while (!(zeile = naechsteZeile())) {
        if (lies() == Gelesen::ende) {
            return std::nullopt;
        }
    }
    return objektAus(*zeile);
}

void Steuerleitung::lausche(std::function<void(const QJsonObject&)> zeile,
                            std::function<void()> geschlossen) {
    zeile_ = std::move(zeile);
    geschlossen_ = std::move(geschlossen);
    // From now on the event loop waits, not the read.
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    melder_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(melder_, &QSocketNotifier::activated, this, &Steuerleitung::weiter);
    // Lines that came with the first one are not left waiting for more bytes.
    QMetaObject::invokeMethod(
        this, [this] { weiter(); }, Qt::QueuedConnection);
}

void Steuerleitung::weiter() {
    const bool offen = lies() != Gelesen::ende;
    while (std::optional<QByteArray> zeile = naechsteZeile()) {
        if (std::optional<QJsonObject> objekt = objektAus(*zeile)) {
            zeile_(*objekt);
        } else {
            QTextStream(stderr) << "Steuerzeile ist kein JSON-Objekt, übergangen." << Qt::endl;
        }
    }
    if (!offen) {
        melder_->setEnabled(false);
        geschlossen_();
    }
}

} // namespace parlix
