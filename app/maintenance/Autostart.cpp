#include "app/maintenance/Autostart.hpp"

#include "core/log/DateiLog.hpp"
#include "core/util/AtomareDatei.hpp"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace parlix {

namespace {

// One argument of an Exec line. Inside double quotes ", `, $ and \ take a backslash; %
// is doubled, as a single one would start a field code; then the value as a whole is
// escaped as a desktop entry string (\ doubled, control characters written as escapes).
QString execArgument(const QString& argument) {
    QString zitiert = u"\""_s;
    for (const QChar zeichen : argument) {
        if (u"\"`$\\"_s.contains(zeichen)) {
            zitiert += u'\\';
        }
        zitiert += zeichen == u'%' ? u"%%"_s : QString(zeichen);
    }
    zitiert += u'"';
    zitiert.replace(u"\\"_s, u"\\\\"_s);
    zitiert.replace(u"\n"_s, u"\\n"_s);
    zitiert.replace(u"\t"_s, u"\\t"_s);
    zitiert.replace(u"\r"_s, u"\\r"_s);
    return zitiert;
}

QString execZeile(const QString& programm) {
    // GLib (GNOME) looks the program up before it expands field codes, so it would look
    // for a path with %% in it and refuse the entry; through env the program is an
    // argument, which gets its % back.
    const QString vorsatz = programm.contains(u'%') ? u"env "_s : QString();
    return vorsatz + execArgument(programm);
}

} // namespace

QString Autostart::pfad() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/autostart/com.orvand.parlix.desktop"_s;
}

bool Autostart::istAktiv() {
    return QFile::exists(pfad());
}

QString Autostart::eintrag(const QString& programm) {
    return u"[Desktop Entry]\n"_s
           u"Type=Application\n"_s
           u"Name=Parlix\n"_s
           u"Comment=Dictation assistant\n"_s
           u"Exec="_s +
           execZeile(programm) +
           u"\n"_s
           u"Icon=com.orvand.parlix\n"_s
           u"Terminal=false\n"_s
           u"X-GNOME-Autostart-enabled=true\n"_s;
}

void Autostart::aktiviere(const QString& programm) {
    const QString pfadDesProgramms =
        programm.isEmpty() ? QCoreApplication::applicationFilePath() : programm;
    if (pfadDesProgramms.isEmpty()) {
        log().schreibe(u"FEHLER: Autostart: Executable-Pfad unbekannt"_s);
        return;
    }
    if (const auto fehler =
            AtomareDatei::schreibe(pfad(), eintrag(pfadDesProgramms).toUtf8(),
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                       QFileDevice::ReadGroup | QFileDevice::ReadOther)) {
        log().schreibe(u"FEHLER: Autostart konnte nicht geschrieben werden: "_s + *fehler);
        return;
    }
    log().schreibe(u"Autostart aktiviert → "_s + pfadDesProgramms);
}

void Autostart::deaktiviere() {
    QFile::remove(pfad());
    log().schreibe(u"Autostart deaktiviert"_s);
}

} // namespace parlix
