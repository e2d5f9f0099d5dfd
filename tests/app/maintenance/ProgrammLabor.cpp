#include "tests/app/maintenance/ProgrammLabor.hpp"

#include "app/maintenance/Installation.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace parlix::test {

ProgrammLabor::ProgrammLabor() {
    umgebung_.setze("PARLIX_TEST_MARKE", QFile::encodeName(pfad(u"marken"_s)));
}

QString ProgrammLabor::pfad(const QString& relativ) const {
    return relativ.isEmpty() ? ordner_.path() : ordner_.filePath(relativ);
}

void ProgrammLabor::datei(const QString& pfad, const QByteArray& inhalt) {
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) < 0) {
        throw std::runtime_error("Datei nicht schreibbar: " + pfad.toStdString());
    }
}

void ProgrammLabor::skript(const QString& pfad, const QByteArray& rumpf) {
    datei(pfad, "#!/bin/sh\n" + rumpf);
    if (!QFile::setPermissions(pfad, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner)) {
        throw std::runtime_error("Skript nicht ausführbar: " + pfad.toStdString());
    }
}

void ProgrammLabor::programmOrdner(const QString& ordner, const QString& version) const {
    const QDir dir(ordner);
    skript(dir.filePath(QLatin1String(Installation::programm)),
           "echo " + version.toUtf8() + " >> \"$PARLIX_TEST_MARKE\"\n");
    datei(dir.filePath(QLatin1String(Installation::kennung)), {});
    datei(dir.filePath(QLatin1String(Installation::versionDatei)), version.toUtf8() + '\n');
}

void ProgrammLabor::zeugenSkript(const QString& pfad, qint64 pid) const {
    skript(pfad,
           "printf '%s\\n' \"$0\" \"$@\" >> \"$PARLIX_TEST_MARKE\"\n"
           "if kill -0 " +
               QByteArray::number(pid) +
               " 2>/dev/null; then echo lebt; else echo frei; fi >> \"$PARLIX_TEST_MARKE\"\n");
}

QStringList ProgrammLabor::marken() const {
    return QString::fromUtf8(liesDatei(pfad(u"marken"_s))).split(u'\n', Qt::SkipEmptyParts);
}

bool ProgrammLabor::warteAufMarken(qsizetype anzahl, std::chrono::milliseconds frist) const {
    return QTest::qWaitFor([&] { return marken().size() >= anzahl; },
                           static_cast<int>(frist.count()));
}

QByteArray ProgrammLabor::liesDatei(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

QByteArray ProgrammLabor::testSchluessel(const char* name) {
    return liesDatei(QStringLiteral(PARLIX_QUELLVERZEICHNIS "/tests/app/maintenance/schluessel/") +
                     QLatin1String(name));
}

} // namespace parlix::test
