#pragma once

#include "tests/app/platform/wayland/FakePortal.hpp"

#include <QDBusUnixFileDescriptor>
#include <QStringList>
#include <atomic>
#include <map>
#include <mutex>

namespace parlix::test {

// The portal's clipboard for a remote-desktop session, as a test plays it: the session
// asks for it before Start (`ablageErlauben` false is the desktop refusing); setting the
// selection announces types only, and the focused application that pastes gets the text
// through a SelectionTransfer the session answers with a pipe; another program's content
// is read through SelectionRead. Ownership changes are signalled to the session.
class FakeAblagePortal : public FakePortal {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Clipboard")

public:
    std::atomic<bool> ablageErlauben{true};

    // Another program copies `text`. Any thread.
    void nutzerKopiert(const QString& text);
    // The focused application pastes: it reads the clipboard, the session's content
    // through a transfer. Any thread.
    void zielFuegtEin();
    // What the focused application has selected, and it copying that. Any thread.
    void markiere(const QString& text);
    void zielKopiert();
    // What the focused application got each time it pasted, oldest first. Any thread.
    QStringList eingefuegt() const;
    // Whether the clipboard holds the session's content, and the types it announced.
    // Any thread.
    bool sitzungBesitzt() const;
    QStringList typen() const;

public slots:
    void RequestClipboard(const QDBusObjectPath& sitzung, const QVariantMap& optionen);
    void SetSelection(const QDBusObjectPath& sitzung, const QVariantMap& optionen);
    QDBusUnixFileDescriptor SelectionWrite(const QDBusObjectPath& sitzung, uint nummer);
    void SelectionWriteDone(const QDBusObjectPath& sitzung, uint nummer, bool erfolg);
    QDBusUnixFileDescriptor SelectionRead(const QDBusObjectPath& sitzung, const QString& typ);

protected:
    explicit FakeAblagePortal(QDBusConnection bus);
    ~FakeAblagePortal() override;
    // At Start of `sitzung`, owned by the bus name `klient`: whether its clipboard is on.
    bool starteAblage(const QString& sitzung, const QString& klient);

private:
    // Under sperre_: whether a call of the session may use the clipboard; else it gets
    // an error.
    bool erlaubt(const QDBusObjectPath& sitzung);
    void sende(const QString& name, const QVariantList& argumente);

    mutable std::mutex sperre_;
    QString angefragt_;
    QString sitzung_;
    QString klient_;
    QString nutzerText_;
    QString markierung_;
    bool sitzungBesitzt_ = false;
    QStringList typen_;
    uint letzteNummer_ = 0;
    std::map<uint, int> leseEnden_;
    QStringList eingefuegt_;
};

} // namespace parlix::test
