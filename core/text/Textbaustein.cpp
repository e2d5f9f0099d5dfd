#include "core/text/Textbaustein.hpp"

#include "core/util/JsonFeld.hpp"
#include "core/util/JsonListe.hpp"

using namespace Qt::StringLiterals;

namespace parlix {

QJsonObject Textbaustein::alsJson() const {
    return {{u"id"_s, JsonFeld::uuidText(id)},
            {u"name"_s, name},
            {u"ausloeser"_s, ausloeser},
            {u"inhalt"_s, inhalt}};
}

std::optional<Textbaustein> Textbaustein::ausJson(const QJsonObject& objekt) {
    const auto id = JsonFeld::uuid(objekt, u"id"_s);
    const auto name = JsonFeld::text(objekt, u"name"_s);
    const auto ausloeser = JsonFeld::text(objekt, u"ausloeser"_s);
    const auto inhalt = JsonFeld::text(objekt, u"inhalt"_s);
    if (!id || !name || !ausloeser || !inhalt) {
        return std::nullopt;
    }
    return Textbaustein{*id, *name, *ausloeser, *inhalt};
}

QByteArray Textbaustein::listeAlsJson(const QList<Textbaustein>& liste) {
    return JsonListe::alsJson(liste);
}

std::optional<QList<Textbaustein>> Textbaustein::listeAusJson(const QByteArray& json) {
    return JsonListe::ausJson<Textbaustein>(json);
}

const QList<Textbaustein>& Textbaustein::standard() {
    static const QList<Textbaustein> liste{
        {QUuid::createUuid(), u"Grußformel"_s, u"grußformel, anrede förmlich"_s,
         u"Sehr geehrte Damen und Herren,"_s},
        {QUuid::createUuid(), u"Grußformel Ende"_s, u"grußformel ende, mit freundlichen grüßen"_s,
         u"Mit freundlichen Grüßen"_s},
    };
    return liste;
}

} // namespace parlix
