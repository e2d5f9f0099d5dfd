#include "app/platform/wayland/portal/PortalBildschirmfoto.hpp"

#include "app/platform/wayland/portal/Portal.hpp"
#include "core/log/DateiLog.hpp"

#include <QBuffer>
#include <QDBusArgument>
#include <QFile>
#include <QImage>
#include <QUrl>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kSchnittstelle = u"org.freedesktop.portal.Screenshot"_s;

// The window's part of the screen's picture; nothing when it shows none of the window.
std::optional<QByteArray> ausschnittAlsPng(const QString& datei, const QRect& rahmen) {
    const QImage bild(datei);
    QFile::remove(datei);
    const QRect teil = rahmen.intersected(bild.rect());
    QByteArray png;
    QBuffer puffer(&png);
    if (teil.isEmpty() || !puffer.open(QIODevice::WriteOnly) ||
        !bild.copy(teil).save(&puffer, "PNG")) {
        return std::nullopt;
    }
    return png;
}

} // namespace

PortalBildschirmfoto::PortalBildschirmfoto(QDBusConnection bus, Rahmen rahmen)
    : bus_(std::move(bus))
    , rahmen_(std::move(rahmen)) {}

bool PortalBildschirmfoto::verfuegbar(const QDBusConnection& bus) {
    return Portal::bietet(bus, kSchnittstelle);
}

std::optional<QByteArray> PortalBildschirmfoto::fensterScreenshot() {
    const std::lock_guard einzeln(eins_);
    const auto rahmen = rahmen_();
    if (!rahmen) {
        log().schreibe(u"Screenshot-Portal: kein Fensterfoto (Fensterrahmen unbekannt)"_s);
        return std::nullopt;
    }
    const auto datei = bildDatei();
    return datei ? ausschnittAlsPng(*datei, *rahmen) : std::nullopt;
}

std::optional<QString> PortalBildschirmfoto::bildDatei() {
    std::future<QString> datei;
    QString token;
    {
        const std::lock_guard lock(sperre_);
        antwort_.emplace();
        datei = antwort_->get_future();
        token = u"parlixfoto%1"_s.arg(++anfragen_);
    }
    // The answer comes on a path made of our bus name and the token; listening starts
    // before the call, so that no answer can come first.
    const QString anfrage = Portal::antwortPfad(bus_, token);
    bus_.connect(Portal::kDienst, anfrage, Portal::kAnfrage, u"Response"_s, this,
                 SLOT(antwortKam(QDBusMessage)));
    QDBusMessage aufruf = QDBusMessage::createMethodCall(Portal::kDienst, Portal::kPfad,
                                                         kSchnittstelle, u"Screenshot"_s);
    aufruf << QString() << QVariantMap{{u"handle_token"_s, token}, {u"interactive"_s, false}};
    const QDBusMessage antwort = bus_.call(aufruf, QDBus::Block, 5000);
    const bool gekommen = antwort.type() == QDBusMessage::ReplyMessage &&
                          datei.wait_for(kFrist) == std::future_status::ready;
    bus_.disconnect(Portal::kDienst, anfrage, Portal::kAnfrage, u"Response"_s, this,
                    SLOT(antwortKam(QDBusMessage)));
    {
        const std::lock_guard lock(sperre_);
        antwort_.reset();
    }
    const QString pfad = gekommen ? datei.get() : QString();
    if (pfad.isEmpty()) {
        log().schreibe(u"FEHLER: Screenshot-Portal: kein Bild"_s);
        return std::nullopt;
    }
    return pfad;
}

// Response: (u code, a{sv} results); code 0 with "uri" is a picture, anything else none.
void PortalBildschirmfoto::antwortKam(const QDBusMessage& antwort) {
    const QVariantList argumente = antwort.arguments();
    QString datei;
    if (argumente.size() >= 2 && argumente[0].toUInt() == 0) {
        const QVariantMap ergebnis = qdbus_cast<QVariantMap>(argumente[1]);
        datei = QUrl(ergebnis.value(u"uri"_s).toString()).toLocalFile();
    }
    const std::lock_guard lock(sperre_);
    if (antwort_) {
        antwort_->set_value(datei);
        antwort_.reset();
    }
}

} // namespace parlix
