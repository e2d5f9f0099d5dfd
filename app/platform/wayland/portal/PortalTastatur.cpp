#include "app/platform/wayland/portal/PortalTastatur.hpp"

#include "app/platform/wayland/portal/Portal.hpp"
#include "core/log/DateiLog.hpp"
#include "core/util/AtomareDatei.hpp"

#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QFile>
#include <QStandardPaths>
#include <vector>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kSchnittstelle = u"org.freedesktop.portal.RemoteDesktop"_s;
const QString kSitzung = u"org.freedesktop.portal.Session"_s;
const QString kAblage = u"org.freedesktop.portal.Clipboard"_s;
constexpr uint kTastatur = 1;      // device type
constexpr uint kBisWiderrufen = 2; // persist_mode: until the user revokes it

QString gespeicherterToken(const QString& datei) {
    QFile token(datei);
    if (!token.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(token.readAll()).trimmed();
}

} // namespace

PortalTastatur::PortalTastatur(QDBusConnection bus, QString tokenDatei, bool mitAblage)
    : bus_(std::move(bus))
    , tokenDatei_(std::move(tokenDatei))
    , mitAblage_(mitAblage) {}

PortalTastatur::~PortalTastatur() {
    const QString offen = sitzung();
    if (!offen.isEmpty()) {
        bus_.call(QDBusMessage::createMethodCall(Portal::kDienst, offen, kSitzung, u"Close"_s),
                  QDBus::NoBlock);
    }
}

QString PortalTastatur::standardTokenDatei() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/parlix/remote-desktop-token"_s;
}

bool PortalTastatur::verfuegbar(const QDBusConnection& bus) {
    return Portal::bietet(bus, kSchnittstelle);
}

bool PortalTastatur::ablageVerfuegbar(const QDBusConnection& bus) {
    return Portal::bietet(bus, kAblage);
}

FernAblage::Weg PortalTastatur::ablageWeg() const {
    return {Portal::kDienst,
            Portal::kPfad,
            kAblage,
            [this] { return sitzung(); },
            u"mime_types"_s,
            u"session_is_owner"_s,
            [this] { return ablageErlaubt(); }};
}

void PortalTastatur::starte(Bereit bereit) {
    bereit_ = std::move(bereit);
    frage(u"CreateSession"_s, {QVariantMap{{u"session_handle_token"_s, u"parlixfern"_s}}},
          SLOT(sitzungKam(uint, QVariantMap)));
}

void PortalTastatur::frage(const QString& methode, QVariantList argumente,
                           const char* antwortSlot) {
    Portal::frage(bus_, kSchnittstelle, methode, std::move(argumente),
                  u"parlixfern%1"_s.arg(++anfragen_), this, antwortSlot,
                  [this, methode](const QString& fehler) {
                      log().schreibe(u"FEHLER: RemoteDesktop-Portal: %1 abgelehnt (%2)"_s.arg(
                          methode, fehler));
                      melde(false);
                  });
}

void PortalTastatur::sitzungKam(uint antwort, const QVariantMap& ergebnis) {
    const QString pfad = ergebnis.value(u"session_handle"_s).toString();
    if (antwort != 0 || pfad.isEmpty()) {
        log().schreibe(u"FEHLER: RemoteDesktop-Portal: keine Sitzung (Antwort %1)"_s.arg(antwort));
        melde(false);
        return;
    }
    {
        const std::lock_guard lock(sperre_);
        sitzung_ = pfad;
    }
    bus_.connect(Portal::kDienst, pfad, kSitzung, u"Closed"_s, this,
                 SLOT(sitzungEndete(QDBusMessage)));
    QVariantMap optionen{{u"types"_s, kTastatur}, {u"persist_mode"_s, kBisWiderrufen}};
    const QString token = gespeicherterToken(tokenDatei_);
    if (!token.isEmpty()) {
        optionen.insert(u"restore_token"_s, token);
    }
    frage(u"SelectDevices"_s, {QVariant::fromValue(QDBusObjectPath(pfad)), optionen},
          SLOT(auswahlKam(uint, QVariantMap)));
}

void PortalTastatur::auswahlKam(uint antwort, const QVariantMap& /*ergebnis*/) {
    if (antwort != 0) {
        log().schreibe(
            u"FEHLER: RemoteDesktop-Portal: keine Tastatur wählbar (Antwort %1)"_s.arg(antwort));
        melde(false);
        return;
    }
    if (!mitAblage_) {
        ablageAngefragt();
        return;
    }
    // Only before Start; the desktop's answer comes with Start's.
    QDBusMessage aufruf = QDBusMessage::createMethodCall(Portal::kDienst, Portal::kPfad, kAblage,
                                                         u"RequestClipboard"_s);
    aufruf << QVariant::fromValue(QDBusObjectPath(sitzung())) << QVariantMap();
    auto* warten = new QDBusPendingCallWatcher(bus_.asyncCall(aufruf), this);
    connect(warten, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (w->isError()) {
            log().schreibe(u"FEHLER: RemoteDesktop-Portal: keine Zwischenablage (%1)"_s.arg(
                w->error().message()));
        }
        ablageAngefragt();
    });
}

void PortalTastatur::ablageAngefragt() {
    // Here the desktop asks the user, unless the token spares it.
    frage(u"Start"_s, {QVariant::fromValue(QDBusObjectPath(sitzung())), QString(), QVariantMap()},
          SLOT(startKam(uint, QVariantMap)));
}

void PortalTastatur::startKam(uint antwort, const QVariantMap& ergebnis) {
    if (antwort != 0 || (ergebnis.value(u"devices"_s).toUInt() & kTastatur) == 0) {
        log().schreibe(
            u"FEHLER: RemoteDesktop-Portal: Tastatur nicht erlaubt (Antwort %1)"_s.arg(antwort));
        melde(false);
        return;
    }
    const QString token = ergebnis.value(u"restore_token"_s).toString();
    if (!token.isEmpty()) {
        const auto fehler = AtomareDatei::schreibe(tokenDatei_, token.toUtf8(),
                                                   QFile::ReadOwner | QFile::WriteOwner);
        if (fehler) {
            log().schreibe(
                u"FEHLER: RemoteDesktop-Portal: Token nicht gespeichert (%1)"_s.arg(*fehler));
        }
    }
    const bool ablage = ergebnis.value(u"clipboard_enabled"_s).toBool();
    if (mitAblage_ && !ablage) {
        log().schreibe(u"FEHLER: RemoteDesktop-Portal: Zwischenablage nicht erlaubt"_s);
    }
    {
        const std::lock_guard lock(sperre_);
        gestartet_ = true;
        ablage_ = ablage;
    }
    melde(true);
}

void PortalTastatur::sitzungEndete(const QDBusMessage& /*signal*/) {
    log().schreibe(u"RemoteDesktop-Portal: Sitzung vom Desktop beendet"_s);
    const std::lock_guard lock(sperre_);
    gestartet_ = false;
    ablage_ = false;
    sitzung_.clear();
}

void PortalTastatur::melde(bool gestartet) {
    if (bereit_) {
        const Bereit bereit = std::exchange(bereit_, nullptr);
        bereit(gestartet);
    }
}

QString PortalTastatur::sitzung() const {
    const std::lock_guard lock(sperre_);
    return sitzung_;
}

bool PortalTastatur::ablageErlaubt() const {
    const std::lock_guard lock(sperre_);
    return gestartet_ && ablage_;
}

bool PortalTastatur::tippe(const Tastenkombination& taste) {
    QString pfad;
    {
        const std::lock_guard lock(sperre_);
        if (!gestartet_) {
            return false;
        }
        pfad = sitzung_;
    }
    const std::vector<quint32> runter = gedrueckt(taste);
    std::vector<std::pair<quint32, uint>> folge;
    for (const quint32 keysym : runter) {
        folge.emplace_back(keysym, 1);
    }
    for (auto keysym = runter.rbegin(); keysym != runter.rend(); ++keysym) {
        folge.emplace_back(*keysym, 0);
    }
    // Sent at once, in order; then every reply is awaited.
    std::vector<QDBusPendingCall> antworten;
    for (const auto& [keysym, zustand] : folge) {
        QDBusMessage aufruf = QDBusMessage::createMethodCall(
            Portal::kDienst, Portal::kPfad, kSchnittstelle, u"NotifyKeyboardKeysym"_s);
        aufruf << QVariant::fromValue(QDBusObjectPath(pfad)) << QVariantMap()
               << static_cast<int>(keysym) << zustand;
        antworten.push_back(bus_.asyncCall(aufruf, 2000));
    }
    bool alle = true;
    for (QDBusPendingCall& antwort : antworten) {
        antwort.waitForFinished();
        alle = alle && !antwort.isError();
    }
    return alle;
}

} // namespace parlix
