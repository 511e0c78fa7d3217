// Database entries: what freedb's files hold in practice (continued lines, escapes, missing
// keywords, broken lines) and what this library writes coming back unchanged.
#include "cddb/DiscRecord.h"
#include "cddb/TextCodec.h"
#include "cddb/Xmcd.h"

#include <gtest/gtest.h>

#include <random>

namespace {
const char kEntry[] = "# xmcd\r\n"
                      "#\r\n"
                      "# Track frame offsets:\r\n"
                      "#\t150\r\n"
                      "#       21052\r\n"
                      "#\t41000\r\n"
                      "#\r\n"
                      "# Disc length: 812 seconds\r\n"
                      "#\r\n"
                      "# Revision: 3\r\n"
                      "DISCID=2a032c03\r\n"
                      "DTITLE=Various / Night \r\n"
                      "DTITLE=Drive\r\n"
                      "DYEAR=1999\r\n"
                      "TTITLE0=Anna Field / First\\tLight\r\n"
                      "TTITLE2=Closing \\\\ Time\r\n"
                      "TTITLE150=out of range\r\n"
                      "TTITLEx=bad number\r\n"
                      "EXTD=Recorded live.\\nSecond line.\r\n"
                      "EXTT2=Bonus\r\n"
                      "line without a keyword\r\n"
                      "PLAYORDER=\r\n";

TEST(XmcdTest, ReadsWhatFreedbFilesHold) {
    XmcdEntry e;
    ASSERT_TRUE(ParseXmcd(kEntry, e));
    EXPECT_EQ(e.frameOffsets, (std::vector<uint32_t>{150, 21052, 41000}));
    EXPECT_EQ(e.discLength, 812u);
    EXPECT_EQ(e.revision, 3);
    EXPECT_EQ(e.discIds, "2a032c03");
    EXPECT_EQ(e.dtitle, "Various / Night Drive");
    EXPECT_EQ(e.year, "1999");
    EXPECT_EQ(e.genre, "");
    ASSERT_EQ(e.titles.size(), 3u);
    EXPECT_EQ(e.titles[0], "Anna Field / First\tLight");
    EXPECT_EQ(e.titles[1], "");
    EXPECT_EQ(e.titles[2], "Closing \\ Time");
    EXPECT_EQ(e.extd, "Recorded live.\nSecond line.");
    EXPECT_EQ(e.extended, (std::vector<std::string>{"", "", "Bonus"}));

    // A compilation gives each "artist / title" track its own artist.
    const DiscRecord r = RecordFromEntry(e, 4);
    EXPECT_TRUE(r.compilation);
    EXPECT_EQ(r.artist, "Various");
    EXPECT_EQ(r.title, "Night Drive");
    ASSERT_EQ(r.tracks.size(), 4u);
    EXPECT_EQ(r.tracks[0].artist, "Anna Field");
    EXPECT_EQ(r.tracks[0].title, "First\tLight");
    EXPECT_EQ(r.tracks[2].artist, "Various");
    EXPECT_EQ(r.tracks[3].title, "");

    EXPECT_FALSE(ParseXmcd("DISCID=12345678\nDTITLE=a / b\n", e)) << "no xmcd signature";
}

TEST(XmcdTest, SplitsArtistAndTitle) {
    const struct {
        const char *text, *artist, *title;
    } cases[] = {
        {"Miles Davis / Kind of Blue", "Miles Davis", "Kind of Blue"},
        {"Björk", "Björk", "Björk"},
        {"AC/DC / Back in Black", "AC/DC", "Back in Black"},
        {"A / B / C", "A", "B / C"},
    };
    for (const auto& c : cases) {
        std::string artist, title;
        SplitArtistTitle(c.text, artist, title);
        EXPECT_EQ(artist, c.artist) << c.text;
        EXPECT_EQ(title, c.title) << c.text;
    }
}

TEST(XmcdTest, WrittenEntriesReadBackUnchanged) {
    DiscRecord r;
    r.artist = "Various";
    r.title = std::string(300, 'x') + "\\n not an escape";
    r.year = "2004";
    r.genre = "Electronica";
    r.notes = "Line one\nLine\ttwo \\ end";
    r.compilation = true;
    r.tracks = {{"Opening", "Various", ""}, {"Second", "Guest Band", "Remix"}};
    const DiscToc toc = [] {
        DiscToc t;
        t.starts = {0, 20000};
        t.data = {false, false};
        t.leadOut = 40000;
        return t;
    }();
    const XmcdEntry written = EntryFromRecord(r, toc, 2);
    const std::string text = FormatXmcd(written, "test");
    // Long values are continued on further lines, none longer than freedb allows.
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        EXPECT_LE(end - start, 256u);
    }
    XmcdEntry read;
    ASSERT_TRUE(ParseXmcd(text, read));
    EXPECT_EQ(read.frameOffsets, (std::vector<uint32_t>{150, 20150}));
    EXPECT_EQ(read.discLength, (40000u + 150) / 75);
    EXPECT_EQ(read.revision, 2);
    EXPECT_EQ(read.discIds, DiscIdText(FreedbDiscId(toc)));
    EXPECT_EQ(read.titles[1], "Guest Band / Second");
    EXPECT_EQ(RecordFromEntry(read, 2), r);
}

TEST(XmcdTest, EntryTextIsTakenAsUtf8OnlyWhenItIs) {
    EXPECT_EQ(Cp1252FromEntryText("Bj\xC3\xB6rk \xE2\x82\xAC"), "Bj\xF6rk \x80");
    EXPECT_EQ(Cp1252FromEntryText("Bj\xF6rk"), "Bj\xF6rk"); // already code page 1252
    EXPECT_EQ(Cp1252FromEntryText("\xE6\x97\xA5"), "?");    // no such character
    EXPECT_EQ(Utf8FromCp1252("Bj\xF6rk \x80"), "Bj\xC3\xB6rk \xE2\x82\xAC");
    EXPECT_FALSE(IsUtf8("\xC0\xAF")); // overlong '/'
}

TEST(XmcdTest, GarbageNeverBreaksTheReader) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string text = "# xmcd\n";
        const size_t size = random() % 4000;
        for (size_t i = 0; i < size; ++i) {
            // Mostly keyword-like bytes, so the reader gets past the first checks.
            const char pieces[] = "TTITLE99=EXTT\\n#\r\n0123456789 /\x00\xff";
            text += random() % 3 ? pieces[random() % (sizeof(pieces) - 1)]
                                 : static_cast<char>(random());
        }
        XmcdEntry e;
        ASSERT_TRUE(ParseXmcd(text, e));
        EXPECT_LE(e.titles.size(), kXmcdMaxTracks);
        for (const std::string& t : e.titles)
            EXPECT_EQ(t.find('\0'), std::string::npos);
    }
    XmcdEntry e;
    ASSERT_TRUE(ParseXmcd("# xmcd\nTTITLE0=" + std::string(1 << 20, 'a') + "\n", e));
    EXPECT_EQ(e.titles[0].size(), kXmcdMaxValue);
}
} // namespace
