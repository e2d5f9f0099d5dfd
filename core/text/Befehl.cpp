#include "core/text/Befehl.hpp"

#include "core/text/Leerraum.hpp"
#include "core/util/JsonFeld.hpp"
#include "core/util/JsonListe.hpp"

#include <QJsonValue>

using namespace Qt::StringLiterals;

namespace parlix {

bool Befehl::passt(const QString& text) const {
    const QString gesprochen = text.toLower();
    const QStringList teile = ausloeser.split(u',', Qt::SkipEmptyParts);
    for (const QString& teil : teile) {
        const QString wort = ohneBlanksUndTabs(teil).toLower();
        if (!wort.isEmpty() && gesprochen.contains(wort)) {
            return true;
        }
    }
    return false;
}

QJsonObject Befehl::alsJson() const {
    return {{u"id"_s, JsonFeld::uuidText(id)},
            {u"name"_s, name},
            {u"ausloeser"_s, ausloeser},
            {u"prompt"_s, prompt},
            {u"direktEinfuegen"_s, direktEinfuegen}};
}

std::optional<Befehl> Befehl::ausJson(const QJsonObject& objekt) {
    const auto id = JsonFeld::uuid(objekt, u"id"_s);
    const auto name = JsonFeld::text(objekt, u"name"_s);
    const auto ausloeser = JsonFeld::text(objekt, u"ausloeser"_s);
    const auto prompt = JsonFeld::text(objekt, u"prompt"_s);
    if (!id || !name || !ausloeser || !prompt) {
        return std::nullopt;
    }
    // Absent and null alike leave the default; any other non-bool rejects the object.
    const QJsonValue direkt = objekt.value(u"direktEinfuegen"_s);
    if (!direkt.isUndefined() && !direkt.isNull() && !direkt.isBool()) {
        return std::nullopt;
    }
    return Befehl{*id, *name, *ausloeser, *prompt, direkt.toBool(false)};
}

QByteArray Befehl::listeAlsJson(const QList<Befehl>& liste) {
    return JsonListe::alsJson(liste);
}

std::optional<QList<Befehl>> Befehl::listeAusJson(const QByteArray& json) {
    return JsonListe::ausJson<Befehl>(json);
}

const QList<Befehl>& Befehl::standard() {
    static const QList<Befehl> liste{
        {QUuid::createUuid(), u"Tweet"_s, u"tweet, twitter"_s,
         u"Formuliere den Text als knackigen Tweet, maximal 280 Zeichen, ohne Hashtags-Spam."_s,
         false},
        {QUuid::createUuid(), u"Stichpunkte"_s, u"stichpunkte, bullet, auflistung"_s,
         u"Wandle den Text in prägnante Stichpunkte mit Spiegelstrichen um."_s, false},
        {QUuid::createUuid(), u"Korrigieren"_s, u"korrigiere, rechtschreibung, grammatik"_s,
         u"Korrigiere Rechtschreibung und Grammatik. Ändere sonst nichts am Inhalt."_s, true},
    };
    return liste;
}

} // namespace parlix
