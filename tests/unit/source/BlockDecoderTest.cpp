#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "source/BlockCoder.h"
#include "source/BlockDecoder.h"
#include "source/BlockTestData.h"

namespace {

std::vector<uint8_t> Coded(const std::vector<uint8_t>& block) {
    BlockCoder coder;
    const size_t n = block.size();
    const size_t len = coder.EncodeStream(block.data(), n, static_cast<uint32_t>(n / 4 - 1));
    return std::vector<uint8_t>(coder.Output(), coder.Output() + len);
}

// Decodes from and into buffers of exactly the given sizes, so that any access past them
// trips the address sanitizer.
bool Decode(BlockDecoder& decoder, std::vector<uint8_t> in, size_t n) {
    std::vector<uint8_t> out(n);
    return decoder.Decode(in.data(), in.size(), out.data(), n);
}

bool Decode(BlockDecoder& decoder, const char* items, size_t n) {
    return Decode(decoder, BlockTestData::Builder().Items(items).Bytes(), n);
}

} // namespace

TEST(BlockDecoder, RejectsMalformedStreams) {
    BlockDecoder decoder;
    EXPECT_TRUE(Decode(decoder, "Raa N0 Y1 E", 5));
    // Matches with no token before them or reaching before the first.
    EXPECT_FALSE(Decode(decoder, "N0 Y0 E", 3));
    EXPECT_FALSE(Decode(decoder, "Raa N0 Y2 E", 5));
    EXPECT_FALSE(Decode(decoder, "Raa N5 N0 N15 Y255 E", 6));
    // Tokens past the block, a long-match code that is no length (254), ending short of the
    // block, and a stream without its end.
    EXPECT_FALSE(Decode(decoder, "Raa N2 Y0 E", 6));
    EXPECT_FALSE(Decode(decoder, "Raaaaa E", 4));
    EXPECT_FALSE(Decode(decoder, "Ra N15 B2:3 Y254 B1:0 Y0 E", 284));
    EXPECT_FALSE(Decode(decoder, "Raaa E", 4));
    EXPECT_FALSE(Decode(decoder, "Raaaa", 4));
    // Bytes after the end, and every truncation of a real stream.
    auto stream = BlockTestData::Builder().Items("Raaaa E").Bytes();
    stream.push_back(0);
    EXPECT_FALSE(Decode(decoder, stream, 4));
    const auto text = BlockTestData::Text(3000, 1);
    stream = Coded(text);
    ASSERT_TRUE(Decode(decoder, stream, text.size()));
    for (size_t len = 0; len < stream.size(); ++len)
        ASSERT_FALSE(Decode(decoder, {stream.begin(), stream.begin() + len}, text.size())) << len;
}

TEST(BlockDecoder, SurvivesGarbageAndCorruption) {
    BlockDecoder decoder;
    std::mt19937 rng(42);
    for (int k = 0; k < 3000; ++k) {
        const auto junk = BlockTestData::Random(rng() % 700, static_cast<uint32_t>(k));
        Decode(decoder, junk, k % 2 ? BlockCoder::kRawBlockSize : 1 + rng() % 600);
    }
    // A valid stream with bytes changed or cut off: decoding may succeed or fail, never
    // overrun, and the decoder stays usable.
    const auto block = BlockTestData::RawSectors(BlockTestData::Text(32768, 2), 500);
    const auto good = Coded(block);
    for (int k = 0; k < 600; ++k) {
        auto bad = good;
        for (int flips = 1 + k % 3; flips > 0; --flips)
            bad[rng() % bad.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
        bad.resize(k % 4 ? bad.size() : rng() % bad.size());
        Decode(decoder, bad, block.size());
    }
    std::vector<uint8_t> out(block.size());
    ASSERT_TRUE(decoder.Decode(good.data(), good.size(), out.data(), out.size()));
    EXPECT_EQ(out, block);
}
