#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace parlix {

// The desktop entries (.desktop files) of the user and the system, looked up by their
// StartupWMClass. The index is built on first use and again when one of the folders
// has changed since (a program installed or removed). Not thread-safe.
class DesktopEintraege {
public:
    // The XDG folders: $XDG_DATA_HOME/applications first, then those of $XDG_DATA_DIRS.
    DesktopEintraege();
    // Folders holding entries, the most important first.
    explicit DesktopEintraege(QStringList ordner);

    // The desktop-file id ("org.xfce.mousepad", "debian-xterm") of the entry whose
    // StartupWMClass is `wmKlasse`, exactly.
    std::optional<QString> zuWmKlasse(const QString& wmKlasse);

private:
    void ladeWennGeaendert();
    void lade();
    void ladeOrdner(const QString& ordner, QSet<QString>& gesehen);

    QStringList ordner_;
    QList<QDateTime> stand_;
    bool geladen_ = false;
    QHash<QString, QString> nachKlasse_;
};

} // namespace parlix
