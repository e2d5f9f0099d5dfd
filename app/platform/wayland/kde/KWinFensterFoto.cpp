#include "app/platform/wayland/kde/KWinFensterFoto.hpp"

#include "app/platform/wayland/Rohr.hpp"
#include "core/log/DateiLog.hpp"

#include <QBuffer>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QImage>
#include <QVariantMap>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kDienst = u"org.kde.KWin"_s;

// KWin's answer describes the raw picture: "type" "raw", its size, line length and
// QImage format.
std::optional<QByteArray> alsPng(const QVariantMap& beschreibung, const QByteArray& roh) {
    const int breite = beschreibung.value(u"width"_s).toInt();
    const int hoehe = beschreibung.value(u"height"_s).toInt();
    const qsizetype zeile = beschreibung.value(u"stride"_s).toLongLong();
    const auto format = static_cast<QImage::Format>(beschreibung.value(u"format"_s).toUInt());
    if (beschreibung.value(u"type"_s).toString() != u"raw"_s || breite <= 0 || hoehe <= 0 ||
        format <= QImage::Format_Invalid || format >= QImage::NImageFormats || zeile < breite ||
        roh.size() < zeile * hoehe) {
        return std::nullopt;
    }
    const QImage bild(reinterpret_cast<const uchar*>(roh.constData()), breite, hoehe,
                      static_cast<qsizetype>(zeile), format);
    QByteArray png;
    QBuffer puffer(&png);
    if (!puffer.open(QIODevice::WriteOnly) || !bild.save(&puffer, "PNG")) {
        return std::nullopt;
    }
    return png;
}

} // namespace

bool KWinFensterFoto::verfuegbar(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface()->isServiceRegistered(kDienst);
}

std::optional<QByteArray> KWinFensterFoto::fensterScreenshot() {
    int rohr[2];
    if (pipe2(rohr, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    QDBusMessage antwort;
    {
        // The message holds a copy of the writing end: it must be gone before the end of
        // the picture can be seen.
        QDBusMessage aufruf =
            QDBusMessage::createMethodCall(kDienst, u"/org/kde/KWin/ScreenShot2"_s,
                                           u"org.kde.KWin.ScreenShot2"_s, u"CaptureActiveWindow"_s);
        aufruf << QVariantMap{{u"include-decoration"_s, false},
                              {u"include-cursor"_s, false},
                              {u"native-resolution"_s, true}}
               << QVariant::fromValue(QDBusUnixFileDescriptor(rohr[1]));
        close(rohr[1]);
        antwort = bus_.call(aufruf, QDBus::Block, 10000);
    }
    const QByteArray roh =
        antwort.type() == QDBusMessage::ReplyMessage ? Rohr::leseAlles(rohr[0]) : QByteArray();
    close(rohr[0]);
    if (antwort.type() != QDBusMessage::ReplyMessage || antwort.arguments().isEmpty()) {
        log().schreibe(u"FEHLER: KWin-Bildschirmfoto: %1"_s.arg(antwort.errorMessage()));
        return std::nullopt;
    }
    auto png = alsPng(qdbus_cast<QVariantMap>(antwort.arguments().constFirst()), roh);
    if (!png) {
        log().schreibe(u"FEHLER: KWin-Bildschirmfoto: Bild unlesbar"_s);
    }
    return png;
}

} // namespace parlix
