#pragma once

#include "app/platform/KindProzess.hpp"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace parlix::test {

// The processes of a test desktop: each ends with this process even when a test aborts,
// and all end, the last started first, when the object goes. Each one's standard error
// goes to "<name>.log" in the desktop's folder.
class DesktopProzesse {
public:
    explicit DesktopProzesse(QString verzeichnis)
        : verzeichnis_(std::move(verzeichnis)) {}
    ~DesktopProzesse();
    DesktopProzesse(const DesktopProzesse&) = delete;
    DesktopProzesse& operator=(const DesktopProzesse&) = delete;

    // `umgebung`: "NAME=value" entries in place of this process's environment.
    KindProzess& starte(const QString& programm, const QStringList& argumente,
                        const QString& protokoll,
                        std::optional<QStringList> umgebung = std::nullopt);

    // Takes a process started otherwise (as another user, say) into the set.
    KindProzess& nimm(std::unique_ptr<KindProzess> prozess);

    // A private session bus that starts no desktop portal and none of `ohneDienste` on
    // demand; its address, or nothing when it did not start in `frist`.
    std::optional<QByteArray> starteBus(const QStringList& ohneDienste = {},
                                        std::chrono::milliseconds frist = std::chrono::seconds(20));

private:
    QString verzeichnis_;
    std::vector<std::unique_ptr<KindProzess>> prozesse_;
};

} // namespace parlix::test
