#pragma once

#include "core/settings/DefaultsStore.hpp"

namespace parlix {

// The defaults store kept in one JSON file, rewritten atomically at every change.
// Each key maps to an object naming its kind: {"text": ...}, {"bool": ...}, {"int": ...},
// {"real": ...} or {"data": base64}.
//
// A damaged or unreadable file is never overwritten: it is renamed to a backup beside
// the new one, one log line says so, and the store starts from defaults. If even the
// backup fails, the store keeps its changes in memory only.
class DateiDefaultsStore final : public DefaultsStore {
public:
    explicit DateiDefaultsStore(QString pfad);

    // $XDG_CONFIG_HOME/parlix/defaults.json
    static QString standardPfad();

    QString pfad() const { return pfad_; }
    // The backup made of a damaged file at start, or empty.
    QString sicherung() const { return sicherung_; }

    static QByteArray alsJson(const Werte& werte);
    static std::optional<Werte> ausJson(const QByteArray& json);

protected:
    void persistiere(const Werte& werte) override;

private:
    void lade();
    void sichereBeschaedigteDatei();

    QString pfad_;
    QString sicherung_;
    bool nurImSpeicher_ = false;
};

} // namespace parlix
