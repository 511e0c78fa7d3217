#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "source/BlockCoder.h"
#include "source/BlockDecoder.h"
#include "source/BlockStream.h"
#include "source/BlockTestData.h"

using BlockStream::Builder;

namespace {

std::vector<uint8_t> Coded(const std::vector<uint8_t>& block) {
    BlockCoder coder;
    const size_t n = block.size();
    const size_t len = coder.EncodeStream(block.data(), n, static_cast<uint32_t>(n / 4 - 1));
    return std::vector<uint8_t>(coder.Output(), coder.Output() + len);
}

// Decodes from and into buffers of exactly the given sizes, so that any access past them
// trips the address sanitizer.
bool Decode(BlockDecoder& decoder, const std::vector<uint8_t>& in, size_t n) {
    std::vector<uint8_t> exact(in);
    std::vector<uint8_t> out(n);
    return decoder.Decode(exact.data(), exact.size(), out.data(), n);
}

} // namespace

TEST(BlockDecoder, RejectsEveryTruncation) {
    BlockDecoder decoder;
    const auto small = Coded(BlockTestData::Text(3000, 1));
    ASSERT_TRUE(Decode(decoder, small, 3000));
    for (size_t len = 0; len < small.size(); ++len) {
        ASSERT_FALSE(
            Decode(decoder, std::vector<uint8_t>(small.begin(), small.begin() + len), 3000))
            << len;
    }
    const auto block = Coded(BlockTestData::RawSectors(BlockTestData::Text(32768, 2), 500));
    for (size_t len = 0; len < block.size(); len += 101) {
        ASSERT_FALSE(Decode(decoder, std::vector<uint8_t>(block.begin(), block.begin() + len),
                            BlockCoder::kRawBlockSize));
    }
}

TEST(BlockDecoder, RejectsMalformedTokens) {
    BlockDecoder decoder;
    const uint8_t a[8] = {'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'};
    // Sanity: a literal and a match on it make "aaaa".
    EXPECT_TRUE(Decode(decoder, Builder().Run(a, 1).N(0).Y(0).End().Bytes(), 4));
    // A match with no token before it, or reaching before the first token.
    EXPECT_FALSE(Decode(decoder, Builder().N(0).Y(0).End().Bytes(), 3));
    EXPECT_FALSE(Decode(decoder, Builder().Run(a, 1).N(0).Y(1).End().Bytes(), 4));
    EXPECT_FALSE(Decode(decoder, Builder().Run(a, 1).N(5).N(0).N(15).Y(255).End().Bytes(), 5));
    // Tokens that run past the block.
    EXPECT_FALSE(Decode(decoder, Builder().Run(a, 1).N(2).Y(0).End().Bytes(), 4));
    EXPECT_FALSE(Decode(decoder, Builder().Run(a, 5).End().Bytes(), 4));
    // Long-match codes 254 is no length; 255 is the end.
    EXPECT_FALSE(
        Decode(decoder, Builder().Run(a, 1).N(15).B(2, 3).Y(254).B(1, 0).Y(0).End().Bytes(), 284));
    // Ending short of the block, bytes after the end, a run with missing bytes.
    EXPECT_FALSE(Decode(decoder, Builder().Run(a, 3).End().Bytes(), 4));
    auto extra = Builder().Run(a, 4).End().Bytes();
    extra.push_back(0);
    EXPECT_FALSE(Decode(decoder, extra, 4));
    auto shortRun = Builder().Run(a, 8).Bytes();
    shortRun.resize(shortRun.size() - 1);
    EXPECT_FALSE(Decode(decoder, shortRun, 8));
}

TEST(BlockDecoder, SurvivesGarbageAndCorruption) {
    BlockDecoder decoder;
    std::mt19937 rng(42);
    for (int k = 0; k < 3000; ++k) {
        const auto junk = BlockTestData::Random(rng() % 700, static_cast<uint32_t>(k));
        Decode(decoder, junk, k % 2 ? BlockCoder::kRawBlockSize : 1 + rng() % 600);
    }
    // A valid stream with a few bytes changed: decoding may succeed or fail, never overrun.
    const auto text = BlockTestData::Text(BlockCoder::kCookedBlockSize, 3);
    const auto good = Coded(text);
    int accepted = 0;
    for (int k = 0; k < 400; ++k) {
        auto bad = good;
        for (int flips = 1 + k % 3; flips > 0; --flips) {
            bad[rng() % bad.size()] ^= static_cast<uint8_t>(1 + rng() % 255);
        }
        accepted += Decode(decoder, bad, text.size());
    }
    EXPECT_LT(accepted, 400);
    // The decoder is reusable after failures.
    std::vector<uint8_t> out(text.size());
    ASSERT_TRUE(decoder.Decode(good.data(), good.size(), out.data(), out.size()));
    EXPECT_EQ(out, text);
}
