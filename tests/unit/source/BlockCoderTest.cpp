#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "source/BlockCoder.h"
#include "source/BlockDecoder.h"
#include "source/BlockTestData.h"

using BlockTestData::Builder;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

// The coder must produce exactly `expected`, and the decoder must restore `in` from it.
// Short inputs go through the unlimited entry with the cooked mask, full blocks through the
// block entry.
void ExpectStream(const std::vector<uint8_t>& in, const std::vector<uint8_t>& expected) {
    BlockCoder coder;
    const bool block =
        in.size() == BlockCoder::kCookedBlockSize || in.size() == BlockCoder::kRawBlockSize;
    const size_t len = block ? coder.Encode(in.data(), in.size())
                             : coder.EncodeStream(in.data(), in.size(), BlockTestData::kCookedMask);
    EXPECT_EQ(std::vector<uint8_t>(coder.Output(), coder.Output() + len), expected);
    BlockDecoder decoder;
    std::vector<uint8_t> out(in.size());
    EXPECT_TRUE(decoder.Decode(expected.data(), expected.size(), out.data(), out.size()));
    EXPECT_EQ(out, in);
}

void ExpectStream(const std::string& in, const std::string& items) {
    ExpectStream(Bytes(in), Builder().Items(items).Bytes());
}

// A pattern, a gap of literals, and the pattern again d token starts later: the literals,
// then `match` (or, when empty, literals all the way).
void ExpectRepeat(size_t len, uint32_t d, const std::string& match) {
    SCOPED_TRACE("L=" + std::to_string(len) + " d=" + std::to_string(d));
    const auto in = BlockTestData::PatternGapPattern(len, d + 1 - len, d);
    Builder b;
    b.Literals(in.data(), in.size() - (match.empty() ? 0 : len)).Items(match);
    ExpectStream(in, b.Items("E").Bytes());
}

} // namespace

TEST(BlockCoderStream, FewLiteralsThenEnd) {
    // Nibble word {12, 15}, bit word {0, 1, 1}, the bytes, then the end's 255.
    ExpectStream(Bytes("abc"), {0xFC, 0, 0, 0, 0x06, 0, 0, 0, 'a', 'b', 'c', 0xFF});
}

TEST(BlockCoderStream, LiteralRunForms) {
    const std::pair<size_t, const char*> forms[] = {
        {1, "N10"},      {2, "N11"},      {3, "N12 B1:0"},     {4, "N12 B1:1"},
        {5, "N13 B2:0"}, {6, "N13 B2:2"}, {7, "N13 B2:1"},     {8, "N13 B2:3"},
        {9, "N14 N0"},   {24, "N14 N15"}, {25, "N15 B2:1 Y0"}, {279, "N15 B2:1 Y254"}};
    for (const auto& [r, header] : forms) {
        SCOPED_TRACE(r);
        const auto in = BlockTestData::PatternGapPattern(0, r, static_cast<uint32_t>(r));
        ExpectStream(in, Builder().Items(header).Raw(in.data(), r).Items("E").Bytes());
    }
    // A run is cut at 279 and the rest starts a new one.
    const auto in = BlockTestData::PatternGapPattern(0, 300, 300);
    Builder b;
    b.Items("N15 B2:1 Y254").Raw(in.data(), 279).Items("N14 N12").Raw(&in[279], 21);
    ExpectStream(in, b.Items("E").Bytes());
}

TEST(BlockCoderStream, MatchForms) {
    ExpectRepeat(3, 40, "N0 Y40"); // near: d = 40
    ExpectRepeat(7, 40, "N8 B1:0 B1:0 Y40");
    ExpectRepeat(4, 300, "N5 N1 Y44"); // far: d = 300 = 0x12C
    ExpectRepeat(6, 300, "N7 B1:1 N1 Y44");
    ExpectRepeat(10, 300, "N9 B2:2 B1:1 N1 Y44");
    ExpectRepeat(11, 300, "N9 B2:1 B1:1 N1 Y44");
    ExpectRepeat(28, 300, "N15 B1:0 N15 B1:1 N1 Y44");
    ExpectRepeat(282, 300, "N15 B2:3 Y253 B1:1 N1 Y44");
    ExpectRepeat(3, 255, "N0 Y255"); // 3 bytes at 256 to 511 have their own form
    ExpectRepeat(3, 256, "N3 Y0");
    ExpectRepeat(3, 511, "N3 Y255");
    ExpectRepeat(3, 512, "N4 N2 Y0");
    ExpectRepeat(3, 4095, "N4 N15 Y255");
    ExpectRepeat(5, 4096, "N6 N0 N0 Y0");
    ExpectRepeat(6, 8191, "N7 B1:1 N0 N15 Y255");
    // A 3-byte match from 4096 on has no code; from 8192 on nothing matches.
    ExpectRepeat(3, 4096, "");
    ExpectRepeat(6, 8192, "");
}

TEST(BlockCoderStream, TokenDistances) {
    // A literal, then 3 or 4 bytes from the token just before (d = 0); 5 has no short form.
    ExpectStream("aaaa", "Ra N4 N0 E");
    ExpectStream("aaaaa", "Ra N4 N1 E");
    ExpectStream("aaaaaa", "Ra N2 Y0 E");
    // 282 is the longest match; the rest then matches the token before (d = 0 again).
    ExpectStream(std::string(300, 'a'), "Ra N15 B2:3 Y253 B1:0 Y0 N15 B1:0 N4 B1:0 Y0 E");
    // 307 bytes but 9 token starts between the two "ABCDEF": B..F, q, z and two matches.
    ExpectStream("ABCDEFq" + std::string(300, 'z') + "ABCDEF",
                 "RABCDEFqz N15 B2:3 Y253 B1:0 Y0 N15 B1:0 N4 B1:0 Y0 N7 B1:0 Y9 E");
}

TEST(BlockCoderStream, SecondCandidateWinsOnlyWhenLonger) {
    // The last "abcd" matches 3 bytes of "abcY" (d 1) but 4 of "abcd" (d 6).
    ExpectStream("abcdZabcYabcd", "RabcdZ N0 Y4 RY N1 Y6 E");
    // Equal prefixes: the nearer candidate stays.
    ExpectStream("abcXabcYabcZ", "RabcX N0 Y3 RY N0 Y1 RZ E");
    // "ABd" shares the bucket of "ABD" (8192 apart before the mask): the newest entry
    // matches 2 bytes only, so the previous one decides.
    ExpectStream("ABDxABdyABDx", "RABDxABdy N1 Y7 E");
}

TEST(BlockCoderStream, NibbleWordRollsOverAfterEight) {
    // Per letter a literal and a 3-byte match on it; the ninth nibble opens a word after 'c'.
    ExpectStream(Bytes("aaaabbbbccccdddd"),
                 {0x4A, 0xA0, 0x04, 0x4A, 'a', 'b', 'c', // nibbles 10 4 0 10 4 0 10 4
                  0xA0, 0x04, 0x0F, 0x00, 'd',           // nibbles 0 10 4 0 15
                  0x03, 0x00, 0x00, 0x00, 0xFF});        // end: bits 1 1
}

TEST(BlockCoderStream, BitWordSplitsAValue) {
    // A 4-literal run (1 bit) and eleven 282-byte matches of 'a' (3 bits each): the last
    // match's 2-bit code takes bit 31 of the first word and bit 0 of a new one.
    auto in = Bytes("xyz");
    in.insert(in.end(), 1 + 11 * 282, 'a');
    std::vector<uint8_t> expected = {0xFC, 0xFF, 0xFF, 0xFF, // nibbles 12, then 15 x 7
                                     0xB7, 0x6D, 0xDB, 0xB6, // 1, (1 1 0) x 10, 1
                                     'x',  'y',  'z',  'a'};
    for (int m = 0; m < 10; ++m) {
        if (m == 7) // the 8th match's nibble opens the second nibble word
            expected.insert(expected.end(), {0xFF, 0xFF, 0x0F, 0x00});
        expected.insert(expected.end(), {253, 0});
    }
    expected.insert(expected.end(), {0x0D, 0x00, 0x00, 0x00, 253, 0, 0xFF}); // 1, 0, end 1 1
    ExpectStream(in, expected);
}

TEST(BlockCoder, FullBlocks) {
    // Zeros: a literal, then 116 matches of 282 and one of 55 on the token before.
    const std::string zeroMatch = " N15 B2:3 Y253 B1:0 Y0";
    std::string items = "N10 Y0";
    for (int m = 0; m < 116; ++m)
        items += zeroMatch;
    const auto zeros = Builder().Items(items + " N15 B2:3 Y26 B1:0 Y0 E").Bytes();
    EXPECT_EQ(zeros.size(), 344u);
    ExpectStream(std::vector<uint8_t>(BlockCoder::kCookedBlockSize), zeros);

    // "ABD", "ABE" and "ABF" differ only in hash bits 8 and 9, which 9407 drops but 8191
    // keeps: in a raw block they fill one bucket and the repeat of "ABDQRS" is missed, so
    // only "BDQRS" is found, a token later and a byte shorter. Zeros follow.
    const std::string head = "ABDQRSABEtABFuABDQRS";
    auto withHead = [&](size_t n, std::string expected, int full, int last) {
        for (int m = 0; m < full; ++m)
            expected += zeroMatch;
        std::vector<uint8_t> v(n);
        std::copy(head.begin(), head.end(), v.begin());
        ExpectStream(v, Builder()
                            .Items(expected)
                            .Items("N15 B2:3 Y" + std::to_string(last - 29) + " B1:0 Y0 E")
                            .Bytes());
    };
    withHead(BlockCoder::kCookedBlockSize, "RABDQRSABEtABFu N7 B1:0 Y13 N10 Y0", 116, 35);
    withHead(BlockCoder::kRawBlockSize, "RABDQRSABEtABFuA N2 Y13 N10 Y0", 133, 105);
}

TEST(BlockCoder, ResultIsBlockSizeOnceCodingCannotGain) {
    // Half text, half noise: short prefixes code larger than themselves, longer ones gain.
    auto data = BlockTestData::Text(200, 1);
    const auto noise = BlockTestData::Random(200, 2);
    data.insert(data.end(), noise.begin(), noise.end());
    BlockCoder coder;
    int gains = 0;
    for (size_t n = 4; n <= data.size(); ++n) {
        const size_t full = coder.EncodeStream(data.data(), n, static_cast<uint32_t>(n / 4 - 1));
        ASSERT_EQ(coder.Encode(data.data(), n), full < n ? full : n) << n;
        gains += full < n;
    }
    EXPECT_GT(gains, 0);
    EXPECT_LT(gains, 397);
    EXPECT_EQ(coder.Encode(noise.data(), 3), 0u);
    EXPECT_EQ(coder.EncodeStream(noise.data(), 100, BlockCoder::kMaxBuckets), 0u);
}

TEST(BlockCoderRoundTrip, EveryKindOfBlock) {
    using namespace BlockTestData;
    auto mixed = Text(16384, 7);
    const auto noise = Random(16384, 8);
    mixed.insert(mixed.end(), noise.begin(), noise.end());
    const std::vector<uint8_t> blocks[] = {std::vector<uint8_t>(37632),
                                           Text(32768, 1),
                                           Text(37632, 2),
                                           mixed,
                                           RawSectors(Text(32768, 3), 1000),
                                           RawSectors(std::vector<uint8_t>(32768), 200000),
                                           Pcm(37632, 4),
                                           Random(37632, 6)};
    BlockCoder coder;
    BlockDecoder decoder;
    for (const auto& block : blocks) {
        SCOPED_TRACE(&block - blocks);
        const size_t n = block.size();
        const size_t full = coder.EncodeStream(block.data(), n, static_cast<uint32_t>(n / 4 - 1));
        const std::vector<uint8_t> stream(coder.Output(), coder.Output() + full);
        std::vector<uint8_t> out(n);
        ASSERT_TRUE(decoder.Decode(stream.data(), stream.size(), out.data(), n));
        EXPECT_EQ(out, block);
        // The block entry gives the same stream, or the block size when it does not gain.
        ASSERT_EQ(coder.Encode(block.data(), n), std::min(full, n));
        EXPECT_TRUE(full >= n || std::equal(stream.begin(), stream.end(), coder.Output()));
    }
    EXPECT_EQ(coder.Encode(blocks[7].data(), 37632), 37632u); // noise never gains
}
