#include "tests/support/server/StreamSpieler.hpp"

#include <QTimer>
#include <QWebSocket>

namespace parlix {

StreamSpieler::StreamSpieler(QWebSocket& socket, const StreamAblauf& ablauf)
    : QObject(&socket)
    , socket_(socket)
    , schritte_(ablauf.schritte()) {
    connect(&socket, &QWebSocket::binaryMessageReceived, this, [this] {
        ++chunks_;
        weiter();
    });
    connect(&socket, &QWebSocket::textMessageReceived, this, [this](const QString& text) {
        endeEmpfangen_ = endeEmpfangen_ || text == QStringLiteral("END");
        weiter();
    });
    // Queued, so that the upgrade is complete before the first frame goes out.
    QTimer::singleShot(0, this, &StreamSpieler::weiter);
}

void StreamSpieler::weiter() {
    while (!pausiert_ && naechster_ < schritte_.size() && fuehreAus(schritte_[naechster_])) {
        ++naechster_;
    }
}

bool StreamSpieler::fuehreAus(const StreamAblauf::Schritt& schritt) {
    using Art = StreamAblauf::Schritt::Art;
    switch (schritt.art) {
    case Art::text:
        socket_.sendTextMessage(QString::fromUtf8(schritt.daten));
        return true;
    case Art::binaer:
        socket_.sendBinaryMessage(schritt.daten);
        return true;
    case Art::pause:
        pausiert_ = true;
        QTimer::singleShot(schritt.dauer, this, [this] {
            pausiert_ = false;
            ++naechster_;
            weiter();
        });
        return false;
    case Art::aufChunks:
        return chunks_ >= schritt.anzahl;
    case Art::aufEnde:
        return endeEmpfangen_;
    case Art::schliessen:
        socket_.close(schritt.code, QString::fromUtf8(schritt.daten));
        return true;
    case Art::trennen:
        socket_.flush(); // what was sent before still goes out
        socket_.abort();
        return true;
    }
    return true;
}

} // namespace parlix
