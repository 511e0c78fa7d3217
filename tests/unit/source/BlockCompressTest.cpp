#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "source/BlockCompress.h"
#include "source/BlockTestData.h"

namespace {

size_t Compress2Size(const std::vector<uint8_t>& block, int level) {
    std::vector<uint8_t> out(BlockCompressor::kZlibBufferSize);
    uLongf len = static_cast<uLongf>(out.size());
    if (compress2(out.data(), &len, block.data(), static_cast<uLong>(block.size()), level) !=
        Z_OK) {
        return block.size();
    }
    return std::min<size_t>(len, block.size());
}

} // namespace

TEST(BlockCompress, ZlibSizesMatchCompress2) {
    using namespace BlockTestData;
    struct Sample {
        std::vector<uint8_t> block;
        bool raw;
    };
    const Sample samples[] = {
        {Text(32768, 1), false},  {RawSectors(Text(32768, 2), 16), true},
        {Pcm(37632, 3), true},    {std::vector<uint8_t>(32768), false},
        {Random(37632, 4), true},
    };
    BlockCompressor compressor;
    // Levels interleave as in an estimate, so kept streams must not carry state over.
    for (int round = 0; round < 2; ++round) {
        for (const Sample& s : samples) {
            for (int level : {1, 3, 6, 9, -1}) {
                EXPECT_EQ(compressor.CompressedSize(s.block.data(), s.raw,
                                                    BlockCompressor::kMethodZlib, level),
                          Compress2Size(s.block, level))
                    << level;
            }
        }
    }
}

TEST(BlockCompress, MethodsAndLimits) {
    using namespace BlockTestData;
    BlockCompressor compressor;
    BlockCoder coder;
    const auto text = RawSectors(Text(32768, 5), 100);
    EXPECT_EQ(compressor.CompressedSize(text.data(), true, BlockCompressor::kMethodBlockCoder, 0),
              coder.Encode(text.data(), text.size()));
    EXPECT_EQ(compressor.CompressedSize(text.data(), false, BlockCompressor::kMethodBlockCoder, 0),
              coder.Encode(text.data(), 32768));

    // Incompressible blocks count with their own size, whichever method.
    const auto random = Random(37632, 6);
    for (bool raw : {false, true}) {
        const size_t n = BlockCompressor::BlockSize(raw);
        EXPECT_EQ(compressor.CompressedSize(random.data(), raw, 1, 0), n);
        EXPECT_EQ(compressor.CompressedSize(random.data(), raw, 2, 1), n);
        EXPECT_EQ(compressor.CompressedSize(random.data(), raw, 2, 9), n);
        // No method, an unknown one, or a level zlib refuses: nothing gained.
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 0, 0), n);
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 3, 1), n);
        EXPECT_EQ(compressor.CompressedSize(text.data(), raw, 2, 10), n);
    }
}
