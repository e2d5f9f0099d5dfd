#include "core/settings/DateiDefaultsStore.hpp"

#include "core/log/DateiLog.hpp"
#include "core/util/AtomareDatei.hpp"
#include "core/util/Besucher.hpp"
#include "core/util/JsonFeld.hpp"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <cmath>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QJsonObject eintragAlsJson(const DefaultsStore::Wert& wert) {
    return std::visit(
        Besucher{
            [](const QString& t) {
                return QJsonObject{{QStringLiteral("text"), t}};
            },
            [](bool b) {
                return QJsonObject{{QStringLiteral("bool"), b}};
            },
            [](qint64 i) {
                return QJsonObject{{QStringLiteral("int"), i}};
            },
            [](double d) {
                return QJsonObject{{QStringLiteral("real"), d}};
            },
            [](const QByteArray& b) {
                return QJsonObject{{QStringLiteral("data"), QString::fromLatin1(b.toBase64())}};
            }},
        wert);
}

std::optional<DefaultsStore::Wert> eintragAusJson(const QJsonValue& json) {
    const QJsonObject objekt = json.toObject();
    if (!json.isObject() || objekt.size() != 1) {
        return std::nullopt;
    }
    const QString art = objekt.begin().key();
    const QJsonValue wert = objekt.begin().value();
    if (art == QLatin1String("text") && wert.isString()) {
        return DefaultsStore::Wert(wert.toString());
    }
    if (art == QLatin1String("bool") && wert.isBool()) {
        return DefaultsStore::Wert(wert.toBool());
    }
    if (art == QLatin1String("int")) {
        // Only a whole number that fits: 1.5 or 1e300 is not read as some other integer.
        if (const auto zahl = JsonFeld::ganzzahl(objekt, art)) {
            return DefaultsStore::Wert(*zahl);
        }
    }
    if (art == QLatin1String("real") && wert.isDouble() && std::isfinite(wert.toDouble())) {
        return DefaultsStore::Wert(wert.toDouble());
    }
    if (art == QLatin1String("data") && wert.isString()) {
        const auto bytes = QByteArray::fromBase64Encoding(wert.toString().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
        if (bytes) {
            return DefaultsStore::Wert(*bytes);
        }
    }
    return std::nullopt;
}

} // namespace

DateiDefaultsStore::DateiDefaultsStore(QString pfad)
    : pfad_(std::move(pfad)) {
    lade();
}

QString DateiDefaultsStore::standardPfad() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/parlix/defaults.json");
}

QByteArray DateiDefaultsStore::alsJson(const Werte& werte) {
    QJsonObject wurzel;
    for (auto it = werte.constBegin(); it != werte.constEnd(); ++it) {
        wurzel.insert(it.key(), eintragAlsJson(it.value()));
    }
    return QJsonDocument(wurzel).toJson(QJsonDocument::Indented);
}

std::optional<DateiDefaultsStore::Gelesen> DateiDefaultsStore::ausJson(const QByteArray& json) {
    QJsonParseError fehler{};
    const QJsonDocument dokument = QJsonDocument::fromJson(json, &fehler);
    if (fehler.error != QJsonParseError::NoError || !dokument.isObject()) {
        return std::nullopt;
    }
    Gelesen gelesen;
    const QJsonObject wurzel = dokument.object();
    for (auto it = wurzel.constBegin(); it != wurzel.constEnd(); ++it) {
        if (const auto wert = eintragAusJson(it.value())) {
            gelesen.werte.insert(it.key(), *wert);
        } else {
            gelesen.unlesbar.append(it.key());
        }
    }
    return gelesen;
}

void DateiDefaultsStore::lade() {
    std::optional<Gelesen> gelesen;
    {
        QFile datei(pfad_);
        if (!datei.exists()) {
            return;
        }
        if (datei.open(QIODevice::ReadOnly)) {
            gelesen = ausJson(datei.readAll());
        }
    }
    if (!gelesen) {
        sichereDatei(&QFile::rename, u"Einstellungen unlesbar"_s);
        return;
    }
    uebernimm(gelesen->werte);
    if (!gelesen->unlesbar.isEmpty()) {
        sichereDatei(&QFile::copy, u"Einstellungen: unlesbare Werte ("_s +
                                       gelesen->unlesbar.join(u", "_s) + u')');
    }
}

void DateiDefaultsStore::sichereDatei(bool (*sichere)(const QString&, const QString&),
                                      const QString& was) {
    const QString zeit = QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd-HHmmss-zzz"_s);
    const QString ziel = pfad_ + u".beschaedigt-"_s + zeit;
    if (sichere(pfad_, ziel)) {
        sicherung_ = ziel;
        log().schreibe(u"FEHLER: "_s + was + u", gesichert als "_s + ziel + u" → Standardwerte"_s);
        return;
    }
    nurImSpeicher_ = true;
    log().schreibe(u"FEHLER: "_s + was + u" und nicht zu sichern: "_s + pfad_ +
                   u" → Standardwerte, Änderungen nur bis zum Beenden"_s);
}

void DateiDefaultsStore::persistiere(const Werte& werte) {
    if (nurImSpeicher_) {
        return;
    }
    // History and vocabulary are private: readable by the owner only.
    if (const auto grund = AtomareDatei::schreibe(
            pfad_, alsJson(werte), QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        log().schreibe(u"FEHLER: Einstellungen nicht gespeichert: "_s + pfad_ + u" ("_s + *grund +
                       u')');
    }
}

} // namespace parlix
