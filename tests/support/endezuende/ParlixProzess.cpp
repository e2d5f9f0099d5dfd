#include "tests/support/endezuende/ParlixProzess.hpp"

#include "core/history/VerlaufStore.hpp"
#include "core/settings/DateiDefaultsStore.hpp"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <csignal>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

using Uhr = std::chrono::steady_clock;

QString lies(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? QString::fromUtf8(datei.readAll()) : QString();
}

} // namespace

ParlixProzess::ParlixProzess(QString programm, QString ordner, std::optional<QUrl> backend)
    : programm_(std::move(programm))
    , ordner_(std::move(ordner))
    , backend_(std::move(backend)) {}

ParlixProzess::~ParlixProzess() {
    if (prozess_) {
        beende(std::chrono::seconds(10));
    }
}

std::unique_ptr<DefaultsStore> ParlixProzess::einstellungen() const {
    const QString konfig = backend_ ? ordner_ + u"/konfig/parlix"_s : home() + u"/.config/parlix"_s;
    QDir().mkpath(konfig);
    return std::make_unique<DateiDefaultsStore>(konfig + u"/defaults.json"_s);
}

QString ParlixProzess::home() const {
    return ordner_ + u"/home"_s;
}

QList<VerlaufEintrag> ParlixProzess::verlauf() const {
    const std::unique_ptr<DefaultsStore> speicher = einstellungen();
    return VerlaufStore(*speicher).eintraege();
}

QProcessEnvironment ParlixProzess::umgebung() const {
    const QProcessEnvironment hier = QProcessEnvironment::systemEnvironment();
    if (!backend_) {
        QProcessEnvironment u;
        for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR",
                                 "PULSE_SERVER", "PULSE_CLIENTCONFIG", "PULSE_COOKIE",
                                 "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
            if (hier.contains(QLatin1StringView(name))) {
                u.insert(QLatin1StringView(name), hier.value(QLatin1StringView(name)));
            }
        }
        QDir().mkpath(home());
        u.insert(u"HOME"_s, home());
        // Beside the other runs' logs, not in the one file every parlix on the machine shares.
        u.insert(u"PARLIX_LOG"_s, logDatei());
        return u;
    }
    QProcessEnvironment u = hier;
    const std::pair<const char*, const char*> ordner[] = {
        {"XDG_CONFIG_HOME", "konfig"},
        {"XDG_DATA_HOME", "daten"},
        {"XDG_STATE_HOME", "zustand"},
        {"XDG_CACHE_HOME", "cache"},
    };
    for (const auto& [name, unterordner] : ordner) {
        const QString pfad = ordner_ + u'/' + QLatin1StringView(unterordner);
        QDir().mkpath(pfad);
        u.insert(QLatin1StringView(name), pfad);
    }
    u.insert(u"PARLIX_LOG"_s, logDatei());
    u.insert(u"PARLIX_PLATTFORM"_s, u"x11"_s);
    return u;
}

QProcessEnvironment ParlixProzess::umgebung(const QStringList& zusaetzlich) const {
    QProcessEnvironment u = umgebung();
    for (const QString& eintrag : zusaetzlich) {
        u.insert(eintrag.section(u'=', 0, 0), eintrag.section(u'=', 1));
    }
    return u;
}

void ParlixProzess::starte(const QStringList& umgebung) {
    const QProcessEnvironment u = this->umgebung(umgebung);
    QStringList argumente{u"--pdeathsig"_s, u"KILL"_s, u"--"_s, programm_};
    if (backend_) {
        argumente << u"--backend"_s << backend_->toString();
    }
    // setpriv ends the program with this process, even when a test aborts.
    prozess_ = std::make_unique<KindProzess>(
        u"setpriv"_s, argumente,
        KindProzess::Optionen{ordner_ + u"/stderr.log"_s, u.toStringList()});
}

bool ParlixProzess::laeuft() {
    if (!prozess_ || !prozess_->gestartet()) {
        return false;
    }
    // Its standard output is not needed; reading keeps the pipe from filling up.
    prozess_->lies(std::chrono::milliseconds(0));
    return !prozess_->warteAufEnde(std::chrono::milliseconds(0)).has_value();
}

qint64 ParlixProzess::pid() const {
    return prozess_ ? prozess_->pid() : -1;
}

std::optional<int> ParlixProzess::rufe(const QStringList& argumente, const QStringList& umgebung,
                                       std::chrono::milliseconds frist) const {
    KindProzess aufruf(
        u"setpriv"_s, QStringList{u"--pdeathsig"_s, u"KILL"_s, u"--"_s, programm_} + argumente,
        KindProzess::Optionen{ordner_ + u"/stderr.log"_s, this->umgebung(umgebung).toStringList()});
    return aufruf.warteAufEnde(frist);
}

std::optional<int> ParlixProzess::beende(std::chrono::milliseconds frist) {
    if (!prozess_) {
        return std::nullopt;
    }
    prozess_->sende(SIGTERM);
    std::optional<int> code = prozess_->warteAufEnde(frist);
    if (!code) {
        prozess_->sende(SIGKILL);
        prozess_->warteAufEnde(std::chrono::seconds(5));
    }
    prozess_.reset();
    return code;
}

QString ParlixProzess::logDatei() const {
    return ordner_ + u"/parlix.log"_s;
}

QStringList ParlixProzess::logZeilen() const {
    static const QRegularExpression zeitstempel(
        u"^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} \\+0000 "_s);
    QStringList zeilen = lies(logDatei()).split(u'\n', Qt::SkipEmptyParts);
    for (QString& zeile : zeilen) {
        zeile.remove(zeitstempel);
    }
    return zeilen;
}

int ParlixProzess::logAnzahl(const QString& anfang) const {
    const QStringList zeilen = logZeilen();
    return static_cast<int>(std::count_if(zeilen.cbegin(), zeilen.cend(),
                                          [&](const QString& z) { return z.startsWith(anfang); }));
}

bool ParlixProzess::warteAufLog(const QString& anfang, int anzahl,
                                std::chrono::milliseconds frist) {
    const auto ende = Uhr::now() + frist;
    while (logAnzahl(anfang) < anzahl) {
        if (Uhr::now() > ende || !laeuft()) {
            return logAnzahl(anfang) >= anzahl;
        }
        QThread::msleep(20);
    }
    return true;
}

QString ParlixProzess::fehlerAusgabe() const {
    return lies(ordner_ + u"/stderr.log"_s);
}

} // namespace parlix::test
