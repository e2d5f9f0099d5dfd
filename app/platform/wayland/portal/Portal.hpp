#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantList>
#include <functional>

class QObject;

namespace parlix {

// What the desktop portals (org.freedesktop.portal.*) have in common: one service and
// object, and requests answered by a Response signal on a path the caller can know in
// advance, so that it listens before it asks.
namespace Portal {

inline const QString kDienst = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString kPfad = QStringLiteral("/org/freedesktop/portal/desktop");
inline const QString kAnfrage = QStringLiteral("org.freedesktop.portal.Request");

// Whether the bus offers the portal interface `schnittstelle`. Blocks for the answer
// (2 s at most).
bool bietet(const QDBusConnection& bus, const QString& schnittstelle);
// Where the answer to the request with `token` comes (".../request/SENDER/TOKEN").
QString antwortPfad(const QDBusConnection& bus, const QString& token);
// Calls `methode` of the portal interface `schnittstelle` without waiting. The last of
// `argumente` are its options; the request's `token` is added to them. The request's
// Response (u code, a{sv} results) goes to `antwortSlot` of `empfaenger`; when the call
// itself fails, `beiFehler` gets the error's text on the empfaenger's thread.
void frage(QDBusConnection& bus, const QString& schnittstelle, const QString& methode,
           QVariantList argumente, const QString& token, QObject* empfaenger,
           const char* antwortSlot, std::function<void(const QString&)> beiFehler);

} // namespace Portal

} // namespace parlix
