#pragma once

#include "core/settings/DefaultsStore.hpp"

#include <QStringList>

namespace parlix {

// The defaults store kept in one JSON file, rewritten atomically at every change.
// Each key maps to an object naming its kind: {"text": ...}, {"bool": ...}, {"int": ...},
// {"real": ...} or {"data": base64}.
//
// A file that cannot be read or is no JSON object is never overwritten: it is renamed to
// a backup beside the new one, one log line says so, and the store starts from defaults.
// A single entry that cannot be read counts as that key missing while every other key
// is kept; a copy of the file is kept as the backup then. If even the backup fails, the
// store keeps its changes in memory only.
//
// A write that fails (a full disk, say) leaves the old file whole and is logged; the
// values stay in memory and the next change writes them all.
class DateiDefaultsStore final : public DefaultsStore {
public:
    struct Gelesen {
        Werte werte;
        // The keys whose entries could not be read.
        QStringList unlesbar;
    };

    explicit DateiDefaultsStore(QString pfad);

    // $XDG_CONFIG_HOME/parlix/defaults.json
    static QString standardPfad();

    QString pfad() const { return pfad_; }
    // The backup made of a damaged file at start, or empty.
    QString sicherung() const { return sicherung_; }

    static QByteArray alsJson(const Werte& werte);
    // Nothing when the text is no JSON object.
    static std::optional<Gelesen> ausJson(const QByteArray& json);

protected:
    void persistiere(const Werte& werte) override;

private:
    void lade();
    // Keeps the file as a backup by `sichere` (rename or copy, from and to); `was` names
    // what was wrong with it in the log line.
    void sichereDatei(bool (*sichere)(const QString&, const QString&), const QString& was);

    QString pfad_;
    QString sicherung_;
    bool nurImSpeicher_ = false;
};

} // namespace parlix
