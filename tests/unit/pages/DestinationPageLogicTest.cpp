#include "pages/DestinationPageLogic.h"
#include "support/PageTestBase.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr uint64_t kMB = uint64_t{1} << 20;

struct ScriptedDrives : IDriveQuery {
    struct Drive {
        DriveKind kind = DriveKind::Fixed;
        uint64_t totalMB = 0, freeMB = 0;
        bool writable = true;
    };
    std::map<std::string, Drive> drives;
    std::vector<std::string> asked;
    uint32_t LogicalDrives() override { return 0; }
    DriveKind Kind(const std::string& root) override {
        asked.push_back("kind " + root);
        const auto it = drives.find(root);
        return it == drives.end() ? DriveKind::Other : it->second.kind;
    }
    bool Space(const std::string& root, uint64_t& total, uint64_t& free) override {
        const auto it = drives.find(root);
        total = it == drives.end() ? 0 : it->second.totalMB * kMB;
        free = it == drives.end() ? 0 : it->second.freeMB * kMB;
        return it != drives.end();
    }
    std::string VolumeLabel(const std::string&) override { return {}; }
    bool CanWrite(const std::string& root) override {
        asked.push_back("write " + root);
        return drives.count(root) && drives[root].writable;
    }
};

struct CurrentFolder : IFolderQuery {
    bool DirectoryExists(const std::string&) override { return false; }
    std::string CurrentDirectory() override { return "D:\\Work"; }
    bool FreeBytes(const std::string&, uint64_t&) override { return false; }
};

struct DestinationFixture : ::testing::Test, PageTestBase {
    DestinationFixture() {
        drives.drives["C:\\"] = {DriveKind::Fixed, 1000, 500};
        drives.drives["D:\\"] = {DriveKind::Fixed, 2000, 1500};
        drives.drives["E:\\"] = {DriveKind::CdRom, 650, 0};
        drives.drives["\\\\server\\images\\"] = {DriveKind::Remote, 9000, 8000};
        job.DestinationFile = "C:\\Images\\Backup.zl4";
        Needs(100);
    }
    ScriptedDrives drives;
    CurrentFolder current;
    std::unique_ptr<CDestinationPageModel> model;

    void Needs(uint32_t megabytes) {
        for (uint32_t& figure : job.Estimate)
            figure = megabytes;
    }
    CDestinationPageModel& Open(bool editorWizard = false) {
        model = std::make_unique<CDestinationPageModel>(
            Context(editorWizard), current, drives,
            [](int id) { return id == 179 ? "%d MB" : "#" + std::to_string(id); });
        model->Initialise();
        model->Activate();
        return *model;
    }
    bool Submit(const std::string& path) {
        model->View().path = path;
        model->PathChanged();
        return model->Validate();
    }
};

TEST(DestinationRules, CompressionEntriesAndJobValuesMapBothWays) {
    const CompressionChoice table[] = {{0, 0}, {1, 0}, {2, 1}, {2, 3}, {2, 6}};
    for (int entry = 0; entry < kCompressionEntries; ++entry) {
        const CompressionChoice c = CompressionForEntry(entry);
        EXPECT_EQ(c.type, table[entry].type) << entry;
        EXPECT_EQ(c.level, table[entry].level) << entry;
        EXPECT_EQ(CompressionEntry(c.type, c.level), entry);
    }
    struct Case {
        int type, level, entry;
    } shown[] = {{1, 9, 1}, {2, 9, 0}, {3, 1, 0}}; // any level of the own coder; unknown pairs
    for (const Case& c : shown)
        EXPECT_EQ(CompressionEntry(c.type, c.level), c.entry) << c.type << "/" << c.level;
}

TEST_F(DestinationFixture, CompressionIsOfferedOnlyWhereThereIsDataToCompress) {
    job.Toc = MakeToc({{0, false}, {20000, true}}, 40000); // audio track 1, data track 2
    struct Case {
        uint16_t kind;
        int audioMode;
        const char* order;
        bool editorWizard;
        const char* editorData;
        bool shown;
    } cases[] = {
        {2, 1, "", false, "", false},    // audio into sound files
        {2, 2, "", false, "", true},     // audio as data tracks
        {6, 1, "01", false, "", false},  // CD Extra, audio track only
        {6, 1, "0102", false, "", true}, // ... with its data track
        {1, 1, "", false, "", true},     // no order yet: the whole disc
        {0, 1, "", false, "", true},
        {0, 1, "", true, "0", false}, // editor compilation without data
        {0, 1, "", true, "1", true},
        {0, 2, "", true, "", true},
    };
    for (const Case& c : cases) {
        job.CdType = c.kind;
        job.AudioRecordMode = c.audioMode;
        job.TrackOrder = c.order;
        store.Set("ZlxBuildEditorData", c.editorData);
        EXPECT_EQ(Open(c.editorWizard).View().compressionShown, c.shown)
            << c.kind << " mode " << c.audioMode << " order " << c.order;
    }
}

TEST(DestinationRules, RootsAndImageNames) {
    const std::pair<const char*, const char*> roots[] = {
        {"  C:/Images/a.zl4", "C:\\"},
        {"\\\\server\\images\\a.zl4", "\\\\server\\images\\"},
        {"a.zl4", "D:\\"}, // below the current folder
        {"\\a.zl4", "D:\\"},
    };
    for (const auto& [path, root] : roots)
        EXPECT_EQ(DestinationRoot(path, "D:\\Work"), root) << path;

    const std::pair<const char*, const char*> ownFolders[] = {
        {"C:\\F.d\\N", "C:\\F.d\\N\\N.zl4"},
        {"C:\\F\\N.img", "C:\\F\\N\\N.img"},
        {"N", "N\\N.zl4"},
    };
    for (const auto& [path, final] : ownFolders)
        EXPECT_EQ(PathInOwnFolder(CompleteImageName(path)), final) << path;
    EXPECT_EQ(CompleteImageName("C:\\F\\"), "C:\\F\\") << "no name, nothing to complete";
}

TEST_F(DestinationFixture, SizesShowFreeAndNeededSpaceOfTheTypedPathsDrive) {
    struct Case {
        const char* path;
        uint32_t needed;
        const char *freeText, *neededText;
        bool red;
        uint64_t total;
    } cases[] = {
        {"C:\\Images\\Backup.zl4", 100, "500 MB", "100 MB", false, 1000},
        {"C:\\Images\\Backup.zl4", 501, "500 MB", "501 MB", true, 1000},
        {"Backup", 100, "1500 MB", "100 MB", false, 2000}, // below the current folder
        {"E:\\Backup.zl4", 0, "#175", "#175", false, 650},
        {"X:\\Backup.zl4", 100, "#175", "100 MB", true, 0}, // no such drive
    };
    for (const Case& c : cases) {
        Needs(c.needed);
        Open();
        model->View().path = c.path;
        model->PathChanged();
        const DestinationView& view = model->View();
        EXPECT_EQ(job.DestinationFile, c.path);
        EXPECT_EQ(view.freeText, c.freeText) << c.path;
        EXPECT_EQ(view.neededText, c.neededText) << c.path;
        EXPECT_EQ(view.neededRed, c.red) << c.path;
        EXPECT_EQ(view.totalMB, c.total) << c.path;
    }
    // Another compression level needs another amount of space.
    Needs(0);
    job.Estimate[kDataCooked + 4] = 42;
    Open();
    model->View().compression = 4;
    model->CompressionChanged();
    EXPECT_EQ(job.CompressionType, 2);
    EXPECT_EQ(job.CompressionLevel, 6);
    EXPECT_EQ(model->View().neededText, "42 MB");
}

TEST_F(DestinationFixture, ViewIsNetworkOnlyWhereLocalImagesAreBarredOrTheJobAsksForIt) {
    struct Case {
        const char *disabled, *netFolder;
        bool configThere;
        int insertIntoNet, view;
    } cases[] = {
        {"1", "", false, 0, 1},
        {"0", "", false, 1, 0},
        {"0", "\\\\server\\zl\\", false, 1, 0},
        {"0", "\\\\server\\zl\\", true, 1, 1},
        {"", "\\\\server\\zl\\", true, 0, 0},
    };
    for (const Case& c : cases) {
        store.Set("ZlxDisabelUseOfLoacalImages", c.disabled);
        store.Set("ZlxConfigPathNet", c.netFolder);
        system.files.erase("\\\\server\\zl\\zlximg.dat");
        if (c.configThere)
            system.files.insert("\\\\server\\zl\\zlximg.dat");
        job.InsertIntoNet = c.insertIntoNet;
        EXPECT_EQ(Open().View().viewIndex, c.view) << c.disabled << c.netFolder << c.configThere;
    }
    Open().View().viewIndex = 1;
    ASSERT_TRUE(model->Validate());
    EXPECT_EQ(job.InsertIntoNet, 1);
}

TEST_F(DestinationFixture, ChecksRefuseInTheirOrderAndKeepWhatWasTyped) {
    system.files.insert("C:\\Images\\Old\\Old.zl4");
    system.files.insert("C:\\Images\\Flat.zl4");
    struct Case {
        const char* path;
        uint32_t needed;
        std::vector<int> answers;
        bool ownFolder;
        bool accepted;
        std::vector<int> messages;
        const char* stored;
    } cases[] = {
        {"   ", 100, {}, true, false, {154}, ""},
        {"C:\\Im*ges\\a", 100, {}, true, false, {155}, "C:\\Im*ges\\a"},
        {"C:/Images/a", 100, {}, true, false, {155}, "C:/Images/a"},
        {"C:\\Images\\", 100, {}, true, false, {159}, "C:\\Images\\"},
        {"E:\\Backup", 100, {}, true, false, {158}, "E:\\Backup.zl4"},
        {"X:\\Backup", 100, {}, true, false, {158}, "X:\\Backup.zl4"},
        {"C:\\Images\\Big  ", 500, {kAnswerNo}, true, false, {160}, "C:\\Images\\Big.zl4"},
        {"C:\\Images\\Big", 500, {kAnswerYes}, true, true, {160}, "C:\\Images\\Big.zl4"},
        {"C:\\Images\\Old", 100, {kAnswerNo}, true, false, {156}, "C:\\Images\\Old.zl4"},
        {"C:\\Images\\Old", 100, {}, false, true, {}, "C:\\Images\\Old.zl4"},
        {"\\\\server\\images\\a", 100, {}, true, true, {}, "\\\\server\\images\\a.zl4"},
        {"C:\\Images\\Flat.zl4", 100, {kAnswerYes}, false, true, {156}, "C:\\Images\\Flat.zl4"},
    };
    for (const Case& c : cases) {
        Needs(c.needed);
        Open().View().ownFolder = c.ownFolder;
        messages.shown.clear();
        messages.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(Submit(c.path), c.accepted) << c.path;
        EXPECT_EQ(messages.Ids(), c.messages) << c.path;
        EXPECT_EQ(job.DestinationFile, c.stored) << c.path;
        EXPECT_EQ(model->View().path, c.stored) << c.path;
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].argument, "C:\\Images\\Flat.zl4");

    drives.drives["C:\\"].writable = false;
    Open();
    messages.shown.clear();
    EXPECT_FALSE(Submit("C:\\Images\\a"));
    EXPECT_EQ(messages.Ids(), std::vector<int>{157});
}

TEST_F(DestinationFixture, ABareNameIsCheckedInTheCurrentFolder) {
    system.files.insert("D:\\Work\\Disc\\Disc.zl4");
    Open();
    messages.answers = {kAnswerNo};
    drives.asked.clear();
    EXPECT_FALSE(Submit("  Disc"));
    EXPECT_EQ(model->View().path, "  Disc.zl4") << "the field keeps what was typed";
    EXPECT_EQ(drives.asked, (std::vector<std::string>{"kind D:\\", "write D:\\"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].id, 156);
    EXPECT_EQ(messages.shown[0].argument, "D:\\Work\\Disc\\Disc.zl4");
}

} // namespace
