#pragma once

#include "app/maintenance/Manifest.hpp"
#include "app/maintenance/UpdatePaket.hpp"
#include "app/maintenance/Updater.hpp"
#include "tests/app/maintenance/ProgrammLabor.hpp"
#include "tests/support/VirtuelleMainQueue.hpp"

#include <QDir>
#include <atomic>
#include <gtest/gtest.h>

namespace parlix::test {

// An installed version 1.9 at `installation`, in a folder of its own with the manifest of
// its files as the per-user archive unpacks, and a version 1.10 at `quelle` to release.
class UpdateTestBasis : public ::testing::Test {
protected:
    explicit UpdateTestBasis(const QString& installationsOrdner)
        : installation(labor.pfad(installationsOrdner)) {
        labor.programmOrdner(installation, QStringLiteral("1.9"));
        ProgrammLabor::datei(QDir(installation).filePath(QLatin1String(Manifest::datei)),
                             Manifest::ausOrdner(installation).text());
        labor.programmOrdner(quelle, QStringLiteral("1.10"));
        QDir().mkpath(arbeit);
    }

    // The updater of version 1.9 against `basis`; the swap waits for process `pid`.
    Updater::Einrichtung einrichtung(const QUrl& basis, qint64 pid) {
        return {
            .basis = basis,
            .lokaleVersion = QStringLiteral("1.9"),
            .installation = Installation::von(installation + QStringLiteral("/bin/parlix")),
            .schluessel = UpdatePaket::herstellerSchluessel(),
            .arbeitsBasis = arbeit,
            .pid = pid,
            .beende = [this] { beendet = true; },
        };
    }

    ProgrammLabor labor;
    VirtuelleMainQueue queue;
    const QString installation;
    const QString quelle = labor.pfad(QStringLiteral("quelle/parlix"));
    const QString arbeit = labor.pfad(QStringLiteral("arbeit"));
    std::atomic<bool> beendet{false};
};

} // namespace parlix::test
