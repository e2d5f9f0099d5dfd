#include "tests/support/server/ServerFaden.hpp"

#include "server/ReferenzServer.hpp"

#include <QThread>
#include <future>
#include <stdexcept>

namespace parlix {

// The server is built, run and destroyed inside run(), so every Qt object of it
// belongs to this thread from birth to death.
class ServerFaden::Faden final : public QThread {
public:
    Faden(Behandler& behandler, const QHostAddress& adresse, quint16 port, ServerGrenzen grenzen)
        : adresse_(adresse)
        , behandler_(behandler)
        , gewuenschterPort_(port)
        , grenzen_(std::move(grenzen)) {
        setObjectName(QStringLiteral("ReferenzServer"));
    }

    // Starts the thread; returns once the server listens or has failed to.
    void starte() {
        std::future<void> bereit = bereit_.get_future();
        start();
        bereit.get();
    }

    const QHostAddress adresse_;
    quint16 port_ = 0;
    ReferenzServer* server_ = nullptr;

protected:
    void run() override {
        ReferenzServer server(behandler_, grenzen_);
        port_ = server.lausche(adresse_, gewuenschterPort_);
        server_ = &server;
        bereit_.set_value();
        if (port_ != 0) {
            exec();
        }
        server_ = nullptr;
    }

private:
    Behandler& behandler_;
    quint16 gewuenschterPort_;
    ServerGrenzen grenzen_;
    std::promise<void> bereit_;
};

ServerFaden::ServerFaden(Behandler& behandler, const QHostAddress& adresse, quint16 port,
                         ServerGrenzen grenzen)
    : faden_(std::make_unique<Faden>(behandler, adresse, port, std::move(grenzen))) {
    faden_->starte();
    if (faden_->port_ == 0) {
        faden_->wait();
        throw std::runtime_error("Server kann nicht lauschen");
    }
}

ServerFaden::~ServerFaden() {
    faden_->quit();
    faden_->wait();
}

quint16 ServerFaden::port() const {
    return faden_->port_;
}

QUrl ServerFaden::basis() const {
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(faden_->adresse_.toString());
    url.setPort(faden_->port_);
    return url;
}

int ServerFaden::verbindungen() const {
    return faden_->server_->verbindungen();
}

int ServerFaden::getrennt() const {
    return faden_->server_->getrennt();
}

} // namespace parlix
