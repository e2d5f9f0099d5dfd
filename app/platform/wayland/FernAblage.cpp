#include "app/platform/wayland/FernAblage.hpp"

#include "app/platform/wayland/Rohr.hpp"
#include "core/log/DateiLog.hpp"

#include <QDBusArgument>
#include <QDBusUnixFileDescriptor>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// Mutter sends the types as a structure holding the list, the portal as the list.
QStringList typenAus(const QVariant& wert) {
    if (!wert.canConvert<QDBusArgument>()) {
        return wert.toStringList();
    }
    const auto argument = wert.value<QDBusArgument>();
    QStringList typen;
    if (argument.currentType() == QDBusArgument::StructureType) {
        argument.beginStructure();
        argument >> typen;
        argument.endStructure();
    } else {
        argument >> typen;
    }
    return typen;
}

} // namespace

FernAblage::FernAblage(QDBusConnection bus, Weg weg)
    : bus_(std::move(bus))
    , weg_(std::move(weg)) {
    bus_.connect(weg_.dienst, weg_.pfad, weg_.schnittstelle, u"SelectionTransfer"_s, this,
                 SLOT(transferKam(QDBusMessage)));
    bus_.connect(weg_.dienst, weg_.pfad, weg_.schnittstelle, u"SelectionOwnerChanged"_s, this,
                 SLOT(besitzerWechselte(QDBusMessage)));
}

QDBusMessage FernAblage::rufe(const QString& methode, QVariantList argumente,
                              QDBus::CallMode art) const {
    if (weg_.sitzung) {
        argumente.prepend(QVariant::fromValue(QDBusObjectPath(weg_.sitzung())));
    }
    QDBusMessage aufruf =
        QDBusMessage::createMethodCall(weg_.dienst, weg_.pfad, weg_.schnittstelle, methode);
    aufruf.setArguments(argumente);
    return bus_.call(aufruf, art, 2000);
}

std::optional<QVariantList> FernAblage::vonUnsererSitzung(const QDBusMessage& signal) const {
    QVariantList argumente = signal.arguments();
    if (!weg_.sitzung) {
        return argumente;
    }
    if (argumente.isEmpty() ||
        qdbus_cast<QDBusObjectPath>(argumente.takeFirst()).path() != weg_.sitzung()) {
        return std::nullopt;
    }
    return argumente;
}

std::optional<QString> FernAblage::text(Art art) {
    if (art == Art::primaer || !weg_.erlaubt()) {
        return std::nullopt;
    }
    QByteArray typ = kTextTypen.first();
    {
        const std::lock_guard lock(sperre_);
        // Our own content is at hand; asking the session would make it ask us.
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
    const QDBusMessage antwort = rufe(u"SelectionRead"_s, {QString::fromUtf8(typ)});
    if (antwort.type() != QDBusMessage::ReplyMessage || antwort.arguments().isEmpty()) {
        return std::nullopt;
    }
    const auto fd = qdbus_cast<QDBusUnixFileDescriptor>(antwort.arguments().constFirst());
    if (!fd.isValid()) {
        return std::nullopt;
    }
    return QString::fromUtf8(Rohr::leseAlles(fd.fileDescriptor()));
}

std::optional<QString> FernAblage::vorherigerText(Art art) {
    {
        const std::lock_guard lock(sperre_);
        if (art == Art::zwischenablage && besitzer_ && eigener_ && eigener_->markiert &&
            eigener_->vorher) {
            return eigener_->vorher;
        }
    }
    return text(art);
}

quint64 FernAblage::schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) {
    if (art == Art::primaer || !weg_.erlaubt()) {
        return 0;
    }
    quint64 nummer = 0;
    {
        const std::lock_guard lock(sperre_);
        nummer = ++letzteNummer_;
    }
    return biete(Inhalt{text.toUtf8(), true, nummer, std::move(vorher)}) ? nummer : 0;
}

bool FernAblage::biete(std::optional<Inhalt> inhalt) {
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
    // No types at all: Mutter unsets the selection only when the key is missing.
    QVariantMap optionen;
    if (!typen.isEmpty()) {
        optionen.insert(weg_.typenSchluessel, typen);
    }
    const QDBusMessage antwort = rufe(u"SetSelection"_s, {optionen});
    if (antwort.type() != QDBusMessage::ReplyMessage) {
        log().schreibe(u"FEHLER: RemoteDesktop: Zwischenablage nicht gesetzt (%1)"_s.arg(
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

bool FernAblage::haeltEigenen(Art art, quint64 nummer) {
    const std::lock_guard lock(sperre_);
    return art == Art::zwischenablage && besitzer_ && eigener_ && eigener_->nummer == nummer;
}

int FernAblage::gelesen(quint64 nummer) {
    const std::lock_guard lock(sperre_);
    const auto eintrag = gelesen_.find(nummer);
    return eintrag == gelesen_.end() ? 0 : eintrag->second;
}

bool FernAblage::setze(Art art, const std::optional<QString>& text) {
    if (art == Art::primaer || !weg_.erlaubt()) {
        return false;
    }
    return biete(text ? std::optional(Inhalt{text->toUtf8(), false, 0, std::nullopt})
                      : std::nullopt);
}

quint64 FernAblage::aenderungen(Art art) {
    const std::lock_guard lock(sperre_);
    return art == Art::zwischenablage ? aenderungen_ : 0;
}

void FernAblage::transferKam(const QDBusMessage& signal) {
    const auto argumente = vonUnsererSitzung(signal);
    if (!argumente || argumente->size() < 2) {
        return;
    }
    const QString typ = argumente->at(0).toString();
    const uint nummer = argumente->at(1).toUInt();
    std::optional<Inhalt> inhalt;
    {
        const std::lock_guard lock(sperre_);
        inhalt = eigener_;
    }
    const bool hinweis = typ.toUtf8() == kPasswortHinweis;
    bool geschrieben = false;
    if (inhalt && (hinweis ? inhalt->markiert : kTextTypen.contains(typ.toUtf8()))) {
        const QDBusMessage antwort = rufe(u"SelectionWrite"_s, {nummer});
        if (antwort.type() == QDBusMessage::ReplyMessage && !antwort.arguments().isEmpty()) {
            // The last copy of the descriptor closes at the end of this block: the reader
            // sees the end of the text before it hears we are done.
            const auto fd = qdbus_cast<QDBusUnixFileDescriptor>(antwort.arguments().constFirst());
            geschrieben = fd.isValid() && Rohr::schreibeAlles(fd.fileDescriptor(),
                                                              hinweis ? "secret" : inhalt->text);
        }
    }
    rufe(u"SelectionWriteDone"_s, {nummer, geschrieben}, QDBus::NoBlock);
    if (geschrieben && !hinweis) {
        const std::lock_guard lock(sperre_);
        ++gelesen_[inhalt->nummer];
    }
}

void FernAblage::besitzerWechselte(const QDBusMessage& signal) {
    const auto argumente = vonUnsererSitzung(signal);
    if (!argumente || argumente->isEmpty()) {
        return;
    }
    const QVariantMap angaben = qdbus_cast<QVariantMap>(argumente->constFirst());
    const std::lock_guard lock(sperre_);
    if (veraltet_ > 0) {
        return;
    }
    // Mutter may first name a stand-in of its own as the owner and then our session: the
    // last word counts, so ours again is ours.
    if (angaben.value(weg_.besitzerSchluessel).toBool()) {
        besitzer_ = eigener_.has_value();
        return;
    }
    // Another program copied: what it offers counts from now on, and ours is over.
    besitzer_ = false;
    QByteArrayList typen;
    for (const QString& typ : typenAus(angaben.value(weg_.typenSchluessel))) {
        typen << typ.toUtf8();
    }
    angeboten_ = typen;
    ++aenderungen_;
}

} // namespace parlix
