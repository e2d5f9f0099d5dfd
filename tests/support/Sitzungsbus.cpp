#include "tests/support/Sitzungsbus.hpp"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

bool istPortal(const QString& name) {
    return name.startsWith(u"org.freedesktop.portal."_s) ||
           name.startsWith(u"org.freedesktop.impl.portal."_s);
}

// Links the machine's service files the bus may start into `dienste`.
void verlinkeDienste(const QString& dienste, const QStringList& ohneDienste) {
    QDir().mkpath(dienste);
    static const QRegularExpression nameZeile(u"^Name=(\\S+)"_s,
                                              QRegularExpression::MultilineOption);
    const QDir maschine(u"/usr/share/dbus-1/services"_s);
    for (const QString& datei : maschine.entryList({u"*.service"_s}, QDir::Files)) {
        QFile dienst(maschine.filePath(datei));
        if (!dienst.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString name = nameZeile.match(QString::fromUtf8(dienst.readAll())).captured(1);
        if (!istPortal(name) && !ohneDienste.contains(name)) {
            QFile::link(maschine.filePath(datei), dienste + u'/' + datei);
        }
    }
}

} // namespace

QString sitzungsbusKonfiguration(const QString& verzeichnis, const QStringList& ohneDienste) {
    const QString dienste = verzeichnis + u"/dbus-dienste"_s;
    verlinkeDienste(dienste, ohneDienste);
    const QString pfad = verzeichnis + u"/dbus-sitzung.conf"_s;
    QFile konfiguration(pfad);
    if (!konfiguration.open(QIODevice::WriteOnly)) {
        return {};
    }
    konfiguration.write(
        uR"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <keep_umask/>
  <listen>unix:tmpdir=%1</listen>
  <auth>EXTERNAL</auth>
  <servicedir>%2</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)"_s.arg(verzeichnis, dienste)
            .toUtf8());
    return konfiguration.error() == QFile::NoError ? pfad : QString();
}

} // namespace parlix::test
