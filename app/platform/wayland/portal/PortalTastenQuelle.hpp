#pragma once

#include "app/platform/wayland/portal/PortalKuerzel.hpp"
#include "core/hotkeys/Hotkey.hpp"
#include "core/hotkeys/TastenQuelle.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QObject>
#include <QVariantMap>
#include <functional>

namespace parlix {

// Global hotkeys through the desktop's GlobalShortcuts portal (KDE Plasma ≥ 5.27, GNOME
// ≥ 48): a session, every hotkey bound as a shortcut with its keys as the preferred
// trigger (the desktop asks the user once and may choose other keys), and the portal's
// Activated and Deactivated signals as press and release. A modifier alone cannot be
// bound on GNOME and is unreliable on KDE; such a hotkey is still offered. Everything
// runs on the main thread (the handler too); the portal answers asynchronously.
class PortalTastenQuelle final : public QObject, public TastenQuelle {
    Q_OBJECT

public:
    using Hotkeys = std::function<QList<Hotkey>()>;

    // `kennung` prefixes the shortcut ids (KDE keeps a shortcut per id), `token` names the
    // session (a D-Bus path element, unique among the process's open sessions).
    PortalTastenQuelle(QDBusConnection bus, Hotkeys hotkeys,
                       QString kennung = QStringLiteral("parlix-hotkey-"),
                       QString token = QStringLiteral("parlix"));
    ~PortalTastenQuelle() override;

    // Whether the bus offers the GlobalShortcuts portal. Blocks for its answer (2 s at most).
    static bool verfuegbar(const QDBusConnection& bus);

    // `bereit` comes once the portal has bound the shortcuts or refused.
    void starte(Behandler behandler, Bereit bereit) override;
    // The portal never switches its signals off.
    void aktiviereWieder() override {}
    // While a hotkey is recorded the shortcuts act on nothing.
    void pausiere(bool pause) { pausiert_ = pause; }

    // The portal's trigger text of a hotkey ("CTRL+SHIFT+l", "Control_L").
    static QString ausloeser(const Hotkey& hotkey);

private slots:
    void sitzungKam(uint antwort, const QVariantMap& ergebnis);
    void bindungKam(uint antwort, const QVariantMap& ergebnis);
    void tasteKam(const QDBusMessage& signal);

private:
    // Calls a portal method whose last argument is its options, with a fresh request
    // token; the request's Response goes to `antwortSlot`.
    void frage(const QString& methode, QVariantList argumente, const char* antwortSlot);
    // The bound hotkeys as the portal's shortcuts.
    QList<PortalKuerzel> kuerzel() const;
    void meldeBereit(bool erstellt);
    void melde(const QDBusObjectPath& sitzung, const QString& id, bool unten);

    QDBusConnection bus_;
    Hotkeys hotkeys_;
    QString kennung_;
    QString token_;
    Behandler behandler_;
    Bereit bereit_;
    QList<Hotkey> gebunden_;
    QString sitzung_;
    int anfragen_ = 0;
    bool pausiert_ = false;
};

} // namespace parlix
