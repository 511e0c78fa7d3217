#include "source/AnalysisFakes.h"
#include "source/DriveList.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

struct FakeAlbums : IAlbumTitles {
    bool Ready() override { return true; }
    bool Lookup(const std::string& drive, std::string& album, std::string& artist) override {
        asked.push_back(drive);
        album = "Blue";
        artist = "The Band";
        return true;
    }
    std::vector<std::string> asked;
};

std::string Text(int id) {
    static const std::map<int, std::string> texts = {
        {110, "Data CD"},   {112, "Audio CD"},           {115, "CD Extra"},
        {118, "DVD-Video"}, {119, "DVD-ROM with Video"}, {132, "Multisession CD"},
        {276, "%s of %s"}};
    auto it = texts.find(id);
    return it == texts.end() ? "#" + std::to_string(id) : it->second;
}

struct DriveListFixture : ::testing::Test {
    CFakeDriveLibrary drives;
    CFakeCommon common;
    CFakeShellDrives shell;
    CFakeFileSearch files;
    FakeAlbums albums;
    CDriveListModel model{drives, common, shell, files, Text, &albums};

    void Insert(char letter, uint16_t kind, uint32_t lastSector, const std::string& label) {
        FakeDrive& d = drives.drives[letter];
        d.cdType = kind;
        d.lastSector = lastSector;
        d.toc = MakeToc({{0, kind != 2}}, lastSector + 1);
        shell.names[letter] = label + " (" + std::string(1, letter) + ":)";
    }
};

TEST_F(DriveListFixture, RowsShowNameSizeAndKindInDriveOrder) {
    Insert('F', 0 | 4096, 333000, "BACKUP");
    Insert('E', 2, 200000, "MUSIC");
    auto rows = model.Rows({});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text, "[E:] MUSIC ");
    EXPECT_EQ(rows[0].info, "Audio CD");
    EXPECT_EQ(rows[1].text, "[F:] BACKUP ");
    EXPECT_EQ(rows[1].sizeText, "650");
    EXPECT_EQ(rows[1].info, "Data CD (Multisession CD)");
    EXPECT_EQ(rows[1].cdType, 4096);
}

TEST_F(DriveListFixture, OversizedCdCapacityIsTakenFromTheLeadOutButNotForDvds) {
    Insert('E', 0, 400000, "BIG");
    drives.drives['E'].toc = MakeToc({{0, true}}, 300001);
    Insert('G', 32, 2000000, "MOVIE");
    files.filePatterns.insert("G:\\VIDEO_TS\\*.*");
    auto rows = model.Rows({});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].sizeText, std::to_string((300000 >> 10) * 2));
    EXPECT_EQ(rows[1].sizeText, std::to_string((2000000 >> 10) * 2));
    EXPECT_EQ(rows[1].info, "DVD-Video");
    EXPECT_EQ(rows[1].cdType, 32 | 512) << "the row carries the content it found";

    files.folders["G:\\*.*"] = {"VIDEO_TS", "EXTRAS"};
    EXPECT_EQ(model.Rows({})[1].info, "DVD-ROM with Video");
}

TEST_F(DriveListFixture, EmptyVirtualAndAnalogDrives) {
    Insert('E', 2, 1000, "MUSIC");
    drives.drives['D'].ready = false;        // no disc
    drives.drives['H'].infoReadable = false; // not a usable drive at all
    Insert('V', 2, 1000, "VIRTUAL");
    drives.virtualLetters = "V";
    DriveListOptions options;
    options.showEmpty = true;
    auto rows = model.Rows(options);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text, "[D:] <Empty>");
    EXPECT_TRUE(rows[0].empty);

    options.includeVirtual = true;
    common.analog = "V"; // an analog-audio virtual drive never counts as a source
    rows = model.Rows(options);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].text, "[V:] <Empty>");
    options.showEmpty = false;
    EXPECT_EQ(model.Rows(options).size(), 1u);

    drives.drives['E'].tocReadable = false;
    EXPECT_TRUE(model.Rows(options).empty());
    shell.names.erase('V');
    common.analog.clear();
    EXPECT_TRUE(model.Rows(options).empty()) << "a drive without a display name is left out";
}

TEST_F(DriveListFixture, AlbumTitlesReplaceTheKindOfAudioDiscsOnly) {
    Insert('E', 6, 1000, "EXTRA");
    Insert('F', 0, 1000, "DATA");
    DriveListOptions options;
    options.discInformation = true;
    auto rows = model.Rows(options);
    EXPECT_EQ(rows[0].info, "Blue of The Band");
    EXPECT_EQ(rows[1].info, "Data CD");
    EXPECT_EQ(albums.asked, std::vector<std::string>{"E:"});
}

TEST(DriveListSelection, PreselectionThenRememberedTextThenFirstRowAndRowTextsParse) {
    const std::vector<std::string> rows = {"[D:] ONE ", "[E:] TWO ", "[F:] THREE "};
    EXPECT_EQ(RowToSelect(rows, std::nullopt, ""), 0);
    EXPECT_EQ(RowToSelect(rows, std::string("[e:] two "), ""), 1);
    EXPECT_EQ(RowToSelect(rows, std::string("[X:] GONE "), ""), 0);
    EXPECT_EQ(RowToSelect(rows, std::string("[D:] ONE "), "f:"), 2);
    EXPECT_EQ(RowToSelect(rows, std::nullopt, "Z:"), 0);
    EXPECT_EQ(RowToSelect({}, std::string("x"), "E:"), -1);
    EXPECT_EQ(ParseDriveRow("[E:] MY DISC ").letter, 'E');
    EXPECT_EQ(ParseDriveRow("[E:] MY DISC ").discName, "MY DISC ");
    EXPECT_EQ(ParseDriveRow("[E:] ").discName, "");
    EXPECT_EQ(ParseDriveRow("").letter, 0);
}

} // namespace
