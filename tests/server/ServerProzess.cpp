#include "tests/server/ServerProzess.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace parlix::test {

ServerProzess::ServerProzess(const QStringList& argumente, const QStringList& davor)
    : fehlerDatei_(QDir::temp().filePath(
          u"parlix-server-%1.err"_s.arg(QUuid::createUuid().toString(QUuid::WithoutBraces)))) {
    QStringList befehl = davor +
                         QStringList{QStringLiteral(PARLIX_SERVER_PROGRAMM), u"--port"_s, u"0"_s} +
                         argumente;
    prozess_ = std::make_unique<KindProzess>(befehl.first(), befehl.mid(1),
                                             KindProzess::Optionen{fehlerDatei_, {}});
    static const QRegularExpression zeile(u"lauscht auf http://[^:]+:(\\d+)"_s);
    QByteArray ausgabe;
    QElapsedTimer uhr;
    uhr.start();
    while (uhr.elapsed() < 20000 && !prozess_->warteAufEnde(std::chrono::milliseconds(0))) {
        ausgabe += prozess_->lies(std::chrono::milliseconds(100));
        if (const auto treffer = zeile.match(QString::fromUtf8(ausgabe)); treffer.hasMatch()) {
            port_ = treffer.captured(1).toUShort();
            return;
        }
    }
}

ServerProzess::~ServerProzess() {
    prozess_.reset();
    QFile::remove(fehlerDatei_);
}

QString ServerProzess::fehler() const {
    QFile datei(fehlerDatei_);
    return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
}

} // namespace parlix::test
