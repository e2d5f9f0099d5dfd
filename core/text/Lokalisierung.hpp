#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <memory>

// Lookup of user-visible texts by key in the interface language.
//
// Keys are dotted, lower camel case words: "fehler.nichts", "hud.stil.energie". Each
// interface language has one table, a JSON object of key to text, shipped as
// ":/i18n/<code>.json" (resources/i18n/). Every table holds the same keys.
//
// Placeholders: a text that takes values marks them %1, %2, ... (at most %9) and the
// caller fills them with QString::arg, e.g. text("update.version", ...).arg(version).
// Every language uses the same placeholders for a key; the order may differ.
//
// How code must spell a key: as one complete plain string literal, e.g.
// Lokalisierung::text(u"fehler.nichts"_s, ...) or QStringLiteral("status.bereit").
// A test scans core/ and app/ for such literals and fails when one of them is missing
// from a table, so a key assembled at run time ("hud.stil." + raw value) is invisible
// to it; the type that assembles keys tests its own keys against the tables. Literals
// of the key form with a known prefix count as keys even in comments, so an icon or file
// name that looks like a key (mic.circle.fill) must not appear as such a literal.
namespace parlix::Lokalisierung {

using Tabelle = QHash<QString, QString>;  // key -> text
using Tabellen = QHash<QString, Tabelle>; // language code -> table

inline constexpr QStringView fallbackCode = u"en";
// The resource location of the built-in tables.
inline constexpr QStringView eingebauteTabellen = u":/i18n";

// The key's text in `sprache`, else in "en", else the key itself.
QString waehle(const QString& key, const QString& sprache, const Tabellen& tabellen);

// The same over the tables in `bundle` (a directory holding <code>.json), each loaded
// once per process. A missing or unreadable table counts as absent; safe from any thread.
QString text(const QString& key, const QString& sprache, QStringView bundle = eingebauteTabellen);

// The loaded table of one language in `bundle`, or null when there is none. Codes are
// letters, digits, "-" and "_"; anything else has no table.
std::shared_ptr<const Tabelle> tabelle(const QString& code,
                                       QStringView bundle = eingebauteTabellen);

} // namespace parlix::Lokalisierung
