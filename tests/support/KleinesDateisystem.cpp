#include "tests/support/KleinesDateisystem.hpp"

#include "app/platform/KindProzess.hpp"

#include <QCoreApplication>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace parlix::test {

namespace {

constexpr const char* kMarke = "PARLIX_KLEINES_DATEISYSTEM";

} // namespace

bool KleinesDateisystem::imNamensraum() {
    return qEnvironmentVariableIsSet(kMarke);
}

void KleinesDateisystem::laufeImNamensraum() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = u"--gtest_filter="_s + QString::fromUtf8(test->test_suite_name()) +
                           u'.' + QString::fromUtf8(test->name());
    QStringList umgebung = QProcessEnvironment::systemEnvironment().toStringList();
    umgebung << QString::fromLatin1(kMarke) + u"=1"_s;
    QTemporaryFile fehler;
    ASSERT_TRUE(fehler.open());
    KindProzess kind(u"unshare"_s,
                     {u"--user"_s, u"--map-root-user"_s, u"--mount"_s,
                      QCoreApplication::applicationFilePath(), filter},
                     {.fehlerDatei = fehler.fileName(), .umgebung = umgebung});
    ASSERT_TRUE(kind.gestartet());
    const std::optional<int> ende = kind.warteAufEnde(std::chrono::minutes(2));
    const QString ausgabe =
        QString::fromUtf8(kind.lies(std::chrono::milliseconds(0)) + fehler.readAll());
    // Zero tests run would pass as well; the one test must have run and passed.
    EXPECT_TRUE(ende == 0 && ausgabe.contains(u"[  PASSED  ] 1 test."_s)) << ausgabe.toStdString();
}

KleinesDateisystem::KleinesDateisystem(qint64 bytes) {
    if (!imNamensraum()) {
        ADD_FAILURE() << "mounting needs the namespace of laufeImNamensraum()";
        return;
    }
    const QByteArray optionen = "size=" + QByteArray::number(bytes) + ",mode=0700";
    eingehaengt_ = ::mount("parlix", QFile::encodeName(ordner()).constData(), "tmpfs",
                           MS_NOSUID | MS_NODEV, optionen.constData()) == 0;
    const int fehler = errno;
    EXPECT_TRUE(eingehaengt_) << "mount: " << std::strerror(fehler);
}

KleinesDateisystem::~KleinesDateisystem() {
    if (eingehaengt_) {
        ::umount2(QFile::encodeName(ordner()).constData(), MNT_DETACH);
    }
}

void KleinesDateisystem::fuelle(qint64 frei) {
    // Never the disk below the folder.
    ASSERT_TRUE(eingehaengt_) << "no tmpfs mounted";
    QFile datei(fueller());
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (datei.write(block) == block.size()) {
    }
    ASSERT_TRUE(datei.resize(std::max<qint64>(0, datei.size() - frei)));
}

void KleinesDateisystem::leere() {
    QFile::remove(fueller());
}

QString KleinesDateisystem::fueller() const {
    return ordner() + u"/fueller"_s;
}

} // namespace parlix::test
