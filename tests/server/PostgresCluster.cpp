#include "tests/server/PostgresCluster.hpp"

#include <QDir>
#include <QTcpServer>
#include <QThread>
#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::test {

namespace {

QString binOrdner() {
    const QStringList versionen =
        QDir(u"/usr/lib/postgresql"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    return versionen.isEmpty() ? QString() : u"/usr/lib/postgresql/%1/bin"_s.arg(versionen.last());
}

int freierPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

PostgresCluster::PostgresCluster()
    : bin_(binOrdner())
    , port_(freierPort()) {
    QByteArray vorlage = QDir::tempPath().toUtf8() + "/parlix-pg-XXXXXX";
    if (bin_.isEmpty() || mkdtemp(vorlage.data()) == nullptr) {
        return;
    }
    ordner_ = QString::fromUtf8(vorlage);
    if (getuid() == 0) {
        KindProzess::ausgabe(u"chown"_s, {u"postgres:postgres"_s, ordner_}, 10s);
    }
    const QStringList initdb = alsBesitzer(
        bin_ + u"/initdb"_s, {u"-D"_s, ordner_ + u"/daten"_s, u"-A"_s, u"trust"_s, u"-U"_s,
                              u"postgres"_s, u"--no-sync"_s, u"-E"_s, u"UTF8"_s});
    if (!KindProzess::ausgabe(initdb.first(), initdb.mid(1), 120s)) {
        return;
    }
    const QStringList postgres = alsBesitzer(
        bin_ + u"/postgres"_s, {u"-D"_s, ordner_ + u"/daten"_s, u"-k"_s, ordner_, u"-p"_s,
                                QString::number(port_), u"-c"_s, u"listen_addresses="_s, u"-F"_s});
    server_ = std::make_unique<KindProzess>(postgres.first(), postgres.mid(1),
                                            KindProzess::Optionen{ordner_ + u"/log"_s, {}});
    const QStringList bereit =
        alsBesitzer(bin_ + u"/pg_isready"_s, {u"-h"_s, ordner_, u"-p"_s, QString::number(port_)});
    for (int versuch = 0; versuch < 200; ++versuch) {
        if (KindProzess::ausgabe(bereit.first(), bereit.mid(1), 5s)) {
            return;
        }
        QThread::msleep(50);
    }
    server_.reset();
}

PostgresCluster::~PostgresCluster() {
    halteAn();
    if (!ordner_.isEmpty()) {
        QDir(ordner_).removeRecursively();
    }
}

QStringList PostgresCluster::alsBesitzer(const QString& programm,
                                         const QStringList& argumente) const {
    // setpriv: the server ends with the test even when the test is killed.
    QStringList befehl{u"setpriv"_s, u"--pdeathsig"_s, u"KILL"_s, u"--"_s};
    if (getuid() == 0) {
        befehl = QStringList{u"runuser"_s, u"-u"_s, u"postgres"_s, u"--"_s} + befehl;
    }
    return befehl + QStringList{programm} + argumente;
}

QString PostgresCluster::neueDatenbank() {
    const QString name = u"parlix%1"_s.arg(++datenbanken_);
    const QStringList createdb =
        alsBesitzer(bin_ + u"/createdb"_s, {u"-h"_s, ordner_, u"-p"_s, QString::number(port_),
                                            u"-U"_s, u"postgres"_s, name});
    KindProzess::ausgabe(createdb.first(), createdb.mid(1), 30s);
    return u"postgresql://postgres@localhost:%1/%2?host=%3"_s.arg(port_).arg(name, ordner_);
}

void PostgresCluster::halteAn() {
    if (server_) {
        // An immediate stop ends the backends too; killing only the postmaster would leave
        // an open connection's backend serving it until it notices, which under load takes
        // long enough for a test to see the database still answering.
        const QStringList stopp =
            alsBesitzer(bin_ + u"/pg_ctl"_s,
                        {u"stop"_s, u"-m"_s, u"immediate"_s, u"-D"_s, ordner_ + u"/daten"_s});
        KindProzess::ausgabe(stopp.first(), stopp.mid(1), 30s);
        server_->sende(SIGKILL);
        server_->warteAufEnde(10s);
        server_.reset();
    }
}

} // namespace parlix::test
