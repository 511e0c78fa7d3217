#include "app/BuildJob.h"
#include "discinfo/TitleLookup.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

std::string Text(int id) {
    return id == 140 ? "Unknown" : id == 141 ? "Title_%02d" : "?";
}

Strings Generic(int first, int last) {
    Strings titles;
    for (int i = first; i <= last; ++i)
        titles.push_back(FormatText("Title_%02d", {std::to_string(i)}));
    return titles;
}

struct LookupFixture : ::testing::Test, FakeServices {
    CZlxSettings settings{store, registry, folders};
    CZlxBuildSettings buildSettings{store, registry};
    CBuildJob job{store, registry};

    void PrepareJob(uint16_t cdType, const _CDROM_TOC& toc) {
        job.Reset();
        job.CdType = cdType;
        job.Toc = toc;
        job.TrackTitles.assign(toc.LastTrack, "");
        job.AlbumInfo = std::make_unique<CAlbumInfo>();
    }
    TitleLookupContext Context() { return {discInfo, store, settings, buildSettings, Text}; }
};

_CDROM_TOC AudioToc(uint32_t n) {
    std::vector<std::pair<uint32_t, bool>> tracks;
    for (uint32_t i = 0; i < n; ++i)
        tracks.push_back({i * 1000, false});
    return MakeToc(tracks, n * 1000);
}

TEST_F(LookupFixture, TitlesComeFromTheServiceOnlyForFoundAudioDiscs) {
    const _CDROM_TOC mixed = MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000);
    const _CDROM_TOC extra = MakeToc({{0, false}, {1000, false}, {15000, true}}, 20000);
    struct Case {
        const char* name;
        int service;          // UseDiscInfoService
        const char* disabled; // ZlxDisabledFeatures, or null
        uint16_t cdType;
        _CDROM_TOC toc;
        int found, locked;
        Strings calls;
        Strings titles;
        std::string album, artist;
    } cases[] = {
        {"service off",
         0,
         nullptr,
         2,
         AudioToc(12),
         1,
         0,
         {},
         Generic(1, 12),
         "Unknown",
         "Unknown"},
        {"feature disabled",
         1,
         "10000000000",
         2,
         AudioToc(3),
         1,
         0,
         {},
         Generic(1, 3),
         "Unknown",
         "Unknown"},
        {"data disc",
         1,
         nullptr,
         0,
         MakeToc({{0, true}}, 9000),
         1,
         0,
         {},
         {"data"},
         "Unknown",
         "Unknown"},
        {"mixed mode",
         1,
         nullptr,
         1,
         mixed,
         1,
         0,
         {},
         {"data", "Title_02", "Title_03"},
         "Unknown",
         "Unknown"},
        {"found",
         1,
         "0",
         2,
         AudioToc(3),
         1,
         0,
         {"Init", "FromToc(2)"},
         {"AC-DC - Live-", "Back in Black", "T.N.T"},
         "Album",
         "Artist"},
        {"CD Extra found",
         1,
         nullptr,
         6 | 4096,
         extra,
         1,
         0,
         {"Init", "FromToc(2)"},
         {"AC-DC - Live-", "Back in Black", "data"},
         "Album",
         "Artist"},
        {"not found",
         1,
         nullptr,
         7,
         AudioToc(3),
         0,
         0,
         {"Init", "FromToc(2)"},
         Generic(1, 3),
         "Unknown",
         "Unknown"},
        {"service busy",
         1,
         nullptr,
         2,
         AudioToc(3),
         1,
         1,
         {"Init"},
         Generic(1, 3),
         "Unknown",
         "Unknown"},
    };
    for (const Case& c : cases) {
        settings.UseDiscInfoService = c.service;
        store.WriteText("ZlxDisabledFeatures", c.disabled ? c.disabled : "");
        discInfo = CFakeDiscInfo();
        discInfo.found = c.found;
        discInfo.locked = c.locked;
        if (c.found)
            discInfo.album = {{AlbumField::Title, "Album"}, {AlbumField::Artist, "Artist "}};
        // The library answers track texts even for a disc it did not find: only the
        // found flag may decide whether they are used.
        discInfo.trackTitles = {"AC/DC - Live?", "Back in Black", "T.N.T"};
        PrepareJob(c.cdType, c.toc);
        for (int i = 0; i < c.toc.LastTrack; ++i)
            if (TocIsData(c.toc.TrackData[i]))
                job.TrackTitles[static_cast<size_t>(i)] = "data";
        job.AlbumInfoFound = 1;

        job.LookupTitles(Context(), nullptr);
        EXPECT_EQ(discInfo.calls, c.calls) << c.name;
        EXPECT_EQ(job.TrackTitles, c.titles) << c.name;
        EXPECT_EQ(job.AlbumTitle, c.album) << c.name;
        EXPECT_EQ(job.Artist, c.artist) << c.name;
        EXPECT_EQ(job.AlbumInfoFound, c.found && c.calls.size() == 2 ? 1 : 0) << c.name;
    }
}

TEST_F(LookupFixture, TitlesGoIntoTheInfoTextWhenWanted) {
    settings.UseDiscInfoService = 0;
    PrepareJob(1, MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000));
    job.InfoText = "comment\r\n";
    job.LookupTitles(Context(), nullptr);
    EXPECT_EQ(job.InfoText, "comment\r\n02 Title_02\r\n03 Title_03\r\n");

    buildSettings.AddTitlesToInfoText = 0;
    job.InfoText.clear();
    job.LookupTitles(Context(), nullptr);
    EXPECT_EQ(job.InfoText, "");
}

TEST_F(LookupFixture, AnalysisLookupHandsTheServiceItsWindow) {
    settings.UseDiscInfoService = 1;
    PrepareJob(2, AudioToc(1));
    discInfo.trackTitles = {"AC/DC - Live?"};
    int window = 0;
    CAlbumLookup lookup(Context(), [&] { return static_cast<void*>(&window); });
    lookup.LoadAlbumInfo(job);
    EXPECT_EQ(discInfo.calls, (Strings{"Init(window)", "FromToc(2)"}));
    EXPECT_EQ(job.TrackTitles, Strings{"AC-DC - Live-"});
}

TEST_F(LookupFixture, DriveListAsksByDriveWhenTheServiceIsFree) {
    CServiceAlbumTitles titles(discInfo);
    discInfo.album = {{AlbumField::Title, "Album"}, {AlbumField::Artist, std::string(250, 'a')}};
    std::string album, artist = "old";
    EXPECT_TRUE(titles.Ready());
    EXPECT_TRUE(titles.Lookup("E:", album, artist));
    EXPECT_EQ(discInfo.calls, Strings{"CDInfo(E:)"});
    EXPECT_EQ(album, "Album");
    EXPECT_EQ(artist, ""); // does not fit the list's 200 bytes
    discInfo.found = 0;
    EXPECT_FALSE(titles.Lookup("F:", album, artist));
    discInfo.locked = 1;
    EXPECT_FALSE(titles.Ready());
}

} // namespace
