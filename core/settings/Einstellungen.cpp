#include "core/settings/Einstellungen.hpp"

#include "core/text/DiktatProfil.hpp"
#include "core/text/Sprache.hpp"

#include <QStringList>
#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

using S = Einstellungen::Schluessel;
using A = Einstellungen::Art;
using W = Einstellungen::Wert;

constexpr std::array<Einstellungen::Eintrag, 39> eintraege{{
    {S::serverURL, u"serverURL", A::text, [] { return W(u"http://parlix.local:8000"_s); }},
    {S::apiToken, u"apiToken", A::optionalerText, [] { return W(); }},
    {S::diktatHotkey, u"diktatHotkey", A::hotkey, [] { return W(Hotkey::diktatStandard()); }},
    {S::aktionHotkey, u"aktionHotkey", A::hotkey, [] { return W(Hotkey::aktionStandard()); }},
    {S::promptHotkey, u"promptHotkey", A::hotkey, [] { return W(Hotkey::promptStandard()); }},
    {S::lockHotkey, u"lockHotkey", A::hotkey, [] { return W(Hotkey::lockStandard()); }},
    {S::lockPerTaste, u"lockPerTaste", A::flagAus, [] { return W(false); }},
    {S::vokabular, u"vokabular", A::text, [] { return W(QString()); }},
    {S::cleanupPrompt, u"cleanupPrompt", A::text, [] { return W(CleanupPrompt::standard()); }},
    {S::schreibstil, u"schreibstil", A::text, [] { return W(u"Normal"_s); }},
    {S::diktatProfil, u"diktatProfil", A::text, [] { return W(u"Keins"_s); }},
    {S::groqAPIKey, u"groqAPIKey", A::text, [] { return W(QString()); }},
    {S::proxyURL, u"proxyURL", A::text, [] { return W(QString()); }},
    {S::soundAktiv, u"soundAktiv", A::flagAn, [] { return W(true); }},
    {S::diktatSprache, u"sprache", A::text, [] { return W(u"de"_s); }},
    {S::uiSprache, u"uiSprache", A::text, [] { return W(Sprache::system().code.toString()); }},
    {S::aufnahmeLautstaerke, u"aufnahmeLautstaerke", A::ganzzahl, [] { return W(qint64{0}); }},
    {S::startVerzoegerungAktiv, u"startVerzoegerungAktiv", A::flagAn, [] { return W(true); }},
    {S::startVerzoegerungMs, u"startVerzoegerungMs", A::ganzzahl, [] { return W(qint64{500}); }, 0,
     1500},
    {S::zwischenablageModus, u"zwischenablageModus", A::flagAus, [] { return W(false); }},
    {S::soundName, u"soundName", A::text, [] { return W(u"bloom"_s); }},
    {S::hudStil, u"hudStil", A::text, [] { return W(u"energie"_s); }},
    {S::hudFarbe, u"hudFarbe", A::text, [] { return W(u"#4FB4FF"_s); }},
    {S::hudGroesse, u"hudGroesse", A::reell, [] { return W(1.0); }},
    {S::mikrofonUID, u"mikrofonUID", A::text, [] { return W(QString()); }},
    {S::appTonAktiv, u"appTonAktiv", A::flagAn, [] { return W(true); }},
    {S::dsgvoModus, u"dsgvoModus", A::flagAn, [] { return W(true); }},
    {S::befehle, u"befehle", A::befehlsliste, [] { return W(Befehl::standard()); }},
    {S::textbausteine, u"textbausteine", A::bausteinliste,
     [] { return W(Textbaustein::standard()); }},
    {S::setupErledigt, u"setupErledigt", A::flagAus, [] { return W(false); }},
    {S::onboardingErledigt, u"onboardingErledigt", A::flagAus, [] { return W(false); }},
    {S::audioDebugSpeichern, u"audioDebugSpeichern", A::flagAus, [] { return W(false); }},
    {S::anbieterTranskription, u"anbieterTranskription", A::text, [] { return W(QString()); }},
    {S::anbieterTranskriptionURL, u"anbieterTranskriptionURL", A::text,
     [] { return W(QString()); }},
    {S::anbieterTranskriptionModell, u"anbieterTranskriptionModell", A::text,
     [] { return W(QString()); }},
    {S::anbieterSprache, u"anbieterSprache", A::text, [] { return W(QString()); }},
    {S::anbieterSpracheURL, u"anbieterSpracheURL", A::text, [] { return W(QString()); }},
    {S::anbieterSpracheModell, u"anbieterSpracheModell", A::text, [] { return W(QString()); }},
    {S::anbieterVisionModell, u"anbieterVisionModell", A::text, [] { return W(QString()); }},
}};

// eintrag() indexes the table by key.
static_assert(std::ranges::all_of(eintraege, [i = 0](const Einstellungen::Eintrag& e) mutable {
    return static_cast<int>(e.schluessel) == i++;
}));

template <class T> std::optional<W> alsWert(const std::optional<T>& wert) {
    if (!wert) {
        return std::nullopt;
    }
    return W(*wert);
}

// A stored JSON value decoded with the type's own reader; nothing when absent or
// undecodable, so that the default applies while the stored bytes stay untouched.
template <class Leser>
std::optional<W> ausDaten(const DefaultsStore& speicher, const QString& name, Leser leser) {
    const auto daten = speicher.daten(name);
    return daten ? alsWert(leser(*daten)) : std::nullopt;
}

std::optional<W> gelesen(const DefaultsStore& speicher, const Einstellungen::Eintrag& e) {
    const QString name = e.name.toString();
    switch (e.art) {
    case A::text:
    case A::optionalerText:
        return alsWert(speicher.text(name));
    case A::flagAus:
        return W(speicher.flag(name));
    case A::flagAn:
        return alsWert(speicher.strengerFlag(name));
    case A::ganzzahl:
        return alsWert(speicher.ganzzahl(name));
    case A::reell:
        return alsWert(speicher.reell(name));
    case A::hotkey:
        return ausDaten(speicher, name, [](const QByteArray& d) { return Hotkey::ausJson(d); });
    case A::befehlsliste:
        return ausDaten(speicher, name, &Befehl::listeAusJson);
    case A::bausteinliste:
        return ausDaten(speicher, name, &Textbaustein::listeAusJson);
    }
    return std::nullopt;
}

} // namespace

std::span<const Einstellungen::Eintrag> Einstellungen::tabelle() {
    return eintraege;
}

const Einstellungen::Eintrag& Einstellungen::eintrag(Schluessel schluessel) {
    return eintraege.at(static_cast<std::size_t>(schluessel));
}

Einstellungen::Wert Einstellungen::wert(Schluessel schluessel) const {
    const Eintrag& e = eintrag(schluessel);
    if (auto w = gelesen(speicher_, e)) {
        return std::move(*w);
    }
    return e.standard();
}

void Einstellungen::setze(Schluessel schluessel, const Wert& wert) {
    const Eintrag& e = eintrag(schluessel);
    const QString name = e.name.toString();
    switch (e.art) {
    case A::text:
        if (const auto* t = std::get_if<QString>(&wert)) {
            speicher_.setzeText(name, *t);
        }
        break;
    case A::optionalerText:
        if (const auto* t = std::get_if<QString>(&wert)) {
            speicher_.setzeText(name, *t);
        } else if (std::holds_alternative<std::monostate>(wert)) {
            speicher_.entferne(name);
        }
        break;
    case A::flagAus:
    case A::flagAn:
        if (const auto* b = std::get_if<bool>(&wert)) {
            speicher_.setzeFlag(name, *b);
        }
        break;
    case A::ganzzahl:
        if (const auto* i = std::get_if<qint64>(&wert)) {
            speicher_.setzeGanzzahl(name, std::clamp(*i, e.minimum, e.maximum));
        }
        break;
    case A::reell:
        if (const auto* d = std::get_if<double>(&wert)) {
            speicher_.setzeReell(name, *d);
        }
        break;
    case A::hotkey:
        if (const auto* h = std::get_if<Hotkey>(&wert)) {
            speicher_.setzeDaten(name, h->alsJson());
        }
        break;
    case A::befehlsliste:
        if (const auto* l = std::get_if<QList<Befehl>>(&wert)) {
            speicher_.setzeDaten(name, Befehl::listeAlsJson(*l));
        }
        break;
    case A::bausteinliste:
        if (const auto* l = std::get_if<QList<Textbaustein>>(&wert)) {
            speicher_.setzeDaten(name, Textbaustein::listeAlsJson(*l));
        }
        break;
    }
}

std::optional<QString> Einstellungen::apiToken() const {
    const Wert w = wert(Schluessel::apiToken);
    if (const auto* t = std::get_if<QString>(&w)) {
        return *t;
    }
    return std::nullopt;
}

void Einstellungen::setzeApiToken(const std::optional<QString>& v) {
    setze(Schluessel::apiToken, v ? Wert(*v) : Wert());
}

double Einstellungen::startVerzoegerungSek() const {
    return startVerzoegerungAktiv() ? static_cast<double>(startVerzoegerungMs()) / 1000.0 : 0.0;
}

QString Einstellungen::effektivesVokabular() const {
    QStringList teile;
    if (const auto profil = DiktatProfil::aus(diktatProfil())) {
        teile.append(profil->vokabular.trimmed().toString());
    }
    teile.append(vokabular().trimmed());
    teile.removeAll(QString());
    return teile.join(u", "_s);
}

CleanupPrompt::Zutaten Einstellungen::cleanupZutaten() const {
    return {cleanupPrompt(), schreibstil(),         diktatProfil(),
            appTonAktiv(),   effektivesVokabular(), textbausteine()};
}

QString Einstellungen::standardCleanup() {
    return CleanupPrompt::standard();
}

} // namespace parlix
