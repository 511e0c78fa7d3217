#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "source/BlockCompress.h"
#include "source/BlockTestData.h"

TEST(BlockCompress, ZlibSizesMatchCompress2) {
    using namespace BlockTestData;
    const std::vector<uint8_t> blocks[] = {Text(32768, 1), RawSectors(Text(32768, 2), 16),
                                           Pcm(37632, 3), std::vector<uint8_t>(32768),
                                           Random(37632, 4)};
    BlockCompressor compressor;
    std::vector<uint8_t> out(BlockCompressor::kZlibBufferSize);
    // Levels interleave as in an estimate, so the kept streams must not carry state over.
    for (int round = 0; round < 2; ++round) {
        for (const auto& block : blocks) {
            for (int level : {1, 3, 6, 9, -1}) {
                uLongf len = static_cast<uLongf>(out.size());
                ASSERT_EQ(compress2(out.data(), &len, block.data(), block.size(), level), Z_OK);
                EXPECT_EQ(compressor.CompressedSize(block.data(), block.size() == 37632,
                                                    BlockCompressor::kMethodZlib, level),
                          std::min<size_t>(len, block.size()));
            }
        }
    }
}

TEST(BlockCompress, MethodsAndLimits) {
    using namespace BlockTestData;
    BlockCompressor compressor;
    BlockCoder coder;
    const auto text = RawSectors(Text(32768, 5), 100);
    const auto random = Random(37632, 6);
    for (bool raw : {false, true}) {
        const size_t n = BlockCompressor::BlockSize(raw);
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 1, 0), coder.Encode(text.data(), n));
        // Incompressible blocks count with their own size, whichever method; so do no
        // method, an unknown one and a level zlib refuses.
        EXPECT_EQ(compressor.CompressedSize(random.data(), raw, 1, 0), n);
        EXPECT_EQ(compressor.CompressedSize(random.data(), raw, 2, 1), n);
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 0, 0), n);
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 3, 1), n);
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 2, 10), n);
    }
}
