#include "server/KontenDienst.hpp"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

constexpr int iterationen = 20000;
constexpr qint64 codeDauerMs = 15 * 60 * 1000;

QString feld(const QJsonObject& koerper, const QString& name) {
    return koerper.value(name).toString();
}

QString schluessel(const QJsonObject& koerper) {
    return feld(koerper, u"email"_s).trimmed().toLower();
}

QByteArray zufall(int bytes) {
    QByteArray daten(bytes, '\0');
    QRandomGenerator::system()->generate(daten.begin(), daten.end());
    return daten;
}

Antwort falscheAnmeldung() {
    return Antwort::fehler(401, u"E-Mail oder Passwort ist falsch."_s);
}

} // namespace

KontenDienst::KontenDienst(QString datei, CodeVersand versand)
    : datei_(std::move(datei))
    , versand_(std::move(versand)) {
    lade();
}

Antwort KontenDienst::registriere(const QJsonObject& koerper) {
    const QString email = schluessel(koerper);
    const QString passwort = feld(koerper, u"passwort"_s);
    if (!email.contains(u'@') || passwort.size() < 8) {
        return Antwort::fehler(
            400, u"Bitte eine E-Mail-Adresse und ein Passwort mit mindestens 8 Zeichen angeben."_s);
    }
    if (konten_.contains(email)) {
        return Antwort::fehler(409, u"Für diese E-Mail-Adresse gibt es schon ein Konto."_s);
    }
    setzePasswort(konten_[email], passwort);
    speichere();
    return Antwort::json(201, {{u"email"_s, email}});
}

Antwort KontenDienst::login(const QJsonObject& koerper) {
    const auto konto = konten_.find(schluessel(koerper));
    if (konto == konten_.end() || !passtPasswort(*konto, feld(koerper, u"passwort"_s))) {
        return falscheAnmeldung();
    }
    const QString token = QString::fromLatin1(zufall(32).toHex());
    konto->tokens.append(token);
    speichere();
    return Antwort::json(200, {{u"token"_s, token}});
}

Antwort KontenDienst::resetAnfordern(const QJsonObject& koerper) {
    const QString email = schluessel(koerper);
    if (const auto konto = konten_.find(email); konto != konten_.end()) {
        konto->code =
            u"%1"_s.arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
        konto->codeGueltigBis = QDateTime::currentMSecsSinceEpoch() + codeDauerMs;
        speichere();
        versand_(email, konto->code);
    }
    // The same answer either way, so nobody learns which addresses have accounts.
    return Antwort::json(200, {});
}

Antwort KontenDienst::resetBestaetigen(const QJsonObject& koerper) {
    const auto konto = konten_.find(schluessel(koerper));
    const QString code = feld(koerper, u"code"_s);
    if (konto == konten_.end() || konto->code.isEmpty() || code != konto->code ||
        QDateTime::currentMSecsSinceEpoch() > konto->codeGueltigBis) {
        return Antwort::fehler(400, u"Der Code ist ungültig oder abgelaufen."_s);
    }
    const QString passwort = feld(koerper, u"passwort"_s);
    if (passwort.size() < 8) {
        return Antwort::fehler(400, u"Das Passwort braucht mindestens 8 Zeichen."_s);
    }
    setzePasswort(*konto, passwort);
    konto->code.clear();
    konto->tokens.clear(); // a new password signs every device out
    speichere();
    return Antwort::json(200, {});
}

Antwort KontenDienst::profil(const QByteArray& authorization) const {
    const QString email = emailZu(authorization);
    return email.isEmpty() ? Antwort::fehler(401, u"Nicht angemeldet."_s)
                           : Antwort::json(200, {{u"email"_s, email}});
}

QString KontenDienst::emailZu(const QByteArray& authorization) const {
    if (!authorization.startsWith("Bearer ")) {
        return {};
    }
    const QString token = QString::fromUtf8(authorization.mid(7));
    for (auto konto = konten_.cbegin(); konto != konten_.cend(); ++konto) {
        if (!token.isEmpty() && konto->tokens.contains(token)) {
            return konto.key();
        }
    }
    return {};
}

void KontenDienst::setzePasswort(Konto& konto, const QString& passwort) const {
    konto.salz = zufall(16);
    konto.hash = QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, passwort.toUtf8(),
                                                    konto.salz, iterationen, 32);
}

bool KontenDienst::passtPasswort(const Konto& konto, const QString& passwort) const {
    const QByteArray hash = QPasswordDigestor::deriveKeyPbkdf2(
        QCryptographicHash::Sha256, passwort.toUtf8(), konto.salz, iterationen, 32);
    return !hash.isEmpty() && hash == konto.hash;
}

void KontenDienst::lade() {
    QFile datei(datei_);
    if (datei_.isEmpty() || !datei.open(QIODevice::ReadOnly)) {
        return;
    }
    const QJsonObject alle = QJsonDocument::fromJson(datei.readAll()).object();
    for (auto eintrag = alle.begin(); eintrag != alle.end(); ++eintrag) {
        const QJsonObject o = eintrag.value().toObject();
        Konto konto;
        konto.salz = QByteArray::fromBase64(o.value(u"salz"_s).toString().toLatin1());
        konto.hash = QByteArray::fromBase64(o.value(u"hash"_s).toString().toLatin1());
        konto.tokens = o.value(u"tokens"_s).toVariant().toStringList();
        konto.code = o.value(u"code"_s).toString();
        konto.codeGueltigBis = o.value(u"codeGueltigBis"_s).toInteger();
        konten_.insert(eintrag.key(), konto);
    }
}

void KontenDienst::speichere() const {
    if (datei_.isEmpty()) {
        return;
    }
    QJsonObject alle;
    for (auto konto = konten_.cbegin(); konto != konten_.cend(); ++konto) {
        alle.insert(konto.key(),
                    QJsonObject{{u"salz"_s, QString::fromLatin1(konto->salz.toBase64())},
                                {u"hash"_s, QString::fromLatin1(konto->hash.toBase64())},
                                {u"tokens"_s, QJsonArray::fromStringList(konto->tokens)},
                                {u"code"_s, konto->code},
                                {u"codeGueltigBis"_s, konto->codeGueltigBis}});
    }
    QSaveFile datei(datei_);
    if (datei.open(QIODevice::WriteOnly)) {
        datei.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        datei.write(QJsonDocument(alle).toJson());
        datei.commit();
    }
}

} // namespace parlix
