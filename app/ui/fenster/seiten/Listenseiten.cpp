#include "app/ui/fenster/seiten/Listenseiten.hpp"

#include "app/ui/fenster/seiten/ListenSeite.hpp"
#include "core/text/Befehl.hpp"
#include "core/text/Textbaustein.hpp"

#include <QUuid>

using namespace Qt::StringLiterals;

namespace parlix {

QWidget* befehleSeite(SettingsModel& model, const Texte& texte) {
    ListenSeite<Befehl>::Beschreibung beschreibung{
        .schluessel = SettingsModel::Schluessel::befehle,
        .felder = {{u"befehle.name"_s, &Befehl::name},
                   {u"befehle.ausloeser"_s, &Befehl::ausloeser},
                   {u"befehle.anweisung"_s, &Befehl::prompt, true}},
        .schalterKey = u"befehle.direkt"_s,
        .schalterFeld = &Befehl::direktEinfuegen,
        .loeschenKey = u"befehle.loeschen"_s,
        .hinzufuegenKey = u"befehle.hinzufuegen"_s,
        .fussKey = u"befehle.fuss"_s,
        .neu =
            [](const QString& name) {
                return Befehl{QUuid::createUuid(), name, {}, {}, false};
            },
        .neuerKey = u"befehle.neuer"_s,
    };
    return new ListenSeite<Befehl>(model, texte, std::move(beschreibung));
}

QWidget* bausteineSeite(SettingsModel& model, const Texte& texte) {
    ListenSeite<Textbaustein>::Beschreibung beschreibung{
        .schluessel = SettingsModel::Schluessel::textbausteine,
        .felder = {{u"baustein.name"_s, &Textbaustein::name},
                   {u"baustein.ausloeser"_s, &Textbaustein::ausloeser},
                   {u"baustein.inhalt"_s, &Textbaustein::inhalt, true}},
        .schalterKey = {},
        .schalterFeld = nullptr,
        .loeschenKey = u"baustein.loeschen"_s,
        .hinzufuegenKey = u"baustein.hinzufuegen"_s,
        .fussKey = u"baustein.fuss"_s,
        .neu =
            [](const QString& name) {
                return Textbaustein{QUuid::createUuid(), name, {}, {}};
            },
        .neuerKey = u"baustein.neuer"_s,
    };
    return new ListenSeite<Textbaustein>(model, texte, std::move(beschreibung));
}

} // namespace parlix
