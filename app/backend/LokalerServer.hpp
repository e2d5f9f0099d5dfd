#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QJsonObject>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>

namespace parlix {

// The backend Parlix runs itself: the program parlix-server from the folder Parlix was
// started from, as a child on a free loopback port, its data in one folder of the user's.
// Parlix hands it, on its standard input, a secret made for this start and the providers
// the user set up; the server then answers only calls that carry the secret, so no other
// user of the machine can use it. Closing its standard input ends it, so it never
// outlives Parlix, even a crashed one. If it dies it is started again after a pause that
// doubles up to a bound. While it does not listen, the process's backend root is empty
// and calls wait for it (see backendWurzel()). Main thread.
class LokalerServer final : public QObject {
    Q_OBJECT

public:
    struct Einrichtung {
        QString programm; // the server's executable
        QString daten;    // its data folder
        std::chrono::milliseconds startFrist = std::chrono::seconds(15);
        std::chrono::milliseconds erstePause = std::chrono::milliseconds(500);
        std::chrono::milliseconds laengstePause = std::chrono::seconds(30);
    };

    // parlix-server beside this program, its data in $XDG_DATA_HOME/parlix/server.
    static Einrichtung standard();

    explicit LokalerServer(Einrichtung einrichtung = standard(), QObject* eltern = nullptr);
    ~LokalerServer() override;

    // The providers; may come before or after the start. The running server gets every
    // change at once.
    void setzeAnbieter(const QJsonObject& anbieter);
    void starte();
    // Ends the server and waits briefly for it; no restart follows.
    void beende();

    // Empty while it does not listen.
    QUrl wurzel() const { return wurzel_; }
    QByteArray geheimnis() const { return geheimnis_; }
    bool bereit() const { return !wurzel_.isEmpty(); }

signals:
    void bereit();
    // `grund` is the localisation key of what went wrong.
    void ausgefallen(const QString& grund);
    void neuGestartet();

private:
    // Why the server cannot start at all, as a localisation key; empty when it can.
    QString hindernis() const;
    void starteProzess();
    void liesAusgabe();
    // The child ended (`wie`: how, for the log): a new start after the pause.
    void fallAus(const QString& grund, const QString& wie);
    void schreibe(const QJsonObject& zeile);

    Einrichtung e_;
    QJsonObject anbieter_;
    QByteArray geheimnis_;
    QUrl wurzel_;
    QProcess* prozess_ = nullptr;
    QTimer neustart_;
    QTimer startFrist_;
    QElapsedTimer bereitSeit_;
    std::chrono::milliseconds pause_;
    int starts_ = 0;
    bool aktiv_ = false;
};

} // namespace parlix
