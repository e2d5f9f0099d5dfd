#pragma once

#include "app/platform/KindProzess.hpp"

#include <QString>
#include <memory>

namespace parlix::test {

// A private PostgreSQL server for one test suite: a fresh cluster in a temporary
// folder, listening only on a Unix socket in that folder. PostgreSQL refuses to run as
// root, so under root it runs as the system user "postgres", who owns the folder.
class PostgresCluster {
public:
    PostgresCluster();
    ~PostgresCluster();
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    bool laeuft() const { return server_ != nullptr; }
    // A new empty database; its address for Datenbank::ausAngabe.
    QString neueDatenbank();
    // Stops the server at once, as a crash would.
    void halteAn();

private:
    QStringList alsBesitzer(const QString& programm, const QStringList& argumente) const;

    QString bin_;
    QString ordner_;
    int port_ = 0;
    int datenbanken_ = 0;
    std::unique_ptr<KindProzess> server_;
};

} // namespace parlix::test
