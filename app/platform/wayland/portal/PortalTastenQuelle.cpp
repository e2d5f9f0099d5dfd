#include "app/platform/wayland/portal/PortalTastenQuelle.hpp"

#include "app/platform/wayland/LinuxTasten.hpp"
#include "app/platform/wayland/portal/Portal.hpp"
#include "app/platform/wayland/portal/PortalKuerzel.hpp"
#include "core/log/DateiLog.hpp"

#include <QDBusMessage>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const QString kSchnittstelle = u"org.freedesktop.portal.GlobalShortcuts"_s;

} // namespace

PortalTastenQuelle::PortalTastenQuelle(QDBusConnection bus, Hotkeys hotkeys, QString kennung,
                                       QString token)
    : bus_(std::move(bus))
    , hotkeys_(std::move(hotkeys))
    , kennung_(std::move(kennung))
    , token_(std::move(token)) {
    PortalKuerzel::registriere();
}

PortalTastenQuelle::~PortalTastenQuelle() {
    if (!sitzung_.isEmpty()) {
        bus_.call(QDBusMessage::createMethodCall(Portal::kDienst, sitzung_,
                                                 u"org.freedesktop.portal.Session"_s, u"Close"_s),
                  QDBus::NoBlock);
    }
}

bool PortalTastenQuelle::verfuegbar(const QDBusConnection& bus) {
    return Portal::bietet(bus, kSchnittstelle);
}

QString PortalTastenQuelle::ausloeser(const Hotkey& hotkey) {
    const auto taste = LinuxTasten::ausMac(hotkey.keyCode);
    if (!taste) {
        return {};
    }
    QString text;
    for (const auto& [bit, name] :
         {std::pair{Hotkey::control, u"CTRL+"_s}, std::pair{Hotkey::option, u"ALT+"_s},
          std::pair{Hotkey::shift, u"SHIFT+"_s}, std::pair{Hotkey::command, u"LOGO+"_s}}) {
        if ((hotkey.modifiers & bit) != 0) {
            text += name;
        }
    }
    return text + QString::fromLatin1(taste->keysym);
}

void PortalTastenQuelle::starte(Behandler behandler, Bereit bereit) {
    behandler_ = std::move(behandler);
    bereit_ = std::move(bereit);
    for (const QString& signal : {u"Activated"_s, u"Deactivated"_s}) {
        bus_.connect(Portal::kDienst, Portal::kPfad, kSchnittstelle, signal, this,
                     SLOT(tasteKam(QDBusMessage)));
    }
    gebunden_ = hotkeys_();
    // KDE Plasma 5.27 to 6.0 register a session's shortcuts only from its creation options
    // and ignore BindShortcuts' list; other portals take them from BindShortcuts.
    frage(u"CreateSession"_s,
          {QVariantMap{{u"session_handle_token"_s, token_},
                       {u"shortcuts"_s, QVariant::fromValue(kuerzel())}}},
          SLOT(sitzungKam(uint, QVariantMap)));
}

QList<PortalKuerzel> PortalTastenQuelle::kuerzel() const {
    QList<PortalKuerzel> liste;
    for (qsizetype i = 0; i < gebunden_.size(); ++i) {
        liste.append(
            {kennung_ + QString::number(i),
             {{u"description"_s, u"Parlix"_s}, {u"preferred_trigger"_s, ausloeser(gebunden_[i])}}});
    }
    return liste;
}

void PortalTastenQuelle::frage(const QString& methode, QVariantList argumente,
                               const char* antwortSlot) {
    Portal::frage(bus_, kSchnittstelle, methode, std::move(argumente),
                  token_ + u"_"_s + QString::number(++anfragen_), this, antwortSlot,
                  [this, methode](const QString& fehler) {
                      log().schreibe(u"FEHLER: GlobalShortcuts-Portal: %1 abgelehnt (%2)"_s.arg(
                          methode, fehler));
                      meldeBereit(false);
                  });
}

void PortalTastenQuelle::sitzungKam(uint antwort, const QVariantMap& ergebnis) {
    sitzung_ = ergebnis.value(u"session_handle"_s).toString();
    if (antwort != 0 || sitzung_.isEmpty()) {
        log().schreibe(
            u"FEHLER: GlobalShortcuts-Portal: keine Sitzung (Antwort %1)"_s.arg(antwort));
        meldeBereit(false);
        return;
    }
    frage(u"BindShortcuts"_s,
          {QVariant::fromValue(QDBusObjectPath(sitzung_)), QVariant::fromValue(kuerzel()),
           QString(), QVariantMap()},
          SLOT(bindungKam(uint, QVariantMap)));
}

void PortalTastenQuelle::bindungKam(uint antwort, const QVariantMap& /*ergebnis*/) {
    if (antwort != 0) {
        log().schreibe(
            u"FEHLER: GlobalShortcuts-Portal: Tasten nicht gebunden (Antwort %1)"_s.arg(antwort));
    }
    meldeBereit(antwort == 0);
}

void PortalTastenQuelle::meldeBereit(bool erstellt) {
    if (bereit_) {
        const Bereit bereit = std::exchange(bereit_, nullptr);
        bereit(erstellt);
    }
}

// Activated and Deactivated: (o session, s id, t time, a{sv} options).
void PortalTastenQuelle::tasteKam(const QDBusMessage& signal) {
    const QVariantList argumente = signal.arguments();
    if (argumente.size() >= 2) {
        melde(qvariant_cast<QDBusObjectPath>(argumente[0]), argumente[1].toString(),
              signal.member() == u"Activated"_s);
    }
}

void PortalTastenQuelle::melde(const QDBusObjectPath& sitzung, const QString& id, bool unten) {
    bool zahl = false;
    const qsizetype index = id.startsWith(kennung_) ? id.mid(kennung_.size()).toInt(&zahl) : -1;
    if (sitzung.path() != sitzung_ || !zahl || index < 0 || index >= gebunden_.size() ||
        !behandler_ || pausiert_) {
        return;
    }
    const auto [typ, keyCode, flags] = LinuxTasten::meldung(gebunden_[index], unten);
    behandler_(typ, keyCode, flags);
}

} // namespace parlix
