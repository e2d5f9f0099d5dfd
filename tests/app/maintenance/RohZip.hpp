#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace parlix::test {

// Zip archives with any entries, hostile ones included, written with libarchive.
class RohZip {
public:
    RohZip& datei(const QString& pfad, const QByteArray& inhalt);
    RohZip& verknuepfung(const QString& pfad, const QString& ziel);
    // Every file and folder below `ordner`, under `wurzel`/.
    RohZip& ordner(const QString& ordner, const QString& wurzel);

    QByteArray bytes() const;

private:
    struct Eintrag {
        QString pfad;
        QByteArray inhalt;
        QString linkZiel; // a link when not empty
        bool ausfuehrbar = false;
    };
    QList<Eintrag> eintraege_;
};

} // namespace parlix::test
