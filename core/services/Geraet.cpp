#include "core/services/Geraet.hpp"

#include <QCryptographicHash>
#include <QFile>

using namespace Qt::StringLiterals;

namespace parlix::Geraet {

QString id() {
    static const QString berechnet = idAus({u"/etc/machine-id"_s, u"/var/lib/dbus/machine-id"_s});
    return berechnet;
}

QString idAus(const QStringList& pfade) {
    QByteArray maschine = "unbekannt";
    for (const QString& pfad : pfade) {
        QFile datei(pfad);
        // A machine id is 33 bytes; reading more would only invite a huge file.
        const QByteArray inhalt = datei.open(QIODevice::ReadOnly) ? datei.read(4096).trimmed() : "";
        if (!inhalt.isEmpty()) {
            maschine = inhalt;
            break;
        }
    }
    return QString::fromLatin1(
        QCryptographicHash::hash(maschine, QCryptographicHash::Sha256).toHex());
}

} // namespace parlix::Geraet
