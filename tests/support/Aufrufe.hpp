#pragma once

#include <QString>
#include <QStringList>
#include <mutex>

namespace parlix::test {

// The calls the fakes of the platform services received, in order, as short texts such
// as "absenken(20)" or "hud.zeige". One list shared by all fakes shows the order across
// services. Safe from any thread.
class Aufrufe {
public:
    void notiere(const QString& aufruf);
    QStringList liste() const;
    // How often a call exactly so was made.
    qsizetype anzahl(const QString& aufruf) const;
    // The calls that begin with `praefix`, in order.
    QStringList mit(const QString& praefix) const;
    void leere();

private:
    mutable std::mutex sperre_;
    QStringList liste_;
};

} // namespace parlix::test
