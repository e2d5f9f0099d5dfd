#include "app/platform/wayland/portal/PortalAblage.hpp"

#include "app/platform/wayland/Rohr.hpp"
#include "app/platform/wayland/portal/Portal.hpp"
#include "app/platform/wayland/portal/PortalTastatur.hpp"
#include "core/log/DateiLog.hpp"

#include <QDBusArgument>
#include <QDBusUnixFileDescriptor>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kSchnittstelle = u"org.freedesktop.portal.Clipboard"_s;

} // namespace

PortalAblage::PortalAblage(QDBusConnection bus, PortalTastatur& sitzung)
    : bus_(std::move(bus))
    , sitzung_(sitzung) {
    bus_.connect(Portal::kDienst, Portal::kPfad, kSchnittstelle, u"SelectionTransfer"_s, this,
                 SLOT(transferKam(QDBusObjectPath, QString, uint)));
    bus_.connect(Portal::kDienst, Portal::kPfad, kSchnittstelle, u"SelectionOwnerChanged"_s, this,
                 SLOT(besitzerWechselte(QDBusObjectPath, QVariantMap)));
}

bool PortalAblage::verfuegbar(const QDBusConnection& bus) {
    return Portal::bietet(bus, kSchnittstelle);
}

QDBusMessage PortalAblage::rufe(const QString& methode, const QVariantList& argumente) const {
    QDBusMessage aufruf =
        QDBusMessage::createMethodCall(Portal::kDienst, Portal::kPfad, kSchnittstelle, methode);
    aufruf.setArguments(argumente);
    return bus_.call(aufruf, QDBus::Block, 2000);
}

std::optional<QString> PortalAblage::text(Art art) {
    if (art == Art::primaer || !sitzung_.ablageErlaubt()) {
        return std::nullopt;
    }
    QByteArray typ = kTextTypen.first();
    {
        const std::lock_guard lock(sperre_);
        // Our own content is at hand; asking the portal would make it ask us.
        if (besitzer_ && eigener_) {
            return QString::fromUtf8(eigener_->text);
        }
        if (angeboten_) {
            const auto text =
                std::find_if(kTextTypen.begin(), kTextTypen.end(),
                             [&](const QByteArray& t) { return angeboten_->contains(t); });
            if (text == kTextTypen.end()) {
                return std::nullopt;
            }
            typ = *text;
        }
    }
    const QDBusMessage antwort =
        rufe(u"SelectionRead"_s,
             {QVariant::fromValue(QDBusObjectPath(sitzung_.sitzung())), QString::fromUtf8(typ)});
    if (antwort.type() != QDBusMessage::ReplyMessage || antwort.arguments().isEmpty()) {
        return std::nullopt;
    }
    const auto fd = qdbus_cast<QDBusUnixFileDescriptor>(antwort.arguments().constFirst());
    if (!fd.isValid()) {
        return std::nullopt;
    }
    return QString::fromUtf8(Rohr::leseAlles(fd.fileDescriptor()));
}

std::optional<QString> PortalAblage::vorherigerText(Art art) {
    {
        const std::lock_guard lock(sperre_);
        if (art == Art::zwischenablage && besitzer_ && eigener_ && eigener_->markiert &&
            eigener_->vorher) {
            return eigener_->vorher;
        }
    }
    return text(art);
}

quint64 PortalAblage::schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) {
    if (art == Art::primaer || !sitzung_.ablageErlaubt()) {
        return 0;
    }
    quint64 nummer = 0;
    {
        const std::lock_guard lock(sperre_);
        nummer = ++letzteNummer_;
    }
    return biete(Inhalt{text.toUtf8(), true, nummer, std::move(vorher)}) ? nummer : 0;
}

bool PortalAblage::biete(std::optional<Inhalt> inhalt) {
    QStringList typen;
    if (inhalt) {
        for (const QByteArray& typ : kTextTypen) {
            typen << QString::fromUtf8(typ);
        }
        if (inhalt->markiert) {
            typen << QString::fromUtf8(kPasswortHinweis);
        }
    }
    {
        const std::lock_guard lock(sperre_);
        besitzer_ = inhalt.has_value();
        eigener_ = std::move(inhalt);
        ++aenderungen_;
    }
    const QDBusMessage antwort =
        rufe(u"SetSelection"_s, {QVariant::fromValue(QDBusObjectPath(sitzung_.sitzung())),
                                 QVariantMap{{u"mime_types"_s, typen}}});
    if (antwort.type() != QDBusMessage::ReplyMessage) {
        log().schreibe(u"FEHLER: RemoteDesktop-Portal: Zwischenablage nicht gesetzt (%1)"_s.arg(
            antwort.errorMessage()));
        const std::lock_guard lock(sperre_);
        besitzer_ = false;
        eigener_.reset();
        return false;
    }
    // The owner news already on their way to the main thread predate this announcement.
    const std::lock_guard lock(sperre_);
    ++veraltet_;
    QMetaObject::invokeMethod(
        this,
        [this] {
            const std::lock_guard lock(sperre_);
            --veraltet_;
        },
        Qt::QueuedConnection);
    return true;
}

bool PortalAblage::haeltEigenen(Art art, quint64 nummer) {
    const std::lock_guard lock(sperre_);
    return art == Art::zwischenablage && besitzer_ && eigener_ && eigener_->nummer == nummer;
}

int PortalAblage::gelesen(quint64 nummer) {
    const std::lock_guard lock(sperre_);
    const auto eintrag = gelesen_.find(nummer);
    return eintrag == gelesen_.end() ? 0 : eintrag->second;
}

bool PortalAblage::setze(Art art, const std::optional<QString>& text) {
    if (art == Art::primaer || !sitzung_.ablageErlaubt()) {
        return false;
    }
    return biete(text ? std::optional(Inhalt{text->toUtf8(), false, 0, std::nullopt})
                      : std::nullopt);
}

quint64 PortalAblage::aenderungen(Art art) {
    const std::lock_guard lock(sperre_);
    return art == Art::zwischenablage ? aenderungen_ : 0;
}

void PortalAblage::transferKam(const QDBusObjectPath& sitzung, const QString& typ, uint nummer) {
    if (sitzung.path() != sitzung_.sitzung()) {
        return;
    }
    std::optional<Inhalt> inhalt;
    {
        const std::lock_guard lock(sperre_);
        inhalt = eigener_;
    }
    const bool hinweis = typ.toUtf8() == kPasswortHinweis;
    bool geschrieben = false;
    if (inhalt && (hinweis ? inhalt->markiert : kTextTypen.contains(typ.toUtf8()))) {
        const QDBusMessage antwort =
            rufe(u"SelectionWrite"_s, {QVariant::fromValue(sitzung), nummer});
        if (antwort.type() == QDBusMessage::ReplyMessage && !antwort.arguments().isEmpty()) {
            // The last copy of the descriptor closes at the end of this block: the reader
            // sees the end of the text before it hears we are done.
            const auto fd = qdbus_cast<QDBusUnixFileDescriptor>(antwort.arguments().constFirst());
            geschrieben = fd.isValid() && Rohr::schreibeAlles(fd.fileDescriptor(),
                                                              hinweis ? "secret" : inhalt->text);
        }
    }
    bus_.call(QDBusMessage::createMethodCall(Portal::kDienst, Portal::kPfad, kSchnittstelle,
                                             u"SelectionWriteDone"_s)
                  << QVariant::fromValue(sitzung) << nummer << geschrieben,
              QDBus::NoBlock);
    if (geschrieben && !hinweis) {
        const std::lock_guard lock(sperre_);
        ++gelesen_[inhalt->nummer];
    }
}

void PortalAblage::besitzerWechselte(const QDBusObjectPath& sitzung, const QVariantMap& angaben) {
    if (sitzung.path() != sitzung_.sitzung()) {
        return;
    }
    const std::lock_guard lock(sperre_);
    if (veraltet_ > 0 || angaben.value(u"session_is_owner"_s).toBool()) {
        return;
    }
    // Another program copied: what it offers counts from now on, and ours is over.
    besitzer_ = false;
    QByteArrayList typen;
    for (const QString& typ : angaben.value(u"mime_types"_s).toStringList()) {
        typen << typ.toUtf8();
    }
    angeboten_ = typen;
    ++aenderungen_;
}

} // namespace parlix
