#include "app/platform/pulse/ChunkBildner.hpp"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace parlix {
namespace {

QByteArray zaehlmuster(qsizetype bytes) {
    QByteArray muster(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes; ++i) {
        muster[i] = static_cast<char>(i * 7 + 1);
    }
    return muster;
}

TEST(ChunkBildner, FormtGleichGrosseChunksAusStueckenJederGroesse) {
    std::vector<QByteArray> chunks;
    ChunkBildner bildner(6, [&](const QByteArray& chunk) { chunks.push_back(chunk); });
    const QByteArray eingabe = zaehlmuster(40);

    // A piece smaller than a chunk, one that completes it and spans two more, an odd
    // split in the middle of a sample, and a remainder that must wait.
    const qsizetype schnitte[] = {4, 15, 1, 12, 8};
    qsizetype pos = 0;
    for (qsizetype laenge : schnitte) {
        bildner.nimm(eingabe.constData() + pos, static_cast<std::size_t>(laenge));
        pos += laenge;
    }

    ASSERT_EQ(chunks.size(), 6U);
    QByteArray zusammen;
    for (const QByteArray& chunk : chunks) {
        EXPECT_EQ(chunk.size(), 6);
        zusammen += chunk;
    }
    EXPECT_EQ(zusammen, eingabe.left(36));

    bildner.nimm(eingabe.constData(), 2);
    ASSERT_EQ(chunks.size(), 7U);
    EXPECT_EQ(chunks.back(), eingabe.mid(36, 4) + eingabe.left(2));
}

TEST(ChunkBildner, LueckeWirdStilleUndGehaltenerChunkBleibtUnveraendert) {
    std::vector<QByteArray> chunks;
    ChunkBildner bildner(4, [&](const QByteArray& chunk) { chunks.push_back(chunk); });
    bildner.nimm("\x11\x22", 2);
    bildner.nimm(nullptr, 6);
    bildner.nimm("\x33\x44\x55\x66", 4);

    ASSERT_EQ(chunks.size(), 3U);
    EXPECT_EQ(chunks[0], QByteArray("\x11\x22\x00\x00", 4));
    EXPECT_EQ(chunks[1], QByteArray(4, '\0'));
    EXPECT_EQ(chunks[2], QByteArray("\x33\x44\x55\x66", 4));
}

TEST(ChunkBildner, VerlangtEineGeradePositiveGroesse) {
    EXPECT_THROW(ChunkBildner(3, nullptr), std::invalid_argument);
    EXPECT_THROW(ChunkBildner(0, nullptr), std::invalid_argument);
}

} // namespace
} // namespace parlix
