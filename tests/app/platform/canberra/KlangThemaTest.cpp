#include "app/platform/canberra/KlangThema.hpp"

#include "tests/support/GesetzteUmgebung.hpp"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace parlix::test {
namespace {

class KlangThemaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(konfig_.isValid());
        umgebung_.setze("XDG_CONFIG_HOME", QFile::encodeName(konfig_.path()));
        umgebung_.setze("XDG_CONFIG_DIRS", QFile::encodeName(konfig_.filePath(u"leer"_s)));
        // gsettings reads a plain key file here instead of the session's dconf.
        umgebung_.setze("GSETTINGS_BACKEND", "keyfile");
        umgebung_.setze("XDG_CURRENT_DESKTOP", "GNOME");
    }

    void schreibe(const QString& relativ, const QByteArray& inhalt) {
        const QString pfad = konfig_.filePath(relativ);
        QDir().mkpath(QFileInfo(pfad).absolutePath());
        QFile datei(pfad);
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        datei.write(inhalt);
    }

    QTemporaryDir konfig_;
    GesetzteUmgebung umgebung_;
};

TEST_F(KlangThemaTest, OhneEinstellungGiltFreedesktop) {
    EXPECT_EQ(KlangThema::ermittle(), u"freedesktop"_s);
}

TEST_F(KlangThemaTest, FolgtDerGnomeEinstellung) {
    schreibe(u"glib-2.0/settings/keyfile"_s, "[org/gnome/desktop/sound]\ntheme-name='Yaru'\n");
    EXPECT_EQ(KlangThema::ermittle(), u"Yaru"_s);
}

TEST_F(KlangThemaTest, FolgtAufPlasmaDerKdeEinstellung) {
    schreibe(u"glib-2.0/settings/keyfile"_s, "[org/gnome/desktop/sound]\ntheme-name='Yaru'\n");
    schreibe(u"kdeglobals"_s, "[General]\nColorScheme=BreezeDark\n\n[Sounds]\nTheme=ocean\n");
    umgebung_.setze("XDG_CURRENT_DESKTOP", "KDE");
    EXPECT_EQ(KlangThema::ermittle(), u"ocean"_s);

    // Plasma without a choice of its own falls back to the shared setting.
    schreibe(u"kdeglobals"_s, "[General]\nColorScheme=BreezeDark\n");
    EXPECT_EQ(KlangThema::ermittle(), u"Yaru"_s);
}

} // namespace
} // namespace parlix::test
