#include "core/text/Lokalisierung.hpp"

#include "core/log/DateiLog.hpp"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <mutex>

namespace parlix::Lokalisierung {

namespace {

// A code ends up in a file name, so it must not be able to leave the bundle.
bool istGueltigerCode(const QString& code) {
    if (code.isEmpty()) {
        return false;
    }
    for (const QChar zeichen : code) {
        const bool erlaubt = (zeichen.isLetterOrNumber() && zeichen.unicode() < 0x80) ||
                             zeichen == u'-' || zeichen == u'_';
        if (!erlaubt) {
            return false;
        }
    }
    return true;
}

std::shared_ptr<const Tabelle> lies(const QString& pfad) {
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        return nullptr; // a language without a table is not an error
    }
    QJsonParseError fehler;
    const QJsonDocument dokument = QJsonDocument::fromJson(datei.readAll(), &fehler);
    if (!dokument.isObject()) {
        const QString grund = fehler.error != QJsonParseError::NoError
                                  ? fehler.errorString()
                                  : QStringLiteral("kein JSON-Objekt");
        log().schreibe(QStringLiteral("FEHLER: Texttabelle unlesbar: ") + pfad +
                       QStringLiteral(" (") + grund + QStringLiteral(")"));
        return nullptr;
    }
    auto tabelle = std::make_shared<Tabelle>();
    const QJsonObject objekt = dokument.object();
    for (auto eintrag = objekt.begin(); eintrag != objekt.end(); ++eintrag) {
        if (!eintrag.value().isString()) {
            log().schreibe(QStringLiteral("FEHLER: Texttabelle ") + pfad +
                           QStringLiteral(": kein Text für ") + eintrag.key());
            continue;
        }
        tabelle->insert(eintrag.key(), eintrag.value().toString());
    }
    return tabelle;
}

// Tables by file path; an absent or unreadable table is remembered as null so that
// it is neither read nor reported twice.
std::shared_ptr<const Tabelle> geladen(const QString& pfad) {
    static std::mutex sperre;
    static QHash<QString, std::shared_ptr<const Tabelle>> tabellen;
    std::lock_guard gesperrt(sperre);
    const auto gefunden = tabellen.constFind(pfad);
    if (gefunden != tabellen.cend()) {
        return *gefunden;
    }
    return *tabellen.insert(pfad, lies(pfad));
}

// The fallback chain shared by both lookups; `tabelleFuer` yields a pointer-like
// table or null for a code.
template <class TabelleFuer>
QString suche(const QString& key, const QString& sprache, TabelleFuer tabelleFuer) {
    static const QString fallback = fallbackCode.toString();
    for (const QString* code : {&sprache, &fallback}) {
        const auto tabelle = tabelleFuer(*code);
        if (!tabelle) {
            continue;
        }
        const auto text = tabelle->constFind(key);
        if (text != tabelle->cend()) {
            return *text;
        }
    }
    return key;
}

} // namespace

QString waehle(const QString& key, const QString& sprache, const Tabellen& tabellen) {
    return suche(key, sprache, [&](const QString& code) -> const Tabelle* {
        const auto tabelle = tabellen.constFind(code);
        return tabelle == tabellen.cend() ? nullptr : &*tabelle;
    });
}

QString text(const QString& key, const QString& sprache, QStringView bundle) {
    return suche(key, sprache, [&](const QString& code) { return tabelle(code, bundle); });
}

std::shared_ptr<const Tabelle> tabelle(const QString& code, QStringView bundle) {
    if (!istGueltigerCode(code)) {
        return nullptr;
    }
    constexpr QStringView endung = u".json";
    QString pfad;
    pfad.reserve(bundle.size() + 1 + code.size() + endung.size());
    pfad.append(bundle).append(u'/').append(code).append(endung);
    return geladen(pfad);
}

} // namespace parlix::Lokalisierung
