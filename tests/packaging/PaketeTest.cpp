#include "app/maintenance/Installation.hpp"
#include "app/maintenance/UpdateArchiv.hpp"
#include "app/maintenance/UpdatePaket.hpp"
#include "app/maintenance/Updater.hpp"
#include "app/platform/KindProzess.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parlix;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QByteArray lies(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
}

// scripts/package runs once over this build; the tests look at what it made.
class PaketeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ziel = new QTemporaryDir;
        KindProzess paket(
            QStringLiteral(PARLIX_QUELLVERZEICHNIS "/scripts/package"),
            {u"--bau"_s, QStringLiteral(PARLIX_BAUVERZEICHNIS), u"--ziel"_s, ziel->path(),
             u"--schluessel"_s,
             QStringLiteral(PARLIX_QUELLVERZEICHNIS
                            "/tests/app/maintenance/schluessel/test-privat.pem")},
            {.fehlerDatei = ziel->filePath(u"package.log"_s), .umgebung = std::nullopt});
        gelungen = paket.warteAufEnde(5min) == 0;
    }
    static void TearDownTestSuite() { delete ziel; }

    void SetUp() override {
        ASSERT_TRUE(gelungen) << lies(ziel->filePath(u"package.log"_s)).toStdString();
    }

    static QString paket(const QString& muster) {
        const QStringList namen = QDir(ziel->path()).entryList({muster}, QDir::Files);
        return namen.size() == 1 ? ziel->filePath(namen[0]) : QString();
    }

    static QString ausgabe(const QString& programm, const QStringList& argumente) {
        return QString::fromUtf8(KindProzess::ausgabe(programm, argumente, 60s).value_or("-"));
    }

    // The local backend Parlix starts from its own folder runs from there: its libraries
    // resolve and it explains itself.
    static void pruefeServer(const QString& bin) {
        const QString hilfe = ausgabe(bin + u"/parlix-server"_s, {u"--help"_s});
        EXPECT_TRUE(hilfe.contains(u"Reference backend for Parlix"_s)) << hilfe.toStdString();
    }

    static inline QTemporaryDir* ziel = nullptr;
    static inline bool gelungen = false;
    QTemporaryDir ordner;
    const QString version = u"Parlix "_s + Updater::aktuelleVersion() + u"\n"_s;
};

TEST_F(PaketeTest, TheDebianPackageInstallsTheProgramItsEntryAndIcon) {
    const QString deb = paket(u"parlix_*.deb"_s);
    ASSERT_FALSE(deb.isEmpty());
    const QString wurzel = ordner.filePath(u"wurzel"_s);
    ASSERT_EQ(KindProzess(u"dpkg"_s, {u"-x"_s, deb, wurzel}).warteAufEnde(60s), 0);

    EXPECT_EQ(ausgabe(wurzel + u"/usr/bin/parlix"_s, {u"--version"_s}), version);
    pruefeServer(wurzel + u"/usr/bin"_s);
    const QString abhaengig = ausgabe(u"dpkg-deb"_s, {u"-f"_s, deb, u"Depends"_s});
    EXPECT_TRUE(abhaengig.contains(u"libqt6core6"_s)) << abhaengig.toStdString();
    EXPECT_TRUE(abhaengig.contains(u"qt6-qpa-plugins"_s));
    const QString eintrag = wurzel + u"/usr/share/applications/com.orvand.parlix.desktop"_s;
    EXPECT_EQ(KindProzess(u"desktop-file-validate"_s, {eintrag}).warteAufEnde(10s), 0);
    // KWin grants its keys and window list to the program the entry names by its path.
    QFile eintragDatei(eintrag);
    ASSERT_TRUE(eintragDatei.open(QIODevice::ReadOnly));
    const QByteArray text = eintragDatei.readAll();
    EXPECT_TRUE(text.contains("\nExec=/usr/bin/parlix\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input,"
                              "org_kde_plasma_window_management\n"));
    EXPECT_TRUE(
        QFile::exists(wurzel + u"/usr/share/icons/hicolor/scalable/apps/com.orvand.parlix.svg"_s));
    // The package manager updates this installation, never the updater.
    EXPECT_FALSE(Installation::von(wurzel + u"/usr/bin/parlix"_s).ersetzbar);
}

TEST_F(PaketeTest, ThePerUserArchiveRunsWhereverItIsUnpacked) {
    const QString archiv = paket(u"parlix-*.tar.gz"_s);
    ASSERT_FALSE(archiv.isEmpty());
    const QString dort = ordner.filePath(u"Meine Programme"_s);
    QDir().mkpath(dort);
    ASSERT_EQ(KindProzess(u"tar"_s, {u"-xzf"_s, archiv, u"-C"_s, dort}).warteAufEnde(60s), 0);

    const QString programm = dort + u"/parlix/bin/parlix"_s;
    EXPECT_EQ(ausgabe(programm, {u"--version"_s}), version);
    EXPECT_TRUE(Installation::von(programm).ersetzbar);
    pruefeServer(dort + u"/parlix/bin"_s);

    // Unpacked into a prefix that holds other files, the folder is not Parlix's to replace.
    const QString praefix = ordner.filePath(u".local"_s);
    QDir().mkpath(praefix + u"/share/anderes"_s);
    ASSERT_TRUE(QFile(praefix + u"/share/anderes/daten"_s).open(QIODevice::WriteOnly));
    ASSERT_EQ(
        KindProzess(u"tar"_s, {u"-xzf"_s, archiv, u"-C"_s, praefix, u"--strip-components=1"_s})
            .warteAufEnde(60s),
        0);
    const Installation geteilt = Installation::von(praefix + u"/bin/parlix"_s);
    EXPECT_FALSE(geteilt.ersetzbar);
    EXPECT_EQ(geteilt.fremd, u"nicht von Parlix: share/anderes"_s);
}

TEST_F(PaketeTest, TheUpdateArchiveIsSignedWithThePinnedKey) {
    QFile zip(paket(u"parlix.zip"_s));
    ASSERT_TRUE(zip.open(QIODevice::ReadOnly));
    UpdateArchiv::entpacke(zip.readAll(), ordner.path());
    EXPECT_NO_THROW(
        UpdatePaket::pruefe(ordner.filePath(u"parlix"_s), UpdatePaket::herstellerSchluessel()));
    EXPECT_EQ(ausgabe(ordner.filePath(u"parlix/bin/parlix"_s), {u"--version"_s}), version);
}

// What scripts/package configures, without a key or with the test key: refused at once.
TEST(PaketbauTest, APackageBuildWithoutTheVendorsKeyDoesNotConfigure) {
    const QString testSchluessel = QStringLiteral(
        PARLIX_QUELLVERZEICHNIS "/tests/app/maintenance/schluessel/test-oeffentlich.pem");
    const struct {
        QStringList angabe;
        const char* meldung;
    } faelle[] = {
        {{}, "PARLIX_UPDATE_SCHLUESSEL is empty"},
        {{u"-DPARLIX_UPDATE_SCHLUESSEL="_s + testSchluessel}, "must not pin the test update key"},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.meldung);
        QTemporaryDir bau;
        KindProzess cmake(u"cmake"_s,
                          QStringList{u"-S"_s, QStringLiteral(PARLIX_QUELLVERZEICHNIS), u"-B"_s,
                                      bau.path(), u"-G"_s, u"Ninja"_s, u"-DPARLIX_PAKETBAU=ON"_s,
                                      u"-DPARLIX_TESTS=OFF"_s, u"-DPARLIX_BENCH=OFF"_s} +
                              fall.angabe,
                          {.fehlerDatei = bau.filePath(u"fehler.log"_s), .umgebung = std::nullopt});
        EXPECT_NE(cmake.warteAufEnde(2min), 0);
        const QString fehler = QString::fromUtf8(lies(bau.filePath(u"fehler.log"_s))).simplified();
        EXPECT_TRUE(fehler.contains(QLatin1String(fall.meldung))) << fehler.toStdString();
        EXPECT_FALSE(QFile::exists(bau.filePath(u"build.ninja"_s)));
    }
}

} // namespace
