// Measures the figures users feel on the real program and writes them, compared with the
// previous run, to its block in a Markdown file:
//     parlix_kennzahlen --datei bench/kennzahlen.md [--runden 10] [--leerlauf 60]
//                       [--umstand "build: RelWithDebInfo"]...
#include "bench/kennzahlen/HUDFenster.hpp"
#include "bench/kennzahlen/KennzahlenDatei.hpp"
#include "bench/kennzahlen/Messlauf.hpp"
#include "bench/kennzahlen/TestKnopf.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

QString lastDerMaschine() {
    QFile last(u"/proc/loadavg"_s);
    return last.open(QIODevice::ReadOnly) ? QString::fromUtf8(last.readAll()).section(u' ', 0, 2)
                                          : u"unknown"_s;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser optionen;
    optionen.addHelpOption();
    optionen.addOption(
        {u"datei"_s,
         u"The figures file (read; its block of figures is rewritten, the rest kept)."_s,
         u"pfad"_s});
    optionen.addOption({u"runden"_s, u"Dictations per latency figure."_s, u"n"_s, u"10"_s});
    optionen.addOption({u"leerlauf"_s, u"Seconds of the idle measurement."_s, u"s"_s, u"60"_s});
    optionen.addOption({u"umstand"_s, u"A line about the run for the file."_s, u"text"_s});
    optionen.process(app);
    QTextStream aus(stdout);
    if (!optionen.isSet(u"datei"_s)) {
        aus << "--datei is needed\n";
        return 2;
    }
    const QString datei = optionen.value(u"datei"_s);

    const QString lastVorher = lastDerMaschine();
    parlix::bench::Messlauf lauf(optionen.value(u"runden"_s).toInt());
    if (!lauf.fehler().isEmpty()) {
        aus << "the stage did not come up: " << lauf.fehler() << '\n';
        return 1;
    }
    QList<parlix::bench::Kennzahl> kennzahlen;
    const auto messe = [&](const char* was, const QList<parlix::bench::Kennzahl>& ergebnis) {
        aus << was << (ergebnis.isEmpty() ? ": failed\n" : ": done\n") << Qt::flush;
        kennzahlen += ergebnis;
        return !ergebnis.isEmpty();
    };
    const bool alle =
        messe("start to tray", lauf.startZumTray()) &&
        messe("start with the local server", lauf.startMitLokalemServer()) &&
        messe("Test button", parlix::bench::TestKnopf::miss(optionen.value(u"runden"_s).toInt())) &&
        messe("idle", lauf.leerlauf(std::chrono::seconds(optionen.value(u"leerlauf"_s).toInt()))) &&
        messe("dictations", lauf.diktate()) &&
        messe("recording", lauf.aufnahmeLast(std::chrono::seconds(10))) &&
        messe("dictations into xterm", lauf.diktateInXterm()) &&
        messe("HUD", parlix::bench::HUDFenster::miss());

    QStringList umstaende{
        u"measured %1"_s.arg(QDateTime::currentDateTimeUtc().toString(u"yyyy-MM-dd HH:mm 'UTC'"_s)),
        u"machine: %1 cores, load average %2 before and %3 after"_s.arg(
            QString::number(QThread::idealThreadCount()), lastVorher, lastDerMaschine())};
    umstaende += optionen.values(u"umstand"_s);
    if (!parlix::bench::KennzahlenDatei::schreibe(
            datei, kennzahlen, parlix::bench::KennzahlenDatei::liesWerte(datei), umstaende)) {
        aus << "cannot write " << datei
            << " (unreadable, or the markers of its block are broken)\n";
        return 1;
    }
    aus << "written: " << datei << '\n';
    return alle ? 0 : 1;
}
