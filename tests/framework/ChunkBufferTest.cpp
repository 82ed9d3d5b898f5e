#include "framework/ChunkBuffer.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ChunkBuffer, LittleEndianLayout) {
    ChunkBuffer chunk;
    chunk.AppendInt32(11600);
    chunk.AppendDouble(1.0);
    chunk.AppendString("ab");
    const std::vector<uint8_t> expected = {0x50, 0x2d, 0,    0, 0, 0, 0, 0,   0,
                                           0,    0xf0, 0x3f, 2, 0, 0, 0, 'a', 'b'};
    ASSERT_EQ(chunk.Size(), static_cast<int>(expected.size()));
    EXPECT_EQ(std::vector<uint8_t>(chunk.Data(), chunk.Data() + chunk.Size()), expected);

    int32_t version = 0;
    double one = 0;
    char text[8];
    int pos = chunk.ReadInt32(0, &version);
    pos = chunk.ReadDouble(pos, &one);
    pos = chunk.ReadString(pos, text, sizeof text);
    EXPECT_EQ(version, 11600);
    EXPECT_EQ(one, 1.0);
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(pos, chunk.Size());
}

TEST(ChunkBuffer, ShortAndDamagedData) {
    ChunkBuffer chunk;
    chunk.AppendInt32(-1);  // a string of negative length
    chunk.AppendInt32(100); // a string running past the end
    double x = 7.0;
    EXPECT_EQ(chunk.ReadDouble(4, &x), -1);
    EXPECT_EQ(x, 7.0);
    EXPECT_EQ(chunk.ReadDouble(-1, &x), -1);

    char text[8] = "old";
    EXPECT_EQ(chunk.ReadString(0, text, sizeof text), 4);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(chunk.ReadString(4, text, sizeof text), -1);
    EXPECT_EQ(chunk.ReadString(6, text, sizeof text), -1);

    ChunkBuffer longText;
    longText.AppendString("a text longer than the buffer");
    EXPECT_EQ(longText.ReadString(0, text, sizeof text), longText.Size());
    EXPECT_STREQ(text, "a text ");
}
