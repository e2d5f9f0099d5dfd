#pragma once

#include "tests/app/platform/wayland/FakePortal.hpp"

#include <QImage>
#include <QTemporaryDir>
#include <atomic>

namespace parlix::test {

// The desktop's Screenshot portal as a test plays it: each screenshot is `bild`, written
// to a file of its own whose address the answer carries; with `antwort` 1 the user
// cancelled.
class FakeScreenshotPortal final : public FakePortal {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
    Q_PROPERTY(uint version READ version)

public:
    FakeScreenshotPortal(QDBusConnection bus, QImage bild);

    uint version() const { return 2; }
    // The last picture's file. Any thread.
    QString letzteDatei() const;

    std::atomic<uint> antwort{0};

public slots:
    QDBusObjectPath Screenshot(const QString& fenster, const QVariantMap& optionen);

private:
    QImage bild_;
    QTemporaryDir ordner_;
    mutable std::mutex sperre_;
    QString letzteDatei_;
};

} // namespace parlix::test
