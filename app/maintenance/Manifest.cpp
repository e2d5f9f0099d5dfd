#include "app/maintenance/Manifest.hpp"

#include "app/maintenance/Programmordner.hpp"
#include "app/maintenance/UpdateVerworfen.hpp"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

bool istSelbst(const QString& pfad) {
    return pfad == QLatin1String(Manifest::datei) || pfad == QLatin1String(Manifest::signaturDatei);
}

QByteArray pruefsumme(const QString& pfad) {
    QFile datei(pfad);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!datei.open(QIODevice::ReadOnly) || !hash.addData(&datei)) {
        throw UpdateVerworfen(u"Datei unlesbar: "_s + pfad);
    }
    return hash.result().toHex();
}

} // namespace

Manifest Manifest::ausOrdner(const QString& ordner) {
    Manifest manifest;
    Programmordner::durchlaufe(ordner, [&](const QString& pfad, const QFileInfo& info) {
        if (pfad.contains(u'\n') || pfad.contains(u'\\')) {
            throw UpdateVerworfen(u"Dateiname nicht darstellbar: "_s + pfad);
        }
        if (info.isFile() && !istSelbst(pfad)) {
            manifest.pruefsummen_[pfad] = pruefsumme(info.filePath());
        }
    });
    return manifest;
}

Manifest Manifest::ausText(const QByteArray& text) {
    static const QRegularExpression zeile(u"^([0-9a-f]{64})  (.+)$"_s);
    Manifest manifest;
    const QStringList zeilen = QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& z : zeilen) {
        const QRegularExpressionMatch treffer = zeile.match(z);
        if (!treffer.hasMatch() || manifest.pruefsummen_.contains(treffer.captured(2))) {
            throw UpdateVerworfen(u"Manifest unlesbar: "_s + z.left(100));
        }
        manifest.pruefsummen_[treffer.captured(2)] = treffer.captured(1).toLatin1();
    }
    return manifest;
}

QByteArray Manifest::text() const {
    QByteArray text;
    for (const auto& [pfad, summe] : pruefsummen_) {
        text += summe + "  " + pfad.toUtf8() + '\n';
    }
    return text;
}

bool Manifest::umfasst(const QString& pfad) const {
    if (istSelbst(pfad) || pruefsummen_.contains(pfad)) {
        return true;
    }
    // The paths are sorted, so the first one after "pfad/" starts with it if any does.
    const QString ordner = pfad + u'/';
    const auto danach = pruefsummen_.lower_bound(ordner);
    return danach != pruefsummen_.end() && danach->first.startsWith(ordner);
}

std::optional<QString> Manifest::ersteAbweichung(const Manifest& ist) const {
    for (const auto& [pfad, summe] : pruefsummen_) {
        const auto gefunden = ist.pruefsummen_.find(pfad);
        if (gefunden == ist.pruefsummen_.end()) {
            return u"fehlt: "_s + pfad;
        }
        if (gefunden->second != summe) {
            return u"verändert: "_s + pfad;
        }
    }
    for (const auto& [pfad, summe] : ist.pruefsummen_) {
        if (!pruefsummen_.contains(pfad)) {
            return u"nicht im Manifest: "_s + pfad;
        }
    }
    return std::nullopt;
}

} // namespace parlix
