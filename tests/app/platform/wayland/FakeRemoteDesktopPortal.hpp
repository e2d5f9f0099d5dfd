#pragma once

#include "tests/app/platform/wayland/FakeAblagePortal.hpp"

#include <QList>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <utility>

namespace parlix::test {

// The desktop's RemoteDesktop portal as a test plays it: a Start without a restore token
// it issued earlier counts as the consent dialog the user saw; `startAntwort` 1 is the
// user refusing. Every start that is granted hands out a fresh token, and every key the
// session posts is recorded; Control+V (with Shift too) makes the focused application
// paste from the portal's clipboard, Control+C copy its selection there.
class FakeRemoteDesktopPortal final : public FakeAblagePortal {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.RemoteDesktop")
    Q_PROPERTY(uint version READ version)
    Q_PROPERTY(uint AvailableDeviceTypes READ geraetearten)

public:
    explicit FakeRemoteDesktopPortal(QDBusConnection bus);

    uint version() const { return 2; }
    uint geraetearten() const { return 7; } // keyboard, pointer, touchscreen

    // The options of the last SelectDevices. Any thread.
    QVariantMap auswahl() const;
    // How often the user was asked. Any thread.
    int einwilligungen() const;
    // The tokens handed out, oldest first. Any thread.
    QStringList tokens() const;
    // The keys posted: keysym and state (1 down, 0 up), in the order they came. Any thread.
    QList<std::pair<int, uint>> tasten() const;

    std::atomic<uint> startAntwort{0};

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& optionen);
    QDBusObjectPath SelectDevices(const QDBusObjectPath& sitzung, const QVariantMap& optionen);
    QDBusObjectPath Start(const QDBusObjectPath& sitzung, const QString& fenster,
                          const QVariantMap& optionen);
    void NotifyKeyboardKeysym(const QDBusObjectPath& sitzung, const QVariantMap& optionen,
                              int keysym, uint zustand);

private:
    mutable std::mutex sperre_;
    QString sitzung_;
    QVariantMap auswahl_;
    int einwilligungen_ = 0;
    QStringList tokens_;
    QStringList gueltig_;
    bool gestartet_ = false;
    bool strg_ = false;
    QList<std::pair<int, uint>> tasten_;
};

} // namespace parlix::test
