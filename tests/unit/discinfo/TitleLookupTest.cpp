#include "app/BuildJob.h"
#include "discinfo/TitleLookup.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

std::string Text(int id) {
    return id == 140 ? "Unknown" : id == 141 ? "Title_%02d" : "?";
}

std::string Joined(const Strings& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "|") + part;
    return text;
}

struct LookupFixture : ::testing::Test, FakeServices {
    CZlxSettings settings{store, registry, folders};
    CZlxBuildSettings buildSettings{store, registry};
    CBuildJob job{store, registry};
    int window = 0;
    CAlbumLookup lookup{[this] { return static_cast<void*>(&window); }};

    LookupFixture() {
        lookup.Bind({discInfo, store, settings, buildSettings, Text});
        settings.UseDiscInfoService = 1;
    }
    // Track titles as the analysis leaves them: empty, and "data" for data tracks.
    void PrepareJob(uint16_t cdType, const _CDROM_TOC& toc) {
        job.Reset();
        job.CdType = cdType;
        job.Toc = toc;
        job.TrackTitles.assign(toc.LastTrack, "");
        for (int i = 0; i < toc.LastTrack; ++i)
            if (TocIsData(toc.TrackData[i]))
                job.TrackTitles[static_cast<size_t>(i)] = "data";
        job.AlbumInfo = std::make_unique<CAlbumInfo>();
        job.AlbumInfoFound = 1;
    }
};

TEST_F(LookupFixture, TitlesComeFromTheServiceOnlyForFoundAudioDiscs) {
    const _CDROM_TOC audio = MakeToc({{0, false}, {1000, false}, {2000, false}}, 3000);
    const _CDROM_TOC data = MakeToc({{0, true}}, 9000);
    const _CDROM_TOC mixed = MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000);
    const _CDROM_TOC extra = MakeToc({{0, false}, {1000, false}, {15000, true}}, 20000);
    const std::string generic = "Title_01|Title_02|Title_03";
    const std::string named = "AC-DC - Live-|Back in Black|T.N.T";
    struct Case {
        const char* name;
        int service;
        const char* disabled; // ZlxDisabledFeatures
        uint16_t cdType;
        const _CDROM_TOC& toc;
        int found, locked;
        const char* calls;
        std::string titles;
        bool albumNamed;
    } cases[] = {
        {"service off", 0, "", 2, audio, 1, 0, "", generic, false},
        {"feature disabled", 1, "10000000000", 2, audio, 1, 0, "", generic, false},
        {"data disc", 1, "0", 0, data, 1, 0, "", "data", false},
        {"mixed mode", 1, "", 1, mixed, 1, 0, "", "data|Title_02|Title_03", false},
        {"found", 1, "0", 2, audio, 1, 0, "Init(window)|FromToc(2)", named, true},
        {"CD Extra", 1, "", 6 | 4096, extra, 1, 0, "Init(window)|FromToc(2)",
         "AC-DC - Live-|Back in Black|data", true},
        {"not found", 1, "", 7, audio, 0, 0, "Init(window)|FromToc(2)", generic, false},
        {"service busy", 1, "", 2, audio, 1, 1, "Init(window)", generic, false},
    };
    for (const Case& c : cases) {
        settings.UseDiscInfoService = c.service;
        store.WriteText("ZlxDisabledFeatures", c.disabled);
        discInfo = CFakeDiscInfo();
        discInfo.found = c.found;
        discInfo.locked = c.locked;
        if (c.found)
            discInfo.album = {{AlbumField::Title, "Album"}, {AlbumField::Artist, "Artist "}};
        // Track texts even for a disc that was not found: only the found flag may decide.
        discInfo.trackTitles = {"AC/DC - Live?", "Back in Black", "T.N.T"};
        PrepareJob(c.cdType, c.toc);

        lookup.LoadAlbumInfo(job);
        EXPECT_EQ(Joined(discInfo.calls), c.calls) << c.name;
        EXPECT_EQ(Joined(job.TrackTitles), c.titles) << c.name;
        EXPECT_EQ(job.AlbumTitle + "/" + job.Artist,
                  c.albumNamed ? "Album/Artist" : "Unknown/Unknown")
            << c.name;
        EXPECT_EQ(job.AlbumInfoFound != 0, c.albumNamed) << c.name;
    }
}

TEST_F(LookupFixture, TitlesGoIntoTheInfoTextWhenWanted) {
    settings.UseDiscInfoService = 0;
    PrepareJob(1, MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000));
    job.InfoText = "comment\r\n";
    lookup.LoadAlbumInfo(job);
    EXPECT_EQ(job.InfoText, "comment\r\n02 Title_02\r\n03 Title_03\r\n");

    buildSettings.AddTitlesToInfoText = 0;
    job.InfoText.clear();
    lookup.LoadAlbumInfo(job);
    EXPECT_EQ(job.InfoText, "");
}

TEST_F(LookupFixture, DriveListAsksByDriveWhenTheServiceIsFree) {
    CServiceAlbumTitles titles(discInfo);
    discInfo.album = {{AlbumField::Title, "Album"}, {AlbumField::Artist, std::string(250, 'a')}};
    std::string album, artist = "old";
    EXPECT_TRUE(titles.Ready());
    EXPECT_TRUE(titles.Lookup("E:", album, artist));
    EXPECT_EQ(Joined(discInfo.calls), "CDInfo(E:)");
    EXPECT_EQ(album + "/" + artist, "Album/"); // the artist does not fit the list's 200 bytes
    discInfo.found = 0;
    EXPECT_FALSE(titles.Lookup("F:", album, artist));
    discInfo.locked = 1;
    EXPECT_FALSE(titles.Ready());
}

} // namespace
