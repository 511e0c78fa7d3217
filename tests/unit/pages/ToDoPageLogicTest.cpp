#include "pages/ToDoPageLogic.h"
#include "support/PageTestBase.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr uint16_t kDvdVideo = 32 | 512, kDvdOther = 32 | 1024;

// Quick Copy files scripted by their count; the dialog can delete them all.
struct ScriptedQuickCopy : IQuickCopyAccess {
    int files = 0;
    bool inUse = true;
    bool dialogDeletesAll = false;
    std::vector<int> searches;
    int loads = 0;
    void Find(CBuildJob& job, int mode) override {
        searches.push_back(mode);
        if (mode == 2 && dialogDeletesAll)
            files = 0;
        job.QuickCopyMatchCount = files;
        job.QuickCopyInUse = files > 0 && inUse;
        if (files)
            job.QuickCopyDisplayName = "Backup (DISC)";
    }
    void Load(CBuildJob& job) override {
        ++loads;
        job.QuickCopySettingsLoaded = 1;
        job.SkipRange = 77; // what the file said
    }
};

struct ScriptedFolders : IFolderQuery {
    std::set<std::string> directories;
    uint64_t freeBytes = uint64_t{100} << 30;
    bool DirectoryExists(const std::string& path) override { return directories.count(path) != 0; }
    std::string CurrentDirectory() override { return "D:\\Work"; }
    bool FreeBytes(const std::string& path, uint64_t& bytes) override {
        asked.push_back(path);
        bytes = freeBytes;
        return true;
    }
    std::vector<std::string> asked;
};

struct ToDoFixture : ::testing::Test, PageTestBase {
    ScriptedQuickCopy quickCopy;
    ScriptedFolders folderQuery;
    bool editor = false;
    std::unique_ptr<CToDoPageModel> model;

    void Disc(uint16_t kind, const std::string& label, int audioTracks = 0, int dataTracks = 1) {
        job.CdType = kind;
        job.SourceDrive = 'E';
        job.SourceDiscName = label;
        job.Label = label;
        job.AudioTrackCount = audioTracks;
        job.DataTrackCount = dataTracks;
        job.RawDataReadable = job.SubChannelReadable = 1;
        job.AudioRecordMode = 2;
    }
    CToDoPageModel& Open() {
        for (int slot = 1; slot <= kPageSlotCount; ++slot)
            slots.AddPage(slot);
        slotPages.log.clear();
        model = std::make_unique<CToDoPageModel>(Context(editor), quickCopy, folderQuery,
                                                 [](int id) { return "#" + std::to_string(id); });
        model->Initialised();
        model->Activate();
        return *model;
    }
    int SelectedCode() {
        return model->View().presets[static_cast<size_t>(model->View().selected)];
    }
};

TEST(ToDoRules, PresetsFollowTheDiscKind) {
    struct Case {
        uint16_t kind;
        std::vector<int> codes;
        int defaultCode;
    } cases[] = {
        {0, {0, 1, 3}, 1},
        {1, {0, 1, 3}, 1},
        {0 | 4096, {0, 1, 3}, 1},
        {kDvdOther, {0, 1, 3}, 0},
        {kDvdVideo, {0}, 0},
        {2, {0}, 0},
        {5, {0}, 0},
        {6, {0}, 0},
        {7, {0}, 0},
    };
    for (const Case& c : cases) {
        const PresetList list = PresetsForDisc(c.kind);
        EXPECT_EQ(list.codes, c.codes) << "kind " << c.kind;
        EXPECT_EQ(list.defaultCode, c.defaultCode) << "kind " << c.kind;
    }
}

TEST_F(ToDoFixture, PresetsSetTheReadOptionsWithTheDiscAndDriveOverrides) {
    struct Case {
        uint16_t kind;
        int code;
        int subChannelReadable, audioMode, preAudioSub, quickCopyFiles;
        // fast read, sub-channel, fast skip, Quick Copy file, sector size, type, skip range
        int fast, szq, skip, zqc, size, type, range;
    } cases[] = {
        {0, 0, 1, 2, 0, 0, 1, 0, 1, 0, 2048, 0, 1},
        {0, 1, 1, 2, 0, 0, 1, 1, 1, 0, 2352, 256, 1},
        {0, 1, 0, 2, 0, 0, 1, 0, 1, 0, 2352, 256, 1}, // drive without sub-channel
        {0, 3, 1, 2, 0, 0, 1, 0, 1, 1, 2048, 0, 500}, // unwritten areas: a new file
        {0, 3, 1, 2, 0, 2, 1, 0, 1, 0, 2048, 0, 500}, // ... not when files exist
        {kDvdOther, 1, 1, 2, 0, 0, 1, 1, 1, 0, 2048, 0, 1},
        {2, 0, 1, 2, 0, 0, 1, 0, 1, 0, 2352, 256, 1}, // audio is always raw
        {2, 0, 1, 2, 1, 0, 1, 1, 1, 0, 2352, 256, 1}, // sub-channel for audio discs
        {2, 0, 1, 1, 1, 0, 1, 0, 1, 0, 2352, 256, 1}, // ... but not into sound files
        {1, 0, 1, 2, 1, 0, 1, 0, 1, 0, 2048, 0, 1},   // mixed mode is no audio disc
        {5, 0, 1, 2, 0, 0, 1, 0, 1, 0, 2352, 256, 1}, // Video CD
        {0, 5, 1, 2, 0, 0, 0, 0, 0, 0, 2352, 256, 1}, // editor, audio as data tracks
        {0, 5, 1, 1, 0, 0, 0, 0, 0, 0, 2048, 0, 1},
    };
    for (const Case& c : cases) {
        job.CdType = c.kind;
        job.SubChannelReadable = c.subChannelReadable;
        job.AudioRecordMode = c.audioMode;
        job.Presets.SubChannelForAudioDiscs = c.preAudioSub;
        job.QuickCopyMatchCount = c.quickCopyFiles;
        job.ApplyPreset(c.code);
        const std::vector<int> got = {job.FastRead,           job.ReadSubChannel, job.FastErrorSkip,
                                      job.WriteQuickCopyFile, job.SectorSize,     job.SectorType,
                                      job.SkipRange};
        EXPECT_EQ(got, (std::vector<int>{c.fast, c.szq, c.skip, c.zqc, c.size, c.type, c.range}))
            << "kind " << c.kind << " preset " << c.code;
    }
    job.SkipRange = 9;
    job.ApplyPreset(4); // the Quick Copy preset takes its options from the file
    EXPECT_EQ(job.SkipRange, 9);
}

TEST_F(ToDoFixture, DefaultImageNames) {
    struct Case {
        uint16_t kind;
        std::string description, album, label, folder;
        bool found, editorMode;
        std::string expected;
    } cases[] = {
        {0, "My backup", "", "DISC", "C:\\Images\\", false, false, "C:\\Images\\My backup.zl4"},
        {0, "", "", "  DISC  ", "", false, false, "D:\\Work\\DISC.zl4"},
        {2, std::string(31, 'x'), "Album", "AUDIO", "C:\\", true, false, "C:\\Album.zl4"},
        {2, std::string(30, 'x'), "Album", "AUDIO", "C:\\", true, false,
         "C:\\" + std::string(30, 'x') + ".zl4"},
        {6, "", "Unknown", "EXTRA", "C:\\", false, false, "C:\\EXTRA.zl4"},
        {6, "", "Album", "EXTRA", "C:\\", true, false, "C:\\Album.zl4"},
        {0, "", "", "   ", "C:\\", false, false, "C:\\#140.zl4"},
        {0, "a/b:c?d*e<f>g|h\"i\\j", "", "", "C:\\", false, false, "C:\\a-b-c-d-e-f-g-h-i-j.zl4"},
        {2, "", "Album", "COMPILATION", "C:\\", false, true, "C:\\COMPILATION.zl4"},
    };
    for (const Case& c : cases) {
        job.CdType = c.kind;
        job.AlbumTitle = c.album;
        job.SourceDiscName = c.label;
        job.AlbumInfoFound = c.found;
        EXPECT_EQ(
            MakeDefaultImageName(job, {c.description, c.folder, c.editorMode, "#140"}, folderQuery),
            c.expected);
    }
    folderQuery.directories = {"C:\\Disc", "C:\\Disc1", "C:\\Disc2"};
    EXPECT_EQ(MakeDefaultImageName(job, {"Disc", "C:\\", false, "#140"}, folderQuery),
              "C:\\Disc3.zl4");
    EXPECT_EQ(PathRoot("C:\\a\\b.zl4"), "C:\\");
    EXPECT_EQ(PathRoot("\\\\server\\share\\x.zl4"), "\\\\server\\share\\");
    EXPECT_EQ(PathRoot("relative.zl4"), "");
}

TEST_F(ToDoFixture, ADataCdOpensOnTheAdvancedPresetAndFinishesInEasyMode) {
    Disc(0, "BACKUP  ");
    buildSettings.AllowLabelChange = 1;
    CToDoPageModel& page = Open();
    const ToDoView& view = page.View();
    EXPECT_EQ(view.presets, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(SelectedCode(), kPresetAdvanced);
    EXPECT_EQ(job.SectorSize, 2352);
    EXPECT_EQ(job.ReadSubChannel, 1);
    EXPECT_EQ(view.sourceText, "E:");
    EXPECT_EQ(view.label, "BACKUP");
    EXPECT_EQ(view.description, "BACKUP");
    EXPECT_TRUE(view.labelEnabled);
    EXPECT_EQ(view.quickCopyText, "#282");
    EXPECT_EQ(quickCopy.searches, (std::vector<int>{0}));
    EXPECT_EQ(page.Buttons(), kWizBack | kWizFinish);
    EXPECT_EQ(folderQuery.asked.back(), "C:\\");

    page.View().label = "backup"; // a change of case is a change
    page.Finish();
    EXPECT_EQ(writerStarts, 1);
    EXPECT_EQ(job.LabelChanged, 1);
    EXPECT_EQ(job.Label, "backup");
    EXPECT_EQ(job.DestinationFile, settings.ImagePath + "BACKUP.zl4");
}

TEST_F(ToDoFixture, AnAudioCdIsDescribedByItsAlbumAndPrefersItsQuickCopyFile) {
    Disc(2, "AUDIO", 12, 0);
    job.Artist = "The Band";
    job.AlbumTitle = "First Light";
    buildSettings.AllowLabelChange = 1;
    quickCopy.files = 1;
    CToDoPageModel& page = Open();
    EXPECT_EQ(page.View().presets, (std::vector<int>{0, 4}));
    EXPECT_EQ(SelectedCode(), kPresetQuickCopy);
    EXPECT_EQ(page.View().quickCopyText, "Backup (DISC)");
    EXPECT_EQ(job.SkipRange, 77);
    EXPECT_FALSE(page.View().labelEnabled) << "an audio CD's label is never changed";
    EXPECT_EQ(page.View().description, "The Band (First Light)");

    page.View().selected = 0;
    page.PresetChanged();
    EXPECT_EQ(page.View().quickCopyText, "#300");
    EXPECT_EQ(job.QuickCopySettingsLoaded, 0);
    EXPECT_EQ(job.SkipRange, 1);
}

TEST_F(ToDoFixture, ButtonsAndTheFollowingPages) {
    struct Case {
        uint16_t kind;
        int audio, data;
        bool expert, spaceShort, editorMode;
        int buttons;
        std::vector<std::string> slotLog;
        bool trackOrderCleared;
    } cases[] = {
        {2,
         12,
         0,
         true,
         false,
         false,
         kWizBack | kWizNext,
         {"-7", "-6", "-5", "-4", "-3", "+3", "+4", "+6", "+7"},
         true},
        {1,
         3,
         1,
         true,
         false,
         false,
         kWizBack | kWizNext,
         {"-7", "-6", "-5", "-4", "-3", "+3", "+4", "+5", "+6", "+7"},
         true},
        {0,
         0,
         1,
         true,
         false,
         false,
         kWizBack | kWizNext,
         {"-7", "-6", "-5", "-4", "-3", "+5", "+6", "+7"},
         false},
        {0,
         0,
         1,
         false,
         true,
         false,
         kWizBack | kWizNext,
         {"-7", "-6", "-5", "-4", "-3", "+6"},
         false},
        {0, 0, 1, false, false, true, kWizFinish, {}, false},
        {0, 0, 1, true, false, true, kWizNext, {"-7", "-6", "-5", "-4", "-3", "+6", "+7"}, false},
    };
    for (const Case& c : cases) {
        Disc(c.kind, "DISC", c.audio, c.data);
        job.TrackOrder = "0102";
        buildSettings.EasyCopyMode = c.expert ? 0 : 1;
        folderQuery.freeBytes = c.spaceShort ? 0 : uint64_t{1} << 40;
        job.Estimate[kDataCooked] = job.Estimate[kDataRaw] = job.Estimate[kWholeDiscRaw] = 600;
        editor = c.editorMode;
        CToDoPageModel& page = Open();
        EXPECT_EQ(page.Buttons(), c.buttons) << "kind " << c.kind;
        if (c.buttons & kWizNext) {
            EXPECT_TRUE(page.Next());
            EXPECT_EQ(slotPages.log, c.slotLog) << "kind " << c.kind;
            EXPECT_EQ(job.TrackOrder.empty(), c.trackOrderCleared);
        }
    }
}

TEST_F(ToDoFixture, RawOnlyDiscsStayWithoutARawReadingDrive) {
    Disc(5, "VCD");
    job.RawDataReadable = 0;
    buildSettings.EasyCopyMode = 0;
    CToDoPageModel& page = Open();
    EXPECT_FALSE(page.Next());
    EXPECT_EQ(messages.Ids(), (std::vector<int>{180}));
    EXPECT_TRUE(slotPages.log.empty());
}

TEST_F(ToDoFixture, TheExpertSwitchIsSavedAtOnceAndKeepsTheUsersChoices) {
    Disc(0, "DISC");
    CToDoPageModel& page = Open();
    page.View().selected = 2;
    page.PresetChanged();
    page.View().expert = true;
    EXPECT_EQ(page.ToggleExpert(), kWizBack | kWizNext);
    EXPECT_EQ(store.Get("ZlxBuildSettings").substr(3, 1), "0");
    EXPECT_EQ(SelectedCode(), kPresetUnwritten) << "no refill on the toggle";
    page.Back();
    page.Activate();
    EXPECT_EQ(SelectedCode(), kPresetAdvanced) << "refilled after Back";
}

TEST_F(ToDoFixture, BrowsingQuickCopyFiles) {
    Disc(0, "DISC");
    CToDoPageModel& page = Open();
    page.BrowseQuickCopy();
    EXPECT_EQ(messages.Ids(), (std::vector<int>{293}));

    quickCopy.files = 2;
    page.BrowseQuickCopy();
    EXPECT_EQ(page.View().presets, (std::vector<int>{0, 1, 3, 4}));
    EXPECT_EQ(SelectedCode(), kPresetQuickCopy);
    EXPECT_EQ(page.View().quickCopyText, "Backup (DISC)");

    quickCopy.dialogDeletesAll = true;
    page.BrowseQuickCopy();
    EXPECT_EQ(page.View().presets, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(SelectedCode(), kPresetAdvanced);
    EXPECT_EQ(job.SectorSize, 2352) << "the preset now shown is the one applied";
    EXPECT_EQ(page.View().quickCopyText, "#282");
}

TEST_F(ToDoFixture, EditorCompilations) {
    editor = true;
    job.SourceDiscName = "MIX  ";
    job.Description = "Summer mix";
    store.Set("ZlxBuildEditorData", "1");
    CToDoPageModel& page = Open();
    EXPECT_EQ(page.View().presets, (std::vector<int>{kPresetEditor}));
    EXPECT_EQ(page.View().sourceText, "#210");
    EXPECT_EQ(page.View().resultText, "#215");
    EXPECT_TRUE(page.View().labelEnabled);
    EXPECT_EQ(page.View().label, "MIX");
    EXPECT_TRUE(quickCopy.searches.empty());
    page.View().label = "MIX 2";
    page.Finish();
    EXPECT_EQ(job.Label, "MIX 2");
    EXPECT_EQ(job.LabelChanged, 0);
}

TEST_F(ToDoFixture, ExplorerThatCannotStartIsReported) {
    Disc(0, "DISC");
    CToDoPageModel& page = Open();
    EXPECT_TRUE(page.StartExplorer());
    EXPECT_EQ(system.started.back(), "explorer.exe E:");
    system.startResult = 2;
    EXPECT_FALSE(page.StartExplorer());
    EXPECT_EQ(messages.Ids(), (std::vector<int>{171}));
}

} // namespace
