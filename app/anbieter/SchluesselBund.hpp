#pragma once

#include <QString>
#include <utility>

namespace parlix {

// The providers' API keys, one per provider id ("groq", "mistral", "openai", "andere").
// They go to the desktop's keyring through the freedesktop Secret Service, labelled
// "Parlix API key (<provider>)" with the attributes application=com.orvand.parlix and
// anbieter=<id>. Where no Secret Service answers, or it refuses (a locked keyring whose
// unlock was declined), they go to a JSON file that only the user can read. A key lives
// in one place: stored in the keyring, it leaves the file.
//
// Every call blocks (D-Bus, perhaps a password prompt of the keyring): use it on a worker
// thread, one thread at a time.
class SchluesselBund {
public:
    enum class Ort { schluesselbund, datei };

    // `dienstNutzen` false never asks the Secret Service (the render harness).
    explicit SchluesselBund(QString datei = standardDatei(), bool dienstNutzen = true);

    // Whether the Secret Service is asked at all; without it the file is the store.
    bool fragtDienst() const { return dienstNutzen_; }

    // "$XDG_DATA_HOME/com.orvand.parlix/schluessel.json"
    static QString standardDatei();

    // Stores the key (an empty one removes it) and says where it went.
    Ort speichere(const QString& anbieter, const QString& schluessel);
    // The key (empty when none is stored) and where it was found, or where a new one
    // would go.
    std::pair<QString, Ort> lies(const QString& anbieter);
    void entferne(const QString& anbieter);

private:
    class Dienst;

    QString ausDatei(const QString& anbieter) const;
    void inDatei(const QString& anbieter, const QString& schluessel) const;

    QString datei_;
    bool dienstNutzen_;
};

} // namespace parlix
