#include "core/audio/WAVKodierer.hpp"
#include "tests/app/coordinator/CoordinatorTestBasis.hpp"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace parlix;
using namespace parlix::test;
using namespace Qt::StringLiterals;

namespace {

class DebugKopieTest : public CoordinatorTestBasis {
protected:
    DebugKopieTest() {
        einstellungen.setzeAudioDebugSpeichern(true);
        transkriptIst("hallo");
        chatAntwortet(u"Hallo."_s);
        erstelle();
    }
    ~DebugKopieTest() override {
        for (const QString& pfad : pfade) {
            QFile::remove(pfad);
        }
    }

    // The names of the copies a run starting now may write.
    void merkePfade() {
        const qint64 jetzt = QDateTime::currentSecsSinceEpoch();
        for (qint64 s = jetzt; s < jetzt + 5; ++s) {
            pfade.append(u"/tmp/parlix_test_"_s + QString::number(s) + u".wav"_s);
        }
    }

    QStringList pfade;
};

TEST_F(DebugKopieTest, TheCopyIsAPrivateWAVFile) {
    merkePfade();
    const QList<QByteArray> chunks = sprache(1.0);
    diktiere(chunks);

    const auto geschrieben = std::find_if(pfade.cbegin(), pfade.cend(),
                                          [](const QString& p) { return QFile::exists(p); });
    ASSERT_NE(geschrieben, pfade.cend());
    QFile datei(*geschrieben);
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray wav = WAVKodierer::wav(chunks.join(), 16000, 1);
    EXPECT_EQ(datei.readAll(), wav);
    EXPECT_EQ(datei.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_TRUE(
        log.enthaelt(u"💾 DEBUG Test-Audio gespeichert: "_s + *geschrieben + u" (32044 Bytes)"_s));
}

TEST_F(DebugKopieTest, ALinkPlantedAtTheNameIsNotFollowed) {
    QTemporaryDir verzeichnis;
    const QString ziel = verzeichnis.filePath(u"fremd"_s);
    QFile fremd(ziel);
    ASSERT_TRUE(fremd.open(QIODevice::WriteOnly));
    fremd.write("unberührt");
    fremd.close();
    merkePfade();
    for (const QString& pfad : pfade) {
        ASSERT_TRUE(QFile::link(ziel, pfad));
    }

    diktiere(sprache(1.0));
    ASSERT_TRUE(fremd.open(QIODevice::ReadOnly));
    EXPECT_EQ(fremd.readAll(), "unberührt");
    // The run goes on; the failed write is only noted in the log line.
    EXPECT_EQ(eingefuegt().size(), 1);
    for (const QString& pfad : pfade) {
        EXPECT_TRUE(QFileInfo(pfad).isSymLink());
    }
}

} // namespace
