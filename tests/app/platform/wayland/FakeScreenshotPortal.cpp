#include "tests/app/platform/wayland/FakeScreenshotPortal.hpp"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace parlix::test {

FakeScreenshotPortal::FakeScreenshotPortal(QDBusConnection bus, QImage bild)
    : FakePortal(std::move(bus))
    , bild_(std::move(bild)) {
    registriere();
}

QString FakeScreenshotPortal::letzteDatei() const {
    const std::lock_guard lock(sperre_);
    return letzteDatei_;
}

QDBusObjectPath FakeScreenshotPortal::Screenshot(const QString& /*fenster*/,
                                                 const QVariantMap& optionen) {
    const QString datei =
        ordner_.filePath(optionen.value(u"handle_token"_s).toString() + u".png"_s);
    bild_.save(datei);
    {
        const std::lock_guard lock(sperre_);
        letzteDatei_ = datei;
    }
    return antworte(optionen, antwort, {{u"uri"_s, QUrl::fromLocalFile(datei).toString()}});
}

} // namespace parlix::test
