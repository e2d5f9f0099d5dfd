#pragma once

#include "app/platform/linux/Ablage.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>
#include <functional>
#include <map>
#include <mutex>

namespace parlix {

// The clipboard of a remote-desktop session, where the compositor offers no data-control:
// the RemoteDesktop portal's Clipboard interface (GNOME ≥ 45, Plasma ≥ 6.5) or, on GNOME
// 43/44, Mutter's own RemoteDesktop session, which the portal's is modelled on. There is
// no primary selection. Setting the clipboard only announces our types: each application
// that pastes makes the session ask us (SelectionTransfer) for a pipe to write the text
// to. Whether the clipboard is still ours comes from SelectionOwnerChanged. The session's
// signals are handled on the main thread (this object's); the methods block on the
// replies and may run on any thread, the main thread too, since reading our own content
// needs no transfer.
class FernAblage final : public QObject, public Ablage {
    Q_OBJECT

public:
    // Where the clipboard's calls go and how they are spelled.
    struct Weg {
        QString dienst;
        QString pfad; // object of the calls and the signals
        QString schnittstelle;
        // The portal's calls and signals name the session first; Mutter's live on it.
        std::function<QString()> sitzung;
        QString typenSchluessel;       // "mime_types" (portal), "mime-types" (Mutter)
        QString besitzerSchluessel;    // "session_is_owner", "session-is-owner"
        std::function<bool()> erlaubt; // whether the session may use the clipboard now
    };

    FernAblage(QDBusConnection bus, Weg weg);

    std::optional<QString> text(Art art) override;
    std::optional<QString> vorherigerText(Art art) override;
    quint64 schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) override;
    bool haeltEigenen(Art art, quint64 nummer) override;
    int gelesen(quint64 nummer) override;
    bool setze(Art art, const std::optional<QString>& text) override;
    quint64 aenderungen(Art art) override;

private slots:
    void transferKam(const QDBusMessage& signal);
    void besitzerWechselte(const QDBusMessage& signal);

private:
    struct Inhalt {
        QByteArray text;
        bool markiert = false;
        quint64 nummer = 0;
        std::optional<QString> vorher;
    };

    // Announces `inhalt` (absent: no types); false when the session refused.
    bool biete(std::optional<Inhalt> inhalt);
    QDBusMessage rufe(const QString& methode, QVariantList argumente,
                      QDBus::CallMode art = QDBus::Block) const;
    // The signal's arguments after the session, when the signal is about ours.
    std::optional<QVariantList> vonUnsererSitzung(const QDBusMessage& signal) const;

    QDBusConnection bus_;
    Weg weg_;
    mutable std::mutex sperre_;
    std::optional<Inhalt> eigener_; // under sperre_: what we serve
    bool besitzer_ = false;         // under sperre_
    // Under sperre_: the types of another program's content, once the session said them.
    std::optional<QByteArrayList> angeboten_;
    quint64 aenderungen_ = 0;        // under sperre_
    quint64 letzteNummer_ = 0;       // under sperre_
    std::map<quint64, int> gelesen_; // under sperre_
    // Under sperre_: ownership news the session sent before our last announcement, still
    // to be handled on the main thread; they no longer say who holds the clipboard.
    int veraltet_ = 0;
};

} // namespace parlix
