#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "source/BlockCoder.h"
#include "source/BlockDecoder.h"
#include "source/BlockStream.h"
#include "source/BlockTestData.h"

using BlockStream::Builder;
using BlockStream::kCookedMask;
using BlockStream::PatternGapPattern;

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
                             : coder.EncodeStream(in.data(), in.size(), kCookedMask);
    EXPECT_EQ(std::vector<uint8_t>(coder.Output(), coder.Output() + len), expected);
    BlockDecoder decoder;
    std::vector<uint8_t> out(in.size());
    EXPECT_TRUE(decoder.Decode(expected.data(), expected.size(), out.data(), out.size()));
    EXPECT_EQ(out, in);
}

// Items after a match header or in a literal-run header, written as in the format's tables.
struct Item {
    char kind; // 'N' nibble, '1' or '2' bits, 'Y' byte
    uint32_t v;
};

void Put(Builder& b, const std::vector<Item>& items) {
    for (const Item& it : items) {
        if (it.kind == 'N') {
            b.N(it.v);
        } else if (it.kind == 'Y') {
            b.Y(it.v);
        } else {
            b.B(it.kind - '0', it.v);
        }
    }
}

// P, a gap, and P again: literals up to the repeat, then the expected match token.
void ExpectRepeat(size_t len, uint32_t d, const std::vector<Item>& match) {
    SCOPED_TRACE("L=" + std::to_string(len) + " d=" + std::to_string(d));
    const auto in = PatternGapPattern(len, d + 1 - len, d);
    Builder b;
    if (match.empty()) { // no match allowed: all literals
        b.Literals(in.data(), in.size());
    } else {
        b.Literals(in.data(), in.size() - len);
        Put(b, match);
    }
    ExpectStream(in, b.End().Bytes());
}

} // namespace

TEST(BlockCoderStream, FewLiteralsThenEnd) {
    // Nibble word {12, 15}, bit word {0, 1, 1}, the bytes, then the end's 255.
    ExpectStream(Bytes("abc"), {0xFC, 0, 0, 0, 0x06, 0, 0, 0, 'a', 'b', 'c', 0xFF});
}

TEST(BlockCoderStream, LiteralRunForms) {
    const std::vector<std::pair<size_t, std::vector<Item>>> forms = {
        {1, {{'N', 10}}},
        {2, {{'N', 11}}},
        {3, {{'N', 12}, {'1', 0}}},
        {4, {{'N', 12}, {'1', 1}}},
        {5, {{'N', 13}, {'2', 0}}},
        {6, {{'N', 13}, {'2', 2}}},
        {7, {{'N', 13}, {'2', 1}}},
        {8, {{'N', 13}, {'2', 3}}},
        {9, {{'N', 14}, {'N', 0}}},
        {24, {{'N', 14}, {'N', 15}}},
        {25, {{'N', 15}, {'2', 1}, {'Y', 0}}},
        {279, {{'N', 15}, {'2', 1}, {'Y', 254}}},
    };
    for (const auto& [r, header] : forms) {
        SCOPED_TRACE(r);
        const auto in = BlockStream::Distinct(r, static_cast<uint32_t>(r));
        Builder b;
        Put(b, header);
        ExpectStream(in, b.Raw(in.data(), r).End().Bytes());
    }
    // A run is cut at 279 and the rest starts a new one.
    const auto in = BlockStream::Distinct(300, 300);
    Builder b;
    Put(b, {{'N', 15}, {'2', 1}, {'Y', 254}});
    b.Raw(in.data(), 279);
    Put(b, {{'N', 14}, {'N', 12}});
    ExpectStream(in, b.Raw(in.data() + 279, 21).End().Bytes());
}

TEST(BlockCoderStream, MatchLengthForms) {
    // Near: d = 40.
    ExpectRepeat(3, 40, {{'N', 0}, {'Y', 40}});
    ExpectRepeat(4, 40, {{'N', 1}, {'Y', 40}});
    ExpectRepeat(5, 40, {{'N', 2}, {'Y', 40}});
    ExpectRepeat(6, 40, {{'N', 7}, {'1', 0}, {'Y', 40}});
    ExpectRepeat(7, 40, {{'N', 8}, {'1', 0}, {'1', 0}, {'Y', 40}});
    ExpectRepeat(12, 40, {{'N', 9}, {'2', 3}, {'1', 0}, {'Y', 40}});
    ExpectRepeat(13, 40, {{'N', 15}, {'1', 0}, {'N', 0}, {'1', 0}, {'Y', 40}});
    ExpectRepeat(28, 40, {{'N', 15}, {'1', 0}, {'N', 15}, {'1', 0}, {'Y', 40}});
    // Far: d = 300 = 0x12C, high nibble 1 and low byte 44.
    ExpectRepeat(3, 300, {{'N', 3}, {'Y', 44}});
    ExpectRepeat(4, 300, {{'N', 5}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(5, 300, {{'N', 6}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(6, 300, {{'N', 7}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(7, 300, {{'N', 8}, {'1', 0}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(8, 300, {{'N', 8}, {'1', 1}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(9, 300, {{'N', 9}, {'2', 0}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(10, 300, {{'N', 9}, {'2', 2}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(11, 300, {{'N', 9}, {'2', 1}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(12, 300, {{'N', 9}, {'2', 3}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(20, 300, {{'N', 15}, {'1', 0}, {'N', 7}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(29, 300, {{'N', 15}, {'2', 3}, {'Y', 0}, {'1', 1}, {'N', 1}, {'Y', 44}});
    ExpectRepeat(282, 300, {{'N', 15}, {'2', 3}, {'Y', 253}, {'1', 1}, {'N', 1}, {'Y', 44}});
}

TEST(BlockCoderStream, DistanceForms) {
    ExpectRepeat(3, 255, {{'N', 0}, {'Y', 255}});
    ExpectRepeat(3, 256, {{'N', 3}, {'Y', 0}});
    ExpectRepeat(3, 511, {{'N', 3}, {'Y', 255}});
    ExpectRepeat(3, 512, {{'N', 4}, {'N', 2}, {'Y', 0}});
    ExpectRepeat(3, 1000, {{'N', 4}, {'N', 3}, {'Y', 232}});
    ExpectRepeat(3, 4095, {{'N', 4}, {'N', 15}, {'Y', 255}});
    ExpectRepeat(4, 256, {{'N', 5}, {'N', 1}, {'Y', 0}});
    ExpectRepeat(4, 4096, {{'N', 5}, {'N', 0}, {'N', 0}, {'Y', 0}});
    ExpectRepeat(4, 5000, {{'N', 5}, {'N', 0}, {'N', 3}, {'Y', 136}});
    ExpectRepeat(6, 8191, {{'N', 7}, {'1', 1}, {'N', 0}, {'N', 15}, {'Y', 255}});
    // A far 3-byte match would not pay; beyond the window nothing matches.
    ExpectRepeat(3, 4096, {});
    ExpectRepeat(3, 6000, {});
    ExpectRepeat(6, 8192, {});
}

TEST(BlockCoderStream, NearestTokenForms) {
    const uint8_t a = 'a';
    // "aaaa": a literal, then 3 bytes from the token just before (d = 0).
    ExpectStream(Bytes("aaaa"), Builder().Run(&a, 1).N(4).N(0).End().Bytes());
    ExpectStream(Bytes("aaaaa"), Builder().Run(&a, 1).N(4).N(1).End().Bytes());
    // Length 5 has no short form for d = 0.
    ExpectStream(Bytes("aaaaaa"), Builder().Run(&a, 1).N(2).Y(0).End().Bytes());
    // 282 is the longest match; what is left after it matches its start (d = 0 again).
    const auto longest = Builder().Run(&a, 1).N(15).B(2, 3).Y(253).B(1, 0).Y(0);
    ExpectStream(std::vector<uint8_t>(283, 'a'), Builder(longest).End().Bytes());
    ExpectStream(std::vector<uint8_t>(300, 'a'),
                 Builder(longest).N(15).B(1, 0).N(4).B(1, 0).Y(0).End().Bytes());
}

TEST(BlockCoderStream, DistanceCountsTokensNotBytes) {
    // 307 bytes but only 9 token starts lie between the two "ABCDEF": B..F, q, z and the
    // two matches that cover the rest of the z's.
    const auto in = Bytes("ABCDEFq" + std::string(300, 'z') + "ABCDEF");
    Builder b;
    b.Run(in.data(), 8);
    b.N(15).B(2, 3).Y(253).B(1, 0).Y(0); // 282 z's
    b.N(15).B(1, 0).N(4).B(1, 0).Y(0);   // 17 z's
    b.N(7).B(1, 0).Y(9);                 // ABCDEF, d = 9
    ExpectStream(in, b.End().Bytes());
}

TEST(BlockCoderStream, SecondCandidateWinsOnlyWhenLonger) {
    {
        // The last "abcd" matches 3 bytes of "abcY" (d 1) but 4 of "abcd" (d 6).
        const auto in = Bytes("abcdZabcYabcd");
        ExpectStream(
            in,
            Builder().Run(in.data(), 5).N(0).Y(4).Run(in.data() + 8, 1).N(1).Y(6).End().Bytes());
    }
    {
        // Equal prefixes: the nearer candidate stays.
        const auto in = Bytes("abcXabcYabcZ");
        ExpectStream(in, Builder()
                             .Run(in.data(), 4)
                             .N(0)
                             .Y(3)
                             .Run(in.data() + 7, 1)
                             .N(0)
                             .Y(1)
                             .Run(in.data() + 11, 1)
                             .End()
                             .Bytes());
    }
    {
        // "ABd" shares the bucket of "ABD" (they differ by 8192 before masking): the newest
        // entry matches only 2 bytes, so the previous one decides.
        const auto in = Bytes("ABDxABdyABDx");
        ExpectStream(in, Builder().Run(in.data(), 8).N(1).Y(7).End().Bytes());
    }
}

TEST(BlockCoderStream, NibbleWordRollsOverAfterEight) {
    // Each letter: a literal and a 3-byte match on it. The ninth nibble (the last match's
    // second) opens a new word right after 'c'.
    ExpectStream(Bytes("aaaabbbbccccdddd"), {0x4A, 0xA0, 0x04, 0x4A, // 10 4 0 10 4 0 10 4
                                             'a', 'b', 'c',          //
                                             0xA0, 0x04, 0x0F, 0x00, // 0 10 4 0 15
                                             'd',                    //
                                             0x03, 0x00, 0x00, 0x00, // end: 1 1
                                             0xFF});
}

TEST(BlockCoderStream, BitWordSplitsAValue) {
    // A 4-literal run (1 bit) and eleven 282-byte matches (3 bits each) of 'a': the 11th
    // match's 2-bit code gets bit 31 of the first word and bit 0 of a new word, reserved
    // after the second nibble word.
    auto in = Bytes("xyz");
    in.insert(in.end(), 1 + 11 * 282, 'a');
    std::vector<uint8_t> expected = {0xFC, 0xFF, 0xFF, 0xFF, // nibbles 12, then 15 x 7
                                     0xB7, 0x6D, 0xDB, 0xB6, // 1, (1 1 0) x 10, 1
                                     'x',  'y',  'z',  'a'};
    for (int m = 0; m < 7; ++m) {
        expected.insert(expected.end(), {253, 0});
    }
    expected.insert(expected.end(), {0xFF, 0xFF, 0x0F, 0x00}); // nibbles 15 x 5
    for (int m = 7; m < 10; ++m) {
        expected.insert(expected.end(), {253, 0});
    }
    expected.insert(expected.end(), {0x0D, 0x00, 0x00, 0x00}); // 1, 0, end 1 1
    expected.insert(expected.end(), {253, 0, 0xFF});
    ExpectStream(in, expected);
}

TEST(BlockCoder, ZeroBlocks) {
    // One literal, then 116 matches of 282 and one of 55 on the token before.
    std::vector<uint8_t> zeros(BlockCoder::kCookedBlockSize);
    Builder b;
    b.Run(zeros.data(), 1);
    for (int m = 0; m < 116; ++m) {
        b.N(15).B(2, 3).Y(253).B(1, 0).Y(0);
    }
    b.N(15).B(2, 3).Y(55 - 29).B(1, 0).Y(0);
    ASSERT_EQ(b.End().Bytes().size(), 344u);
    ExpectStream(zeros, b.Bytes());

    std::vector<uint8_t> rawZeros(BlockCoder::kRawBlockSize);
    BlockCoder coder;
    EXPECT_LT(coder.Encode(rawZeros.data(), rawZeros.size()), 400u);
}

TEST(BlockCoder, RawBlocksHashWithMask9407) {
    // "ABD", "ABE" and "ABF" differ only in hash bits 8 and 9, which 9407 drops but 8191
    // keeps: in a raw block they fill one bucket and "ABDQRS" is no longer found at its repeat.
    const std::string head = "ABDQRSABEtABFuABDQRS";
    auto block = [&](size_t n) {
        std::vector<uint8_t> v(n);
        std::copy(head.begin(), head.end(), v.begin());
        return v;
    };
    const uint8_t zero = 0;
    auto zeroMatches = [](Builder& b, int full, uint32_t lastLen) {
        for (int m = 0; m < full; ++m) {
            b.N(15).B(2, 3).Y(253).B(1, 0).Y(0);
        }
        b.N(15).B(2, 3).Y(lastLen - 29).B(1, 0).Y(0);
    };
    {
        const auto in = block(BlockCoder::kCookedBlockSize);
        Builder b;
        b.Run(in.data(), 14).N(7).B(1, 0).Y(13).Run(&zero, 1);
        zeroMatches(b, 116, 35); // 32747 zeros
        ExpectStream(in, b.End().Bytes());
    }
    {
        // Only "BDQRS" is found, one token later and one byte shorter.
        const auto in = block(BlockCoder::kRawBlockSize);
        Builder b;
        b.Run(in.data(), 15).N(2).Y(13).Run(&zero, 1);
        zeroMatches(b, 133, 105); // 37611 zeros
        ExpectStream(in, b.End().Bytes());
    }
}

TEST(BlockCoder, ResultIsBlockSizeOnceCodingCannotGain) {
    // Half text, half noise: short prefixes code larger than themselves, longer ones gain.
    auto data = BlockTestData::Text(200, 1);
    const auto noise = BlockTestData::Random(200, 2);
    data.insert(data.end(), noise.begin(), noise.end());
    BlockCoder coder;
    int gains = 0, losses = 0;
    for (size_t n = 4; n <= data.size(); ++n) {
        const size_t full = coder.EncodeStream(data.data(), n, static_cast<uint32_t>(n / 4 - 1));
        const size_t result = coder.Encode(data.data(), n);
        ASSERT_EQ(result, full < n ? full : n) << n;
        (full < n ? gains : losses)++;
    }
    EXPECT_GT(gains, 0);
    EXPECT_GT(losses, 0);

    const auto random = BlockTestData::Random(BlockCoder::kRawBlockSize, 3);
    EXPECT_EQ(coder.Encode(random.data(), BlockCoder::kCookedBlockSize),
              BlockCoder::kCookedBlockSize);
    EXPECT_EQ(coder.Encode(random.data(), BlockCoder::kRawBlockSize), BlockCoder::kRawBlockSize);
    EXPECT_EQ(coder.Encode(random.data(), 3), 0u);
    EXPECT_EQ(coder.Encode(random.data(), BlockCoder::kMaxBlockSize + 1), 0u);
    EXPECT_EQ(coder.EncodeStream(random.data(), 100, BlockCoder::kMaxBuckets), 0u);
}

TEST(BlockCoderRoundTrip, EveryKindOfBlock) {
    using namespace BlockTestData;
    const size_t cooked = BlockCoder::kCookedBlockSize, raw = BlockCoder::kRawBlockSize;
    std::vector<uint8_t> mixed = Text(cooked / 2, 7);
    const auto tail = Random(cooked / 2, 8);
    mixed.insert(mixed.end(), tail.begin(), tail.end());
    struct Case {
        const char* name;
        std::vector<uint8_t> block;
        bool gains;
    };
    const Case cases[] = {
        {"zeros cooked", std::vector<uint8_t>(cooked), true},
        {"zeros raw", std::vector<uint8_t>(raw), true},
        {"text cooked", Text(cooked, 1), true},
        {"text raw", Text(raw, 2), true},
        {"text and noise", mixed, true},
        {"mode 1 sectors", RawSectors(Text(cooked, 3), 1000), true},
        {"empty mode 1 sectors", RawSectors(std::vector<uint8_t>(cooked), 200000), true},
        {"pcm", Pcm(raw, 4), false},
        {"random cooked", Random(cooked, 5), false},
        {"random raw", Random(raw, 6), false},
    };
    BlockCoder coder;
    BlockDecoder decoder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t n = c.block.size();
        const size_t full = coder.EncodeStream(c.block.data(), n, static_cast<uint32_t>(n / 4 - 1));
        const std::vector<uint8_t> stream(coder.Output(), coder.Output() + full);
        std::vector<uint8_t> out(n);
        ASSERT_TRUE(decoder.Decode(stream.data(), stream.size(), out.data(), n));
        EXPECT_EQ(out, c.block);

        const size_t result = coder.Encode(c.block.data(), n);
        if (c.gains) {
            ASSERT_LT(result, n);
            EXPECT_EQ(std::vector<uint8_t>(coder.Output(), coder.Output() + result), stream);
        } else if (full >= n) {
            EXPECT_EQ(result, n);
        }
    }
}
