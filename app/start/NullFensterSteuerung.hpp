#pragma once

#include "app/ui/FensterSteuerung.hpp"

#include <QString>

namespace parlix {

// Stands in for the secondary windows while a build has none: each request is logged.
class NullFensterSteuerung final : public FensterSteuerung {
public:
    void zeigeSetup() override { melde(QStringLiteral("Einrichtung")); }
    void zeigeEinstellungen() override { melde(QStringLiteral("Einstellungen")); }
    void zeigeOnboarding() override { melde(QStringLiteral("Berechtigungen")); }
    void zeigeHandbuch() override { melde(QStringLiteral("Handbuch")); }
    void zeigeLogin() override { melde(QStringLiteral("Anmeldung")); }

private:
    static void melde(const QString& fenster);
};

} // namespace parlix
