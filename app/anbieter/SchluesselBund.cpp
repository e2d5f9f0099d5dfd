// clang-format off
// libsecret first: GLib's headers use the word that Qt defines as a macro for signals.
#include <libsecret/secret.h>
// clang-format on

#include "app/anbieter/SchluesselBund.hpp"

#include "core/account/TokenSpeicher.hpp"
#include "core/log/DateiLog.hpp"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <optional>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

const SecretSchema* schema() {
    static const SecretSchema s = [] {
        SecretSchema neu{};
        neu.name = "com.orvand.parlix.Schluessel";
        neu.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
        neu.attributes[0] = {"application", SECRET_SCHEMA_ATTRIBUTE_STRING};
        neu.attributes[1] = {"anbieter", SECRET_SCHEMA_ATTRIBUTE_STRING};
        return neu;
    }();
    return &s;
}

constexpr const char* anwendung = "com.orvand.parlix";

// The label the keyring manager shows.
QByteArray etikett(const QString& anbieter) {
    const QString name = anbieter == u"groq"_s      ? u"Groq"_s
                         : anbieter == u"mistral"_s ? u"Mistral"_s
                         : anbieter == u"openai"_s  ? u"OpenAI"_s
                                                    : u"other server"_s;
    return u"Parlix API key (%1)"_s.arg(name).toUtf8();
}

// Logs a refusal of the Secret Service (its message, never a key) and frees it; true
// when there was one.
bool verweigert(GError* fehler, const char* was) {
    if (fehler == nullptr) {
        return false;
    }
    log().schreibe(
        u"Schlüsselbund %1: %2"_s.arg(QString::fromUtf8(was), QString::fromUtf8(fehler->message)));
    g_error_free(fehler);
    return true;
}

} // namespace

// The three calls of the Secret Service; nothing when it did not answer or refused.
class SchluesselBund::Dienst {
public:
    static bool speichere(const QString& anbieter, const QString& schluessel) {
        GError* fehler = nullptr;
        const QByteArray id = anbieter.toUtf8();
        const QByteArray wert = schluessel.toUtf8();
        secret_password_store_sync(
            schema(), SECRET_COLLECTION_DEFAULT, etikett(anbieter).constData(), wert.constData(),
            nullptr, &fehler, "application", anwendung, "anbieter", id.constData(), nullptr);
        return !verweigert(fehler, "speichern");
    }

    static std::optional<QString> lies(const QString& anbieter) {
        GError* fehler = nullptr;
        const QByteArray id = anbieter.toUtf8();
        gchar* wert = secret_password_lookup_sync(schema(), nullptr, &fehler, "application",
                                                  anwendung, "anbieter", id.constData(), nullptr);
        if (verweigert(fehler, "lesen")) {
            return std::nullopt;
        }
        const QString schluessel = QString::fromUtf8(wert);
        secret_password_free(wert);
        return schluessel;
    }

    static bool entferne(const QString& anbieter) {
        GError* fehler = nullptr;
        const QByteArray id = anbieter.toUtf8();
        secret_password_clear_sync(schema(), nullptr, &fehler, "application", anwendung, "anbieter",
                                   id.constData(), nullptr);
        return !verweigert(fehler, "entfernen");
    }
};

SchluesselBund::SchluesselBund(QString datei, bool dienstNutzen)
    : datei_(std::move(datei))
    , dienstNutzen_(dienstNutzen) {}

QString SchluesselBund::standardDatei() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           u"/com.orvand.parlix/schluessel.json"_s;
}

SchluesselBund::Ort SchluesselBund::speichere(const QString& anbieter, const QString& schluessel) {
    if (schluessel.isEmpty()) {
        entferne(anbieter);
        return lies(anbieter).second;
    }
    if (dienstNutzen_ && Dienst::speichere(anbieter, schluessel)) {
        inDatei(anbieter, {});
        return Ort::schluesselbund;
    }
    inDatei(anbieter, schluessel);
    return Ort::datei;
}

std::pair<QString, SchluesselBund::Ort> SchluesselBund::lies(const QString& anbieter) {
    const std::optional<QString> gespeichert =
        dienstNutzen_ ? Dienst::lies(anbieter) : std::nullopt;
    if (gespeichert && !gespeichert->isEmpty()) {
        return {*gespeichert, Ort::schluesselbund};
    }
    // Stored while no keyring answered, or there is none.
    const QString ausDatei = this->ausDatei(anbieter);
    return {ausDatei, gespeichert && ausDatei.isEmpty() ? Ort::schluesselbund : Ort::datei};
}

void SchluesselBund::entferne(const QString& anbieter) {
    if (dienstNutzen_) {
        Dienst::entferne(anbieter);
    }
    inDatei(anbieter, {});
}

QString SchluesselBund::ausDatei(const QString& anbieter) const {
    const auto inhalt = TokenSpeicher::lese(datei_);
    return inhalt ? QJsonDocument::fromJson(inhalt->toUtf8()).object().value(anbieter).toString()
                  : QString();
}

void SchluesselBund::inDatei(const QString& anbieter, const QString& schluessel) const {
    const auto inhalt = TokenSpeicher::lese(datei_);
    QJsonObject alle = inhalt ? QJsonDocument::fromJson(inhalt->toUtf8()).object() : QJsonObject();
    if (schluessel.isEmpty() && !alle.contains(anbieter)) {
        return;
    }
    if (schluessel.isEmpty()) {
        alle.remove(anbieter);
    } else {
        alle.insert(anbieter, schluessel);
    }
    if (alle.isEmpty()) {
        TokenSpeicher::loesche(datei_);
    } else {
        // Written like the sign-in token: private from its creation on, replaced atomically.
        TokenSpeicher::setze(QString::fromUtf8(QJsonDocument(alle).toJson()), datei_);
    }
}

} // namespace parlix
