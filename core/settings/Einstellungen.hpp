#pragma once

#include "core/hotkeys/Hotkey.hpp"
#include "core/settings/DefaultsStore.hpp"
#include "core/text/Befehl.hpp"
#include "core/text/CleanupPrompt.hpp"
#include "core/text/Textbaustein.hpp"

#include <QList>
#include <QString>
#include <QStringView>
#include <limits>
#include <optional>
#include <span>
#include <variant>

namespace parlix {

// The typed façade over the defaults store. Nothing is cached: every getter reads the
// store and falls back to the default when the key is absent or unreadable for its kind
// (without writing the default back); every setter writes at once. Create one on the
// spot wherever a setting is needed; all of them see the same data.
class Einstellungen {
public:
    enum class Schluessel {
        serverURL,
        apiToken,
        diktatHotkey,
        aktionHotkey,
        promptHotkey,
        lockHotkey,
        lockPerTaste,
        vokabular,
        cleanupPrompt,
        schreibstil,
        diktatProfil,
        groqAPIKey,
        proxyURL,
        soundAktiv,
        diktatSprache,
        uiSprache,
        aufnahmeLautstaerke,
        startVerzoegerungAktiv,
        startVerzoegerungMs,
        zwischenablageModus,
        soundName,
        hudStil,
        hudFarbe,
        hudGroesse,
        mikrofonUID,
        appTonAktiv,
        dsgvoModus,
        befehle,
        textbausteine,
        // Flags owned by first-run setup, onboarding and the debug recording.
        setupErledigt,
        onboardingErledigt,
        audioDebugSpeichern,
        // The speech and language providers the user set up, per role: the provider id
        // ("groq", "mistral", "openai", "andere"; empty for none), its root URL and models.
        // Their API keys are not settings: they live in the keyring.
        anbieterTranskription,
        anbieterTranskriptionURL,
        anbieterTranskriptionModell,
        anbieterSprache,
        anbieterSpracheURL,
        anbieterSpracheModell,
        anbieterVisionModell,
    };

    // How a key is stored and read back.
    enum class Art {
        text,
        // Lenient: numbers and texts such as "yes" convert; absent is false.
        flagAus,
        // Strict: only a bool or the number 0 or 1 counts; anything else is true.
        flagAn,
        ganzzahl,
        reell,
        // JSON data.
        hotkey,
        befehlsliste,
        bausteinliste,
        // Absent is nothing; writing nothing removes the key.
        optionalerText,
    };

    using Wert = std::variant<std::monostate, QString, bool, qint64, double, Hotkey, QList<Befehl>,
                              QList<Textbaustein>>;

    struct Eintrag {
        Schluessel schluessel;
        // The key in the store.
        QStringView name;
        Art art;
        Wert (*standard)();
        // Integers are clamped to this range when written.
        qint64 minimum = std::numeric_limits<qint64>::min();
        qint64 maximum = std::numeric_limits<qint64>::max();
    };

    explicit Einstellungen(DefaultsStore& speicher)
        : speicher_(speicher) {}

    // Every key, in the order of Schluessel.
    static std::span<const Eintrag> tabelle();
    static const Eintrag& eintrag(Schluessel schluessel);

    // The value of the key's kind, or its default.
    Wert wert(Schluessel schluessel) const;
    // Writes a value of the key's kind; a value of another kind writes nothing.
    void setze(Schluessel schluessel, const Wert& wert);

    QString serverURL() const { return lies<QString>(Schluessel::serverURL); }
    void setzeServerURL(const QString& v) { setze(Schluessel::serverURL, v); }
    std::optional<QString> apiToken() const;
    void setzeApiToken(const std::optional<QString>& v);
    Hotkey diktatHotkey() const { return lies<Hotkey>(Schluessel::diktatHotkey); }
    void setzeDiktatHotkey(const Hotkey& v) { setze(Schluessel::diktatHotkey, v); }
    Hotkey aktionHotkey() const { return lies<Hotkey>(Schluessel::aktionHotkey); }
    void setzeAktionHotkey(const Hotkey& v) { setze(Schluessel::aktionHotkey, v); }
    Hotkey promptHotkey() const { return lies<Hotkey>(Schluessel::promptHotkey); }
    void setzePromptHotkey(const Hotkey& v) { setze(Schluessel::promptHotkey, v); }
    Hotkey lockHotkey() const { return lies<Hotkey>(Schluessel::lockHotkey); }
    void setzeLockHotkey(const Hotkey& v) { setze(Schluessel::lockHotkey, v); }
    bool lockPerTaste() const { return lies<bool>(Schluessel::lockPerTaste); }
    void setzeLockPerTaste(bool v) { setze(Schluessel::lockPerTaste, v); }
    // The user's glossary, free text, comma-separated by convention.
    QString vokabular() const { return lies<QString>(Schluessel::vokabular); }
    void setzeVokabular(const QString& v) { setze(Schluessel::vokabular, v); }
    // Base of the cleanup prompt; standardCleanup() unless replaced.
    QString cleanupPrompt() const { return lies<QString>(Schluessel::cleanupPrompt); }
    void setzeCleanupPrompt(const QString& v) { setze(Schluessel::cleanupPrompt, v); }
    // Raw value of a Schreibstil; may name none.
    QString schreibstil() const { return lies<QString>(Schluessel::schreibstil); }
    void setzeSchreibstil(const QString& v) { setze(Schluessel::schreibstil, v); }
    // Raw value of a DiktatProfil; may name none.
    QString diktatProfil() const { return lies<QString>(Schluessel::diktatProfil); }
    void setzeDiktatProfil(const QString& v) { setze(Schluessel::diktatProfil, v); }
    QString groqAPIKey() const { return lies<QString>(Schluessel::groqAPIKey); }
    void setzeGroqAPIKey(const QString& v) { setze(Schluessel::groqAPIKey, v); }
    // Alternative service base URL; empty for the built-in one.
    QString proxyURL() const { return lies<QString>(Schluessel::proxyURL); }
    void setzeProxyURL(const QString& v) { setze(Schluessel::proxyURL, v); }
    bool soundAktiv() const { return lies<bool>(Schluessel::soundAktiv); }
    void setzeSoundAktiv(bool v) { setze(Schluessel::soundAktiv, v); }
    // Dictation language code, stored under "sprache".
    QString diktatSprache() const { return lies<QString>(Schluessel::diktatSprache); }
    void setzeDiktatSprache(const QString& v) { setze(Schluessel::diktatSprache, v); }
    // Interface language code; the system's language by default.
    QString uiSprache() const { return lies<QString>(Schluessel::uiSprache); }
    void setzeUiSprache(const QString& v) { setze(Schluessel::uiSprache, v); }
    // Percentage to which other audio is lowered while recording.
    qint64 aufnahmeLautstaerke() const { return lies<qint64>(Schluessel::aufnahmeLautstaerke); }
    void setzeAufnahmeLautstaerke(qint64 v) { setze(Schluessel::aufnahmeLautstaerke, v); }
    bool startVerzoegerungAktiv() const { return lies<bool>(Schluessel::startVerzoegerungAktiv); }
    void setzeStartVerzoegerungAktiv(bool v) { setze(Schluessel::startVerzoegerungAktiv, v); }
    qint64 startVerzoegerungMs() const { return lies<qint64>(Schluessel::startVerzoegerungMs); }
    // Clamped to 0...1500.
    void setzeStartVerzoegerungMs(qint64 v) { setze(Schluessel::startVerzoegerungMs, v); }
    // Keep the inserted text on the clipboard.
    bool zwischenablageModus() const { return lies<bool>(Schluessel::zwischenablageModus); }
    void setzeZwischenablageModus(bool v) { setze(Schluessel::zwischenablageModus, v); }
    QString soundName() const { return lies<QString>(Schluessel::soundName); }
    void setzeSoundName(const QString& v) { setze(Schluessel::soundName, v); }
    QString hudStil() const { return lies<QString>(Schluessel::hudStil); }
    void setzeHudStil(const QString& v) { setze(Schluessel::hudStil, v); }
    // "#RRGGBB".
    QString hudFarbe() const { return lies<QString>(Schluessel::hudFarbe); }
    void setzeHudFarbe(const QString& v) { setze(Schluessel::hudFarbe, v); }
    double hudGroesse() const { return lies<double>(Schluessel::hudGroesse); }
    void setzeHudGroesse(double v) { setze(Schluessel::hudGroesse, v); }
    // Input device; empty for the system default.
    QString mikrofonUID() const { return lies<QString>(Schluessel::mikrofonUID); }
    void setzeMikrofonUID(const QString& v) { setze(Schluessel::mikrofonUID, v); }
    bool appTonAktiv() const { return lies<bool>(Schluessel::appTonAktiv); }
    void setzeAppTonAktiv(bool v) { setze(Schluessel::appTonAktiv, v); }
    // EU-only processing.
    bool dsgvoModus() const { return lies<bool>(Schluessel::dsgvoModus); }
    void setzeDsgvoModus(bool v) { setze(Schluessel::dsgvoModus, v); }
    QList<Befehl> befehle() const { return lies<QList<Befehl>>(Schluessel::befehle); }
    void setzeBefehle(const QList<Befehl>& v) { setze(Schluessel::befehle, v); }
    QList<Textbaustein> textbausteine() const {
        return lies<QList<Textbaustein>>(Schluessel::textbausteine);
    }
    void setzeTextbausteine(const QList<Textbaustein>& v) { setze(Schluessel::textbausteine, v); }

    bool setupErledigt() const { return lies<bool>(Schluessel::setupErledigt); }
    void setzeSetupErledigt(bool v) { setze(Schluessel::setupErledigt, v); }
    bool onboardingErledigt() const { return lies<bool>(Schluessel::onboardingErledigt); }
    void setzeOnboardingErledigt(bool v) { setze(Schluessel::onboardingErledigt, v); }
    bool audioDebugSpeichern() const { return lies<bool>(Schluessel::audioDebugSpeichern); }
    void setzeAudioDebugSpeichern(bool v) { setze(Schluessel::audioDebugSpeichern, v); }

    // The start delay in seconds; 0 when it is switched off.
    double startVerzoegerungSek() const;
    // The selected profile's vocabulary, then the user's, trimmed, joined with ", ".
    QString effektivesVokabular() const;
    // What the cleanup system prompt is built from (CleanupPrompt::baue).
    CleanupPrompt::Zutaten cleanupZutaten() const;
    // The built-in base of the cleanup prompt.
    static QString standardCleanup();

private:
    template <class T> T lies(Schluessel schluessel) const { return std::get<T>(wert(schluessel)); }

    DefaultsStore& speicher_;
};

} // namespace parlix
