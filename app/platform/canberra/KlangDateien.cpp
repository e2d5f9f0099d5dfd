#include "app/platform/canberra/KlangDateien.hpp"

#include "core/util/AtomareDatei.hpp"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

QString ressource(const QString& name) {
    return u":/klaenge/"_s + name + u".wav"_s;
}

QString cacheDatei(const QString& name) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           u"/parlix/klaenge/"_s + name + u".wav"_s;
}

QByteArray inhalt(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

} // namespace

std::optional<QString> KlangDateien::datei(const QString& name) {
    if (name.isEmpty() || name.contains(u'/') || !QFile::exists(ressource(name))) {
        return std::nullopt;
    }
    const QString pfad = cacheDatei(name);
    if (geprueft_.contains(name)) {
        return pfad;
    }
    const QByteArray gebuendelt = inhalt(ressource(name));
    if (inhalt(pfad) != gebuendelt &&
        AtomareDatei::schreibe(pfad, gebuendelt,
                               QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ReadGroup | QFileDevice::ReadOther)
            .has_value()) {
        return std::nullopt;
    }
    geprueft_.append(name);
    return pfad;
}

QStringList KlangDateien::namen() {
    QStringList namen;
    for (const QString& datei : QDir(u":/klaenge"_s).entryList({u"*.wav"_s}, QDir::Files)) {
        namen.append(datei.chopped(4));
    }
    return namen;
}

} // namespace parlix
