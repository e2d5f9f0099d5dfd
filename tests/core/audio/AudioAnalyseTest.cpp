#include "core/audio/AudioAnalyse.hpp"

#include <QList>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

using namespace parlix;

namespace {

// `proben` samples alternating between +amplitude and -amplitude: the RMS and the peak
// are exactly amplitude / 32768.
QByteArray rechteck(qint16 amplitude, qsizetype proben) {
    QByteArray pcm(proben * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < proben; ++i) {
        const qint16 wert = (i % 2 == 0) ? amplitude : static_cast<qint16>(-amplitude);
        qToLittleEndian(wert, pcm.data() + 2 * i);
    }
    return pcm;
}

TEST(AudioAnalyseTest, TooLittleAudioOrNoRateIsSilence) {
    const QByteArray laut = rechteck(20000, 16000);
    const QList<std::pair<QByteArray, int>> faelle = {
        {QByteArray(), 16000}, {QByteArray(1, '\x7f'), 16000}, {laut, 0}, {laut, -16000}};
    for (const auto& [pcm, rate] : faelle) {
        SCOPED_TRACE(testing::Message() << pcm.size() << " bytes at " << rate);
        const auto m = AudioAnalyse::messen(pcm, rate);
        EXPECT_EQ(m.dauer, 0.0);
        EXPECT_EQ(m.rms, 0.0);
        EXPECT_EQ(m.spitze, 0.0);
        EXPECT_FALSE(AudioAnalyse::hatSprache(pcm, rate, 0.3, 0.006));
        EXPECT_FALSE(AudioAnalyse::hatSprache(pcm, rate, 0.0, 0.001));
        EXPECT_TRUE(AudioAnalyse::hatSprache(pcm, rate, 0.0, 0.0));
        EXPECT_TRUE(AudioAnalyse::hatSprache(pcm, rate, -1.0, -1.0));
    }
}

TEST(AudioAnalyseTest, FullScaleSamplesAndTheOddTrailingByte) {
    const auto minimum = AudioAnalyse::messen(QByteArray("\x00\x80", 2), 16000);
    EXPECT_EQ(minimum.rms, 1.0);
    EXPECT_EQ(minimum.spitze, 1.0);
    EXPECT_EQ(minimum.dauer, 1.0 / 16000);
    const auto maximum = AudioAnalyse::messen(QByteArray("\xff\x7f", 2), 16000);
    EXPECT_EQ(maximum.rms, 32767.0 / 32768);
    EXPECT_EQ(maximum.spitze, 32767.0 / 32768);
    // The odd last byte would read as a loud sample if it were not ignored.
    const auto ungerade = AudioAnalyse::messen(rechteck(0, 3) + '\x80', 2);
    EXPECT_EQ(ungerade.dauer, 1.5);
    EXPECT_EQ(ungerade.rms, 0.0);
    EXPECT_EQ(ungerade.spitze, 0.0);
}

TEST(AudioAnalyseTest, MeasuresLongMixedRecordingsExactly) {
    // One minute at full scale then one minute of silence: no precision lost on the way.
    const QByteArray pcm = rechteck(-32768, 960000) + rechteck(0, 960000);
    const auto m = AudioAnalyse::messen(pcm, 16000);
    EXPECT_EQ(m.dauer, 120.0);
    EXPECT_DOUBLE_EQ(m.rms, std::sqrt(0.5));
    EXPECT_EQ(m.spitze, 1.0);
}

TEST(AudioAnalyseTest, SpeechThresholdsAreInclusive) {
    // 0.006 of full scale lies between the amplitudes 196 and 197.
    EXPECT_TRUE(AudioAnalyse::hatSprache(rechteck(197, 4800), 16000, 0.3, 0.006));
    EXPECT_FALSE(AudioAnalyse::hatSprache(rechteck(196, 4800), 16000, 0.3, 0.006));
    // 4799 samples are 0.2999375 s; the odd byte does not make up for it.
    EXPECT_FALSE(AudioAnalyse::hatSprache(rechteck(20000, 4799), 16000, 0.3, 0.006));
    EXPECT_FALSE(AudioAnalyse::hatSprache(rechteck(20000, 4799) + 'x', 16000, 0.3, 0.006));
    // Exactly at both thresholds.
    EXPECT_TRUE(AudioAnalyse::hatSprache(rechteck(256, 4800), 16000, 0.3, 256.0 / 32768));
    EXPECT_FALSE(AudioAnalyse::hatSprache(rechteck(255, 4800), 16000, 0.3, 256.0 / 32768));
    EXPECT_TRUE(AudioAnalyse::hatSprache(rechteck(256, 8000), 16000, 0.5, 0.0));
    EXPECT_FALSE(AudioAnalyse::hatSprache(rechteck(256, 8000), 16000, std::nan(""), 0.0));
}

TEST(AudioAnalyseTest, RecognisesHallucinations) {
    const QList<std::pair<QString, bool>> faelle = {
        {QString(), true},
        {QStringLiteral(" \n\t "), true},
        {QStringLiteral("Untertitel im Auftrag des ZDF, 2021"), false},
        {QStringLiteral("UNTERTITEL DER Amara.org-Community"), true},
        {QStringLiteral("Untertitel der Amara-Community"), true},
        {QStringLiteral("Untertitelung des NDR"), true},
        {QStringLiteral("Mehr auf AMARA.ORG"), true},
        {QStringLiteral("www.beispiel"), true},
        {QStringLiteral("HTTP"), true},
        {QStringLiteral("https://x.y"), true},
        {QStringLiteral(" beispiel.DE\n"), true},
        {QStringLiteral("beispiel.com"), true},
        {QStringLiteral("wikipedia.org"), true},
        {QStringLiteral("siehe beispiel.de"), false},
        {QStringLiteral("Danke."), false},
        {QStringLiteral("Hallo"), false},
        {QStringLiteral("ÜBER.DE"), true},
        // Only a plain space separates words: a no-break space keeps it one word.
        {QStringLiteral("siehe\u00a0beispiel.de"), true},
    };
    for (const auto& [text, erwartet] : faelle) {
        EXPECT_EQ(AudioAnalyse::istHalluzination(text), erwartet) << text.toStdString();
    }
}

TEST(AudioAnalyseTest, LevelOfAChunkRisesSteeplyAndSaturates) {
    EXPECT_FALSE(AudioAnalyse::pegel(QByteArray()).has_value());
    EXPECT_FALSE(AudioAnalyse::pegel(QByteArray(1, '\x7f')).has_value());
    EXPECT_EQ(AudioAnalyse::pegel(rechteck(0, 1365)), 0.0f);
    // RMS 1/64: (8/64)^0.7 = 2^-2.1.
    EXPECT_FLOAT_EQ(*AudioAnalyse::pegel(rechteck(512, 1365)), 0.23325825f);
    EXPECT_FLOAT_EQ(*AudioAnalyse::pegel(rechteck(512, 1365) + '\x7f'), 0.23325825f);
    EXPECT_EQ(AudioAnalyse::pegel(rechteck(4096, 1365)), 1.0f);
    EXPECT_EQ(AudioAnalyse::pegel(rechteck(-32768, 1365)), 1.0f);
}

} // namespace
