#include "server/MaskenWache.hpp"

#include <QEvent>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <linux/sockios.h>
#include <linux/tcp.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>

namespace parlix {

namespace {

// A WebSocket close frame with code 1002, the protocol error.
QByteArray protokollFehler(const QByteArray& grund) {
    return QByteArrayLiteral("\x88") + static_cast<char>(2 + grund.size()) +
           QByteArrayLiteral("\x03\xea") + grund;
}

// The kernel's connection states after the peer's FIN (its tcp_states.h; the uapi
// header with tcpi_bytes_received does not name them).
constexpr quint8 tcpCloseWait = 8;
constexpr quint8 tcpLastAck = 9;
constexpr quint8 tcpClosing = 11;

} // namespace

MaskenWache::MaskenWache(QTcpSocket& socket)
    : QObject(&socket)
    , socket_(socket) {
    // The WebSocket reads each time the socket says so, frames and all, before anyone
    // else hears of it. So the check looks at the bytes still in the system's queue,
    // just before the socket takes them in, and lets the socket take only those.
    for (QSocketNotifier* melder : socket_.findChildren<QSocketNotifier*>()) {
        if (melder->type() == QSocketNotifier::Read) {
            melder->installEventFilter(this);
        }
    }
    geprueft_ = vomSystemGelesen();
}

bool MaskenWache::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() != QEvent::SockAct || !pruefend_) {
        return QObject::eventFilter(objekt, ereignis);
    }
    if (verworfen_) {
        return true; // closing: what the client still sends is not read
    }
    if (!pruefeMasken()) {
        verworfen_ = true;
        socket_.write(protokollFehler("Jeder Rahmen eines Clients muss maskiert sein."));
        socket_.disconnectFromHost();
        return true;
    }
    return false;
}

qint64 MaskenWache::vomSystemGelesen() const {
    // Received in all, less what still waits in the system's queue. Only this thread
    // reads the socket, so the queue can but grow meanwhile: two equal looks at it
    // frame a count that belongs to it.
    const auto deskriptor = static_cast<int>(socket_.socketDescriptor());
    for (;;) {
        int vorher = 0;
        int nachher = 0;
        tcp_info info{};
        socklen_t laenge = sizeof info;
        if (ioctl(deskriptor, SIOCINQ, &vorher) != 0 ||
            getsockopt(deskriptor, IPPROTO_TCP, TCP_INFO, &info, &laenge) != 0 ||
            ioctl(deskriptor, SIOCINQ, &nachher) != 0) {
            return -1;
        }
        if (vorher == nachher) {
            // The peer's FIN takes a place in the count, but no byte.
            const bool fin = info.tcpi_state == tcpCloseWait || info.tcpi_state == tcpLastAck ||
                             info.tcpi_state == tcpClosing;
            return static_cast<qint64>(info.tcpi_bytes_received) - nachher - (fin ? 1 : 0);
        }
    }
}

bool MaskenWache::pruefeMasken() {
    const auto deskriptor = static_cast<int>(socket_.socketDescriptor());
    const qint64 gelesen = vomSystemGelesen();
    int wartend = 0;
    if (gelesen < 0 || gelesen > geprueft_ || ioctl(deskriptor, SIOCINQ, &wartend) != 0) {
        // A failing socket (it reports that itself), or bytes read unseen, after which
        // the frames cannot be followed: no more checks, nor limits on reading.
        qWarning("Die Masken der WebSocket-Rahmen von %s werden nicht mehr geprüft.",
                 qUtf8Printable(socket_.peerAddress().toString()));
        pruefend_ = false;
        socket_.setReadBufferSize(0);
        return true;
    }
    QByteArray vorschau(wartend, Qt::Uninitialized);
    const ssize_t gesehen =
        recv(deskriptor, vorschau.data(), static_cast<size_t>(wartend), MSG_PEEK | MSG_DONTWAIT);
    if (gesehen <= 0) {
        socket_.setReadBufferSize(0); // the end of the stream, or nothing after all
        return true;
    }
    // The socket reads no more than this look has seen; what it leaves in the queue is
    // the front of the next look and was checked already.
    socket_.setReadBufferSize(socket_.bytesAvailable() + gesehen);
    const qint64 schon = geprueft_ - gelesen;
    geprueft_ = std::max(geprueft_, gelesen + gesehen);
    return schon >= gesehen || masken_.nimm(vorschau.first(gesehen).sliced(schon));
}

} // namespace parlix
