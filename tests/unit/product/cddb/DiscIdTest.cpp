// Disc IDs against values freedb published for real discs, and tables of contents that
// cannot be a disc's.
#include "CddbTestData.h"

#include <gtest/gtest.h>

using cddbtest::RawToc;

namespace {
TEST(DiscIdTest, MatchesPublishedIds) {
    // Entries as freedb served them: frame offsets, "Disc length" seconds and the ID. The
    // lead-out offset is taken as the first frame of that second.
    const struct {
        std::vector<uint32_t> offsets;
        uint32_t lengthSeconds;
        const char* id;
    } discs[] = {
        {{150, 15095, 28530, 40556, 60479, 81952, 100762, 112675, 128656, 145954},
         2260,
         "6808d20a"},
        {{150, 20972, 36331, 50117, 69524, 86255, 101371, 112896, 131608, 138844, 157390, 174137,
          193697, 208667, 224774, 238280},
         3342,
         "f00d0c10"},
        // An enhanced CD: the data track of the second session counts like any other.
        {{150, 8795, 25745, 40138, 55085, 70238, 92398, 109293, 124405, 141120, 158079, 175458,
          191905, 208331, 234618, 270030},
         4440,
         "dd115610"},
        {{150}, 3612, "020e1a01"},
    };
    for (const auto& d : discs) {
        const std::vector<uint8_t> raw = RawToc(d.offsets, d.lengthSeconds * 75);
        DiscToc toc;
        ASSERT_TRUE(ParseToc(raw.data(), raw.size(), toc)) << d.id;
        EXPECT_EQ(DiscIdText(FreedbDiscId(toc)), d.id);
        EXPECT_EQ(toc.LengthSeconds(), d.lengthSeconds) << d.id;
        uint32_t parsed = 0;
        EXPECT_TRUE(ParseDiscIdText(d.id, parsed));
        EXPECT_EQ(parsed, FreedbDiscId(toc));
    }
}

TEST(DiscIdTest, RefusesRecordsNoDiscHas) {
    auto withCounts = [](int first, int last) {
        std::vector<uint8_t> raw = RawToc({150, 3000}, 6000);
        raw[2] = static_cast<uint8_t>(first);
        raw[3] = static_cast<uint8_t>(last);
        return raw;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> raw;
    } cases[] = {
        {"no first track", withCounts(0, 2)},
        {"last before first", withCounts(2, 1)},
        {"more than 99 tracks", withCounts(1, 100)},
        {"addresses going back", RawToc({150, 3000, 2000}, 6000)},
        {"lead-out before the last track", RawToc({150, 3000}, 3000)},
        {"beyond any disc", RawToc({150, 3000}, 0x7FFFFFF0)},
        {"short record", std::vector<uint8_t>(100, 1)},
    };
    for (const auto& c : cases) {
        DiscToc toc;
        EXPECT_FALSE(ParseToc(c.raw.data(), c.raw.size(), toc)) << c.what;
    }
    uint32_t id = 0;
    for (const char* bad : {"1234567", "123456789", "1234567g", ""})
        EXPECT_FALSE(ParseDiscIdText(bad, id)) << bad;
}

TEST(DiscIdTest, ReadsTheControlNibbleAndFirstTrack) {
    const std::vector<uint8_t> raw = RawToc({150, 20000, 40000}, 60000, 3, 0b100);
    DiscToc toc;
    ASSERT_TRUE(ParseToc(raw.data(), raw.size(), toc));
    EXPECT_EQ(toc.firstTrack, 3);
    EXPECT_EQ(toc.data, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(toc.starts, (std::vector<uint32_t>{0, 19850, 39850}));
}
} // namespace
