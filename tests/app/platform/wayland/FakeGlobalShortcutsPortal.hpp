#pragma once

#include "app/platform/wayland/portal/PortalKuerzel.hpp"
#include "tests/app/platform/wayland/FakePortal.hpp"

#include <atomic>
#include <mutex>

namespace parlix::test {

// The desktop's GlobalShortcuts portal as a test plays it: sessions and bindings are
// answered (with `bindungsAntwort`, 0 = granted), and the test presses and releases the
// bound shortcuts.
class FakeGlobalShortcutsPortal final : public FakePortal {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

public:
    explicit FakeGlobalShortcutsPortal(QDBusConnection bus);

    uint version() const { return 1; }
    // What was bound, in the order given. Any thread.
    QList<PortalKuerzel> gebunden() const;
    // Sends Activated (`unten`) or Deactivated for a bound shortcut. Any thread.
    void druecke(const QString& id, bool unten);

    std::atomic<uint> bindungsAntwort{0};

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& optionen);
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& sitzung,
                                  const QList<parlix::PortalKuerzel>& kuerzel,
                                  const QString& fenster, const QVariantMap& optionen);

private:
    mutable std::mutex sperre_;
    QList<PortalKuerzel> gebunden_;
    QString sitzung_;
};

} // namespace parlix::test
