#pragma once

#include "server/ServerGrenzen.hpp"

#include <QHash>
#include <QList>
#include <QTcpServer>
#include <atomic>

namespace parlix {

class Verbindung;

// Accepts the TCP connections and gives each a Verbindung. It keeps the number of open
// connections (in all and per client address) under a cap that stays below the
// open-file limit: at the cap the longest idle connection makes room, and when none is
// idle the newcomer gets 503 and is closed, so the server keeps answering. It also
// holds the memory budget for request bodies, of which each client address may hold a
// share only, and counts the connections for tests.
class Pforte final : public QTcpServer {
    Q_OBJECT

public:
    Pforte(const ServerGrenzen& grenzen, QObject* eltern);
    ~Pforte() override;

    // Any thread: connections accepted so far, and those that have closed since.
    int verbindungen() const { return verbindungen_.load(); }
    int getrennt() const { return getrennt_.load(); }
    int maxVerbindungen() const { return maxVerbindungen_; }

    // Connections accepted since the last call (for the server to finish wiring them).
    QList<Verbindung*> nimmNeue();
    // Body bytes held in memory, as they arrive: false when the budget, or the client's
    // share of it, has no room for them.
    bool reserviere(const QString& kunde, qint64 bytes);
    void gibFrei(const QString& kunde, qint64 bytes);
    // The open connection from that peer, if any.
    Verbindung* zu(const QHostAddress& adresse, quint16 port) const;
    // Called by a Verbindung as it ends.
    void abgemeldet(Verbindung* verbindung);

protected:
    void incomingConnection(qintptr deskriptor) override;

private:
    // Closes the longest idle connection (of that client, if given); false if none is.
    bool machePlatz(const QString& kunde);

    const ServerGrenzen& grenzen_;
    const int maxVerbindungen_;
    QList<Verbindung*> offen_; // in the order they came
    QHash<QString, int> proKunde_;
    QList<Verbindung*> neu_;
    qint64 budget_;
    QHash<QString, qint64> budgetProKunde_; // what each client holds; only those that do
    std::atomic<int> verbindungen_{0};
    std::atomic<int> getrennt_{0};
};

} // namespace parlix
