#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace parlix {

// Keeps Parlix to one running instance per user session. The first instance holds a lock
// file and listens on a local socket in the user's runtime folder; a later start finds
// the lock taken, asks the first instance over the socket to show itself, and ends.
// A lock left behind by a crashed instance is taken over.
class EinzelInstanz final : public QObject {
    Q_OBJECT

public:
    // `ordner`: where lock and socket live; by default $XDG_RUNTIME_DIR/parlix (or a
    // private folder in the temporary directory when there is no runtime folder).
    explicit EinzelInstanz(QString ordner = standardOrdner());
    ~EinzelInstanz() override;

    // Takes the lock and starts listening; false when another instance runs.
    bool werdeErste();
    // Asks the running instance to show itself; false when it could not be reached.
    bool weckeErste() const;
    // Asks the running instance to start or stop a dictation; false when it could not be
    // reached.
    bool schalteErsteUm() const;

    static QString standardOrdner();

signals:
    // Another start asked this instance to show itself.
    void geweckt();
    // Another start asked this instance to start or stop a dictation.
    void umschalten();

private:
    void nimmVerbindungAn();
    bool sende(const QByteArray& befehl) const;

    QString ordner_;
    QLockFile sperre_;
    QLocalServer server_;
};

} // namespace parlix
