#pragma once

#include "app/platform/linux/Ablage.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QObject>
#include <QVariantMap>
#include <map>
#include <mutex>

namespace parlix {

class PortalTastatur;

// The clipboard through the RemoteDesktop portal's session, where the compositor offers
// no data-control (GNOME, Plasma ≥ 6.5); there is no primary selection. Setting the
// clipboard only announces our types: each application that pastes makes the portal
// ask us (SelectionTransfer) for a pipe to write the text to. Whether the clipboard is
// still ours comes from SelectionOwnerChanged. The portal's signals are handled on the
// main thread (this object's); the methods block on the portal's replies and may run on
// any thread, the main thread too, since reading our own content needs no transfer.
class PortalAblage final : public QObject, public Ablage {
    Q_OBJECT

public:
    PortalAblage(QDBusConnection bus, PortalTastatur& sitzung);

    // Whether the bus offers the portal's clipboard. Blocks for its answer (2 s at most).
    static bool verfuegbar(const QDBusConnection& bus);

    std::optional<QString> text(Art art) override;
    std::optional<QString> vorherigerText(Art art) override;
    quint64 schreibeEigenen(Art art, const QString& text, std::optional<QString> vorher) override;
    bool haeltEigenen(Art art, quint64 nummer) override;
    int gelesen(quint64 nummer) override;
    bool setze(Art art, const std::optional<QString>& text) override;
    quint64 aenderungen(Art art) override;

private slots:
    void transferKam(const QDBusObjectPath& sitzung, const QString& typ, uint nummer);
    void besitzerWechselte(const QDBusObjectPath& sitzung, const QVariantMap& angaben);

private:
    struct Inhalt {
        QByteArray text;
        bool markiert = false;
        quint64 nummer = 0;
        std::optional<QString> vorher;
    };

    // Announces `inhalt` (absent: no types); false when the portal refused.
    bool biete(std::optional<Inhalt> inhalt);
    QDBusMessage rufe(const QString& methode, const QVariantList& argumente) const;

    QDBusConnection bus_;
    PortalTastatur& sitzung_;
    mutable std::mutex sperre_;
    std::optional<Inhalt> eigener_; // under sperre_: what we serve
    bool besitzer_ = false;         // under sperre_
    // Under sperre_: the types of another program's content, once the portal said them.
    std::optional<QByteArrayList> angeboten_;
    quint64 aenderungen_ = 0;        // under sperre_
    quint64 letzteNummer_ = 0;       // under sperre_
    std::map<quint64, int> gelesen_; // under sperre_
    // Under sperre_: ownership news the portal sent before our last announcement, still
    // to be handled on the main thread; they no longer say who holds the clipboard.
    int veraltet_ = 0;
};

} // namespace parlix
