#include "bench/kennzahlen/ProzessLast.hpp"

#include <QFile>
#include <QStringList>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::bench::ProzessLast {

namespace {

QString lies(qint64 pid, const char* datei) {
    QFile f(u"/proc/%1/%2"_s.arg(pid).arg(QLatin1StringView(datei)));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

std::optional<double> cpuSekunden(qint64 pid) {
    // The name in parentheses may hold blanks; the fields after it are fixed: utime and
    // stime are the 12th and 13th after the closing parenthesis.
    const QString stat = lies(pid, "stat");
    const QStringList felder = stat.mid(stat.lastIndexOf(u')') + 2).split(u' ');
    if (felder.size() < 13) {
        return std::nullopt;
    }
    const double takte = felder[11].toDouble() + felder[12].toDouble();
    return takte / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::optional<double> rssMiB(qint64 pid) {
    for (const QString& zeile : lies(pid, "status").split(u'\n')) {
        if (zeile.startsWith(u"VmRSS:"_s)) {
            return zeile.section(u':', 1).trimmed().section(u' ', 0, 0).toDouble() / 1024.0;
        }
    }
    return std::nullopt;
}

} // namespace parlix::bench::ProzessLast
