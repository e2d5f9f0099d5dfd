#include "app/maintenance/UpdateInstaller.hpp"

#include "app/maintenance/Installation.hpp"
#include "app/maintenance/Nachlauf.hpp"
#include "app/maintenance/ShellWort.hpp"
#include "core/log/DateiLog.hpp"

#include <QDir>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace parlix {

QString UpdateInstaller::befehle(const Auftrag& auftrag) {
    const QString app = shellWort(auftrag.installation);
    const QString neu = shellWort(auftrag.neu);
    const QString programm =
        shellWort(QDir(auftrag.installation).filePath(QLatin1String(Installation::programm)));
    // The old folder is moved aside into a fresh folder beside it (whatever else is there
    // stays untouched) only when that works, and a copy that fails part way is removed
    // before the old folder goes back (else mv would move it inside).
    const QStringList zeilen = {
        u"if alt=$(mktemp -d "_s + shellWort(auftrag.installation + u".alt-XXXXXX"_s) +
            u") && mv "_s + app + u" \"$alt/alt\"; then"_s,
        u"  if cp -R "_s + neu + u' ' + app + u"; then"_s,
        u"    rm -rf \"$alt\""_s,
        u"  else"_s,
        u"    rm -rf "_s + app,
        u"    mv \"$alt/alt\" "_s + app + u" && rmdir \"$alt\"  # Rollback bei Fehler"_s,
        u"  fi"_s,
        u"else"_s,
        u"  rmdir \"$alt\" 2>/dev/null"_s,
        u"fi"_s,
        programm + u" &"_s,
        u"rm -rf "_s + shellWort(auftrag.arbeit),
    };
    return zeilen.join(u'\n') + u'\n';
}

bool UpdateInstaller::installiereUndStarteNeu(const Auftrag& auftrag) {
    if (!Nachlauf::starte(auftrag.pid, befehle(auftrag))) {
        log().schreibe(u"FEHLER: Update-Installation fehlgeschlagen: /bin/sh nicht gestartet"_s);
        return false;
    }
    log().schreibe(u"Update wird installiert → beende mich für den Austausch"_s);
    return true;
}

} // namespace parlix
