#include "app/backend/LokalerServer.hpp"

#include "core/log/DateiLog.hpp"
#include "core/services/BackendWurzel.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix {

namespace {

// A server that stayed up this long starts again after the shortest pause.
constexpr auto stabil = 60s;

// 32 random bytes, URL-safe base64 without padding: 43 characters.
QByteArray neuesGeheimnis() {
    std::array<quint32, 8> zufall{};
    QRandomGenerator::system()->fillRange(zufall.data(), zufall.size());
    return QByteArray(reinterpret_cast<const char*>(zufall.data()), sizeof(zufall))
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

} // namespace

LokalerServer::Einrichtung LokalerServer::standard() {
    return {
        .programm = QDir(QCoreApplication::applicationDirPath()).filePath(u"parlix-server"_s),
        .daten = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                 u"/parlix/server"_s,
    };
}

LokalerServer::LokalerServer(Einrichtung einrichtung, QObject* eltern)
    : QObject(eltern)
    , e_(std::move(einrichtung))
    , pause_(e_.erstePause) {
    neustart_.setSingleShot(true);
    connect(&neustart_, &QTimer::timeout, this, &LokalerServer::starteProzess);
    startFrist_.setSingleShot(true);
    connect(&startFrist_, &QTimer::timeout, this, [this] {
        log().schreibe(u"FEHLER: Lokaler Server antwortet nicht, er wird beendet"_s);
        prozess_->kill();
    });
}

LokalerServer::~LokalerServer() {
    beende();
}

void LokalerServer::setzeAnbieter(const QJsonObject& anbieter) {
    anbieter_ = anbieter;
    if (prozess_ != nullptr && prozess_->state() == QProcess::Running) {
        schreibe({{u"anbieter"_s, anbieter_}});
    }
}

void LokalerServer::starte() {
    aktiv_ = true;
    // One secret per start of Parlix: whoever could read it already is this user.
    if (geheimnis_.isEmpty()) {
        geheimnis_ = neuesGeheimnis();
    }
    starteProzess();
}

void LokalerServer::beende() {
    aktiv_ = false;
    neustart_.stop();
    startFrist_.stop();
    if (prozess_ == nullptr) {
        return;
    }
    // The end of its standard input ends the server in order.
    prozess_->closeWriteChannel();
    if (!prozess_->waitForFinished(3000)) {
        prozess_->kill();
        prozess_->waitForFinished(1000);
    }
    delete prozess_;
    prozess_ = nullptr;
    wurzel_.clear();
    log().schreibe(u"Lokaler Server beendet"_s);
}

QString LokalerServer::hindernis() const {
    if (!QFileInfo(e_.programm).isExecutable()) {
        log().schreibe(u"FEHLER: Lokaler Server nicht gefunden: "_s + e_.programm);
        return u"lokal.programmFehlt"_s;
    }
    const QFileInfo daten(e_.daten);
    if (!QDir().mkpath(e_.daten) || !daten.isDir() || !daten.isWritable()) {
        log().schreibe(u"FEHLER: Datenordner des lokalen Servers nicht beschreibbar: "_s +
                       e_.daten);
        return u"lokal.datenOrdner"_s;
    }
    return {};
}

void LokalerServer::starteProzess() {
    if (!aktiv_) {
        return;
    }
    if (const QString grund = hindernis(); !grund.isEmpty()) {
        // Nothing a new attempt could change: calls fail at once and say why.
        setzeLokalesBackendAus(grund, false);
        emit ausgefallen(grund);
        return;
    }
    setzeLokalesBackendAus();
    delete prozess_;
    prozess_ = new QProcess(this);
    prozess_->setProcessChannelMode(QProcess::MergedChannels);
    connect(prozess_, &QProcess::started, this, [this] {
        schreibe({{u"geheimnis"_s, QString::fromLatin1(geheimnis_)}, {u"anbieter"_s, anbieter_}});
    });
    connect(prozess_, &QProcess::readyReadStandardOutput, this, &LokalerServer::liesAusgabe);
    connect(prozess_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus art) {
        fallAus(u"lokal.ausgefallen"_s,
                art == QProcess::CrashExit ? u"abgestürzt"_s : u"Code "_s + QString::number(code));
    });
    connect(prozess_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError fehler) {
        if (fehler == QProcess::FailedToStart) {
            fallAus(u"lokal.ausgefallen"_s, prozess_->errorString());
        }
    });
    ++starts_;
    prozess_->start(e_.programm, {u"--lokal"_s, u"--adresse"_s, u"127.0.0.1"_s, u"--port"_s, u"0"_s,
                                  u"--daten"_s, e_.daten});
    startFrist_.start(e_.startFrist);
}

void LokalerServer::liesAusgabe() {
    static const QRegularExpression lauscht(
        u"^parlix-server lauscht auf (http://127\\.0\\.0\\.1:[0-9]+)\\s*$"_s);
    while (prozess_->canReadLine()) {
        const QString zeile = QString::fromUtf8(prozess_->readLine()).trimmed();
        const QRegularExpressionMatch treffer = lauscht.match(zeile);
        if (!wurzel_.isEmpty() || !treffer.hasMatch()) {
            log().schreibe(u"parlix-server: "_s + zeile);
            continue;
        }
        startFrist_.stop();
        bereitSeit_.start();
        wurzel_ = QUrl(treffer.captured(1));
        setzeLokalesBackend(wurzel_, geheimnis_);
        log().schreibe(u"Lokaler Server bereit: "_s + wurzel_.toString());
        emit bereit();
        if (starts_ > 1) {
            emit neuGestartet();
        }
    }
}

void LokalerServer::fallAus(const QString& grund, const QString& wie) {
    if (!aktiv_) {
        return;
    }
    startFrist_.stop();
    if (!wurzel_.isEmpty() && bereitSeit_.elapsed() >= std::chrono::milliseconds(stabil).count()) {
        pause_ = e_.erstePause;
    }
    wurzel_.clear();
    // Calls wait for the next start instead of failing at once.
    setzeLokalesBackendAus(grund);
    log().schreibe(u"FEHLER: Lokaler Server beendet ("_s + wie + u"), neuer Start in "_s +
                   QString::number(pause_.count()) + u" ms"_s);
    emit ausgefallen(grund);
    neustart_.start(pause_);
    pause_ = std::min(pause_ * 2, e_.laengstePause);
}

void LokalerServer::schreibe(const QJsonObject& zeile) {
    prozess_->write(QJsonDocument(zeile).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace parlix
