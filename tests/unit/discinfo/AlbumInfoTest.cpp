#include "discinfo/AlbumInfo.h"
#include "discinfo/TrackTitleList.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// One answer of a scripted getter: the result, and what it writes when the buffer is
// large enough (nothing when the text does not fit, as the library does).
struct Answer {
    int result;
    std::string text;
};

TEST(LibraryTextReader, GrowsOnceForALongTextAndKeepsTheFieldWhenThereIsNone) {
    const std::string longText(300, 'x');
    struct Case {
        const char* name;
        std::vector<Answer> answers;
        std::string expected;
        std::vector<int> sizes; // buffer sizes the getter was called with
    } cases[] = {
        {"fits", {{4, "abc"}}, "abc", {200}},
        {"no such text", {{-1, ""}}, "old", {200}},
        {"longer than the first buffer", {{301, ""}, {301, longText}}, longText, {200, 301}},
        {"gone by the second call", {{301, ""}, {-1, ""}}, "old", {200, 301}},
        {"absurd size", {{INT_MAX, ""}}, "old", {200}},
        {"empty text", {{1, ""}}, "", {200}},
    };
    for (const Case& c : cases) {
        CLibraryTextReader reader;
        std::string field = "old";
        std::vector<int> sizes;
        size_t next = 0;
        reader.Read(
            [&](char* buffer, int size) {
                sizes.push_back(size);
                const Answer& a = c.answers.at(next++);
                if (a.result > 0 && a.result <= size)
                    std::memcpy(buffer, a.text.c_str(), a.text.size() + 1);
                return a.result;
            },
            field);
        EXPECT_EQ(field, c.expected) << c.name;
        EXPECT_EQ(sizes, c.sizes) << c.name;
    }
}

TEST(AlbumInfo, FillReadsEveryTextTrimmedAndOneRecordPerTrack) {
    CFakeDiscInfo library;
    library.album = {
        {AlbumField::Title, "Abbey Road \t "}, {AlbumField::Artist, "The Beatles"},
        {AlbumField::Year, "1969\r\n"},        {AlbumField::TotalInSet, " 2"},
        {AlbumField::NumberInSet, "1/2"},      {AlbumField::Notes, std::string(250, 'n') + "  "}};
    library.compilation = 1;
    library.trackTitles = {"Come Together  ", "Something", "   "};

    CAlbumInfo info;
    info.Label = "from an earlier disc";
    info.Fill(library);
    EXPECT_EQ(info.Title, "Abbey Road");
    EXPECT_EQ(info.Year, "1969");
    EXPECT_EQ(info.Label, ""); // -1 after the texts were emptied
    EXPECT_EQ(info.Notes, std::string(250, 'n'));
    EXPECT_EQ(info.TotalInSet * 10 + info.NumberInSet, 21);
    EXPECT_EQ(info.Compilation, 1);
    ASSERT_EQ(info.NumberOfTracks, 3);
    ASSERT_EQ(info.Tracks.size(), 3u);
    EXPECT_EQ(info.GetTrack(1)->Title, "Come Together");
    EXPECT_EQ(info.GetTrack(3)->Title, "");
    EXPECT_EQ(info.GetTrack(3)->Number, 3);
    EXPECT_EQ(info.GetTrack(0), nullptr);
    EXPECT_EQ(info.GetTrack(4), nullptr);

    // A second disc replaces everything of the first.
    library.album = {{AlbumField::Title, "Other"}};
    library.trackTitles = {"One"};
    info.Fill(library);
    EXPECT_EQ(info.Artist + info.Notes, "");
    EXPECT_EQ(info.TotalInSet, 0);
    ASSERT_EQ(info.Tracks.size(), 1u);
    EXPECT_EQ(info.GetTrack(1)->Title, "One");
}

TEST(AlbumInfo, TrustsNoMoreTracksThanACdHolds) {
    struct ManyTracks : CFakeDiscInfo {
        int GetNumberOfTracks() override { return 100000; }
    } library;
    CAlbumInfo info;
    info.Fill(library);
    EXPECT_EQ(info.Tracks.size(), 99u);
}

TEST(TrackTitleList, OneEntryPerAudioTrackInDiscOrder) {
    const auto entries = AudioTrackTitles(MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000),
                                          {"DATA", "Two"});
    ASSERT_EQ(entries.size(), 2u);
    // A mixed mode disc starts with its track 2; a track without a title shows empty.
    EXPECT_EQ(entries[0].track * 10 + entries[1].track, 23);
    EXPECT_EQ(entries[0].title + "|" + entries[1].title, "Two|");
}

} // namespace
