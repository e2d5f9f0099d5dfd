#pragma once

#include "app/platform/linux/TastenSender.hpp"
#include "app/platform/wayland/FernAblage.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <mutex>

namespace parlix {

// Keystrokes through the desktop's RemoteDesktop portal, where the compositor offers no
// virtual keyboard (GNOME, KDE): a session with a keyboard, asked for once at start. The
// desktop asks the user the first time; its answer comes with a restore token, kept in
// a file only the user can read, that spares the question next time (each token is good
// for one start, so the new one replaces it). Until the session has started, and after
// the portal ended it, nothing can be posted. Where the compositor offers no clipboard
// to us, the session asks for the portal's clipboard as well (FernAblage uses it). The
// session is set up on the main thread, where the portal's answers arrive.
class PortalTastatur final : public QObject, public TastenSender {
    Q_OBJECT

public:
    using Bereit = std::function<void(bool gestartet)>;

    // The token is kept in `tokenDatei`; `mitAblage`: the session asks for the clipboard.
    PortalTastatur(QDBusConnection bus, QString tokenDatei, bool mitAblage = false);
    ~PortalTastatur() override;

    // $XDG_CONFIG_HOME/parlix/remote-desktop-token
    static QString standardTokenDatei();
    // Whether the bus offers the RemoteDesktop portal. Blocks for its answer (2 s at most).
    static bool verfuegbar(const QDBusConnection& bus);
    // Whether the bus offers the portal's clipboard. Blocks for its answer (2 s at most).
    static bool ablageVerfuegbar(const QDBusConnection& bus);

    // Asks for the session; `bereit` comes once it has started or the portal refused.
    void starte(Bereit bereit = nullptr);

    // Each key as a keysym, the portal finds it on the user's keymap: the modifiers down,
    // the key down and up, the modifiers up. Waits for the portal's replies (any thread
    // but the bus connection's); false when there is no session or the portal refused a
    // key.
    bool tippe(const Tastenkombination& taste) override;

    // The session's object path; empty before CreateSession answered and after it ended.
    // Any thread.
    QString sitzung() const;
    // Whether the started session may use the clipboard. Any thread.
    bool ablageErlaubt() const;
    // The portal's clipboard for this session.
    FernAblage::Weg ablageWeg() const;

private slots:
    void sitzungKam(uint antwort, const QVariantMap& ergebnis);
    void auswahlKam(uint antwort, const QVariantMap& ergebnis);
    void startKam(uint antwort, const QVariantMap& ergebnis);
    void sitzungEndete(const QDBusMessage& signal);

private:
    void frage(const QString& methode, QVariantList argumente, const char* antwortSlot);
    void ablageAngefragt();
    void melde(bool gestartet);

    QDBusConnection bus_;
    QString tokenDatei_;
    bool mitAblage_;
    Bereit bereit_;
    int anfragen_ = 0;
    mutable std::mutex sperre_;
    QString sitzung_;        // under sperre_
    bool gestartet_ = false; // under sperre_
    bool ablage_ = false;    // under sperre_
};

} // namespace parlix
