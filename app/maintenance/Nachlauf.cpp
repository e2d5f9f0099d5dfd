#include "app/maintenance/Nachlauf.hpp"

#include "app/platform/KindProzess.hpp"

#include <QCoreApplication>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace parlix::Nachlauf {

bool starte(qint64 pid, const QString& befehle) {
    const QString skript = u"exec </dev/null >/dev/null 2>&1\n"_s + u"while kill -0 "_s +
                           QString::number(pid) + u" 2>/dev/null; do sleep 0.1; done\n"_s + befehle;
    // setsid -f forks and returns at once; the shell lives on in its new session.
    KindProzess setsid(u"setsid"_s, {u"-f"_s, u"/bin/sh"_s, u"-c"_s, skript});
    return setsid.warteAufEnde(10s) == 0;
}

void beendeProgramm() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

} // namespace parlix::Nachlauf
