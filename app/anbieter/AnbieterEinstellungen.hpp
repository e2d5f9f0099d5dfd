#pragma once

#include "app/anbieter/SchluesselBund.hpp"
#include "core/settings/Einstellungen.hpp"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace parlix {

class DefaultsStore;

// The speech and language providers the user set up, per role: transcription, and the
// language model (chat and pictures). Provider, root URL and models are settings; the API
// keys live in the keyring (SchluesselBund), which is only ever used on a worker thread of
// this object, and are kept in memory here once read. Every change is stored at once and
// announced by geaendert(). Main thread.
class AnbieterEinstellungen final : public QObject {
    Q_OBJECT

public:
    enum class Rolle { transkription, sprache };

    AnbieterEinstellungen(DefaultsStore& speicher, std::unique_ptr<SchluesselBund> bund);
    ~AnbieterEinstellungen() override;

    // Reads the stored keys in the background; geaendert() follows.
    void lade();
    // Whether lade() has brought the stored keys.
    bool geladen() const { return geladen_; }
    // Where the keys are kept, once known.
    std::optional<SchluesselBund::Ort> ort() const { return ort_; }

    // The provider id of the role, empty for none.
    QString vorlage(Rolle rolle) const;
    QString url(Rolle rolle) const;
    QString modell(Rolle rolle) const;
    QString visionModell() const;
    // The key of the role's provider; empty for none (a local server may need none).
    QString schluessel(Rolle rolle) const;
    // Whether a role's URL is an http(s) root the server can use.
    bool eingerichtet(Rolle rolle) const;

    // Chooses the role's provider and fills in its root and models. The key of a
    // provider that no role uses any more is removed.
    void waehleVorlage(Rolle rolle, const QString& id);
    void setzeURL(Rolle rolle, const QString& url);
    void setzeModell(Rolle rolle, const QString& modell);
    void setzeVisionModell(const QString& modell);
    // The key of the role's provider (shared by both roles when they use the same one).
    void setzeSchluessel(Rolle rolle, const QString& schluessel);

    // The providers as the local server takes them: per set-up role "url", "schluessel",
    // "modell" and for the language model "visionModell". Holds the keys.
    QJsonObject anbieterFuerServer() const;

signals:
    void geaendert();
    void ortGeaendert();

private:
    void setze(Einstellungen::Schluessel schluessel, const QString& wert);
    // Runs the job on the worker thread, in the order given.
    void imHintergrund(std::function<void()> job);
    void setzeOrt(SchluesselBund::Ort ort);
    void entferneUngenutzte(const QString& id);

    DefaultsStore& speicher_;
    std::unique_ptr<SchluesselBund> bund_;
    QHash<QString, QString> schluessel_;
    // Keys typed but not yet written, by provider; shared with the worker.
    std::mutex sperre_;
    QHash<QString, QString> ausstehend_;
    std::optional<SchluesselBund::Ort> ort_;
    bool geladen_ = false;
    QThread faden_;
    QObject* arbeiter_;
};

} // namespace parlix
