#include "core/settings/DateiDefaultsStore.hpp"

#include "core/log/DateiLog.hpp"
#include "core/util/Besucher.hpp"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

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
    if (art == QLatin1String("int") && wert.isDouble()) {
        return DefaultsStore::Wert(wert.toInteger());
    }
    if (art == QLatin1String("real") && wert.isDouble()) {
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

std::optional<DefaultsStore::Werte> DateiDefaultsStore::ausJson(const QByteArray& json) {
    QJsonParseError fehler{};
    const QJsonDocument dokument = QJsonDocument::fromJson(json, &fehler);
    if (fehler.error != QJsonParseError::NoError || !dokument.isObject()) {
        return std::nullopt;
    }
    Werte werte;
    const QJsonObject wurzel = dokument.object();
    for (auto it = wurzel.constBegin(); it != wurzel.constEnd(); ++it) {
        const auto wert = eintragAusJson(it.value());
        if (!wert) {
            return std::nullopt;
        }
        werte.insert(it.key(), *wert);
    }
    return werte;
}

void DateiDefaultsStore::lade() {
    QFile datei(pfad_);
    if (!datei.exists()) {
        return;
    }
    if (!datei.open(QIODevice::ReadOnly)) {
        sichereBeschaedigteDatei();
        return;
    }
    const auto werte = ausJson(datei.readAll());
    datei.close();
    if (!werte) {
        sichereBeschaedigteDatei();
        return;
    }
    uebernimm(*werte);
}

void DateiDefaultsStore::sichereBeschaedigteDatei() {
    const QString zeit =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString ziel = pfad_ + QStringLiteral(".beschaedigt-") + zeit;
    if (QFile::rename(pfad_, ziel)) {
        sicherung_ = ziel;
        log().schreibe(QStringLiteral("FEHLER: Einstellungen unlesbar, gesichert als ") + ziel +
                       QStringLiteral(" → Standardwerte"));
        return;
    }
    nurImSpeicher_ = true;
    log().schreibe(QStringLiteral("FEHLER: Einstellungen unlesbar und nicht zu sichern: ") + pfad_ +
                   QStringLiteral(" → Standardwerte, Änderungen nur bis zum Beenden"));
}

void DateiDefaultsStore::persistiere(const Werte& werte) {
    if (nurImSpeicher_) {
        return;
    }
    QDir().mkpath(QFileInfo(pfad_).absolutePath());
    QSaveFile datei(pfad_);
    if (!datei.open(QIODevice::WriteOnly)) {
        return;
    }
    // History and vocabulary are private: readable by the owner only.
    datei.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    datei.write(alsJson(werte));
    datei.commit();
}

} // namespace parlix
