#include "core/audio/WAVKodierer.hpp"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace parlix;

namespace {

quint32 u32(const QByteArray& datei, qsizetype offset) {
    return qFromLittleEndian<quint32>(datei.constData() + offset);
}
quint16 u16(const QByteArray& datei, qsizetype offset) {
    return qFromLittleEndian<quint16>(datei.constData() + offset);
}

TEST(WAVKodiererTest, EveryHeaderFieldThenThePcmUnchanged) {
    const QByteArray pcm("\x01\x80\xff\x7f\x00\x00\x34\x12", 8);
    const QByteArray datei = WAVKodierer::wav(pcm, 16000, 1);
    ASSERT_EQ(datei.size(), 52);
    EXPECT_EQ(datei.first(4), QByteArray("RIFF"));
    EXPECT_EQ(u32(datei, 4), 44u);
    EXPECT_EQ(datei.sliced(8, 4), QByteArray("WAVE"));
    EXPECT_EQ(datei.sliced(12, 4), QByteArray("fmt "));
    EXPECT_EQ(u32(datei, 16), 16u);
    EXPECT_EQ(u16(datei, 20), 1u);
    EXPECT_EQ(u16(datei, 22), 1u);
    EXPECT_EQ(u32(datei, 24), 16000u);
    EXPECT_EQ(u32(datei, 28), 32000u);
    EXPECT_EQ(u16(datei, 32), 2u);
    EXPECT_EQ(u16(datei, 34), 16u);
    EXPECT_EQ(datei.sliced(36, 4), QByteArray("data"));
    EXPECT_EQ(u32(datei, 40), 8u);
    EXPECT_EQ(datei.sliced(44), pcm);

    const QByteArray stereo = WAVKodierer::wav(pcm, 44100, 2);
    EXPECT_EQ(u16(stereo, 22), 2u);
    EXPECT_EQ(u32(stereo, 24), 44100u);
    EXPECT_EQ(u32(stereo, 28), 176400u);
    EXPECT_EQ(u16(stereo, 32), 4u);
}

TEST(WAVKodiererTest, EmptyPcmIsExactlyTheHeader) {
    const QByteArray datei = WAVKodierer::wav(QByteArray(), 16000, 1);
    EXPECT_EQ(datei, WAVKodierer::kopf(0, 16000, 1));
    ASSERT_EQ(datei.size(), 44);
    EXPECT_EQ(u32(datei, 4), 36u);
    EXPECT_EQ(u32(datei, 40), 0u);
}

TEST(WAVKodiererTest, OddPcmGetsThePadByteOutsideTheDataSize) {
    const QByteArray pcm("\x01\x02\x03", 3);
    const QByteArray datei = WAVKodierer::wav(pcm, 16000, 1);
    ASSERT_EQ(datei.size(), 48);
    EXPECT_EQ(u32(datei, 4), 40u); // what follows the RIFF size field, pad byte included
    EXPECT_EQ(u32(datei, 40), 3u);
    EXPECT_EQ(datei.sliced(44), QByteArray("\x01\x02\x03\x00", 4));
}

TEST(WAVKodiererTest, FieldsAreExactUpToTheirLimitsAndRefusedBeyond) {
    constexpr qint64 max32 = 0xFFFFFFFF;
    // The largest file: the size fields at their limits, not wrapped around. RIFF sizes
    // are even (data is padded to even), so the largest is 2^32 - 2.
    const QByteArray groesste = WAVKodierer::kopf(max32 - 37, 16000, 1);
    ASSERT_EQ(groesste.size(), 44);
    EXPECT_EQ(u32(groesste, 4), max32 - 1);
    EXPECT_EQ(u32(groesste, 40), max32 - 37);
    EXPECT_EQ(u32(WAVKodierer::kopf(max32 - 38, 16000, 1), 4), max32 - 1);
    EXPECT_TRUE(WAVKodierer::kopf(max32 - 36, 16000, 1).isEmpty()); // the pad byte is too many
    EXPECT_TRUE(WAVKodierer::kopf(max32 - 35, 16000, 1).isEmpty());
    EXPECT_TRUE(WAVKodierer::kopf(-2, 16000, 1).isEmpty());

    // Byte rate and block alignment beyond 31 bits but within their fields are exact.
    const QByteArray schnell = WAVKodierer::kopf(0, 0x3FFFFFFF, 2);
    ASSERT_EQ(schnell.size(), 44);
    EXPECT_EQ(u32(schnell, 28), 0xFFFFFFFCu);
    EXPECT_EQ(u16(schnell, 32), 4u);
    EXPECT_EQ(u16(WAVKodierer::kopf(0, 1, 32767), 32), 65534u);
    EXPECT_TRUE(WAVKodierer::kopf(0, 0x40000000, 2).isEmpty());
    EXPECT_TRUE(WAVKodierer::kopf(0, 1, 32768).isEmpty());
    EXPECT_TRUE(WAVKodierer::wav(QByteArray(4, '\0'), 1, 40000).isEmpty());
}

} // namespace
