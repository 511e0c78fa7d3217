#include "app/BuildJob.h"
#include "settings/MemoryEnvStore.h"
#include "settings/StoreJournal.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

struct JobFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;

    std::unique_ptr<CBuildJob> NewJob() {
        auto job = std::make_unique<CBuildJob>(store, registry);
        store.ClearJournal();
        return job;
    }
    // Audio CD of n tracks of 1000 sectors each, starting at 0.
    static _CDROM_TOC AudioToc(uint32_t n) {
        std::vector<std::pair<uint32_t, bool>> tracks;
        for (uint32_t i = 0; i < n; ++i)
            tracks.push_back({i * 1000, false});
        return MakeToc(tracks, n * 1000);
    }
    bool Written(const std::string& name) const {
        const Names names = store.WrittenNames();
        return std::find(names.begin(), names.end(), name) != names.end();
    }
};

TEST_F(JobFixture, ConstructionMarksTheJobNotReady) {
    store.Set("ZlxDisabelUseOfLoacalImages", "1x");
    CBuildJob job(store, registry);
    EXPECT_EQ(store.Journal().back(), "T\tZLXBuildDataReady\t0");
    EXPECT_EQ(job.InsertIntoNet, 1);
}

TEST_F(JobFixture, WritesEveryValueInItsPlace) {
    // A custom copy of a mixed mode disc with every optional value set; neighbouring
    // switches differ, so a swapped or misplaced value shows in the journal.
    auto job = NewJob();
    job->SourceDrive = 'E';
    job->DestinationFile = "C:\\Images\\disc.zl4";
    job->CompressionType = 2;
    job->CompressionLevel = 6;
    job->ReadFUA = 1;
    job->RawDataReadable = job->RawAudioReadable = 1;
    job->RawDataType = 1;
    job->RawAudioType = 3;
    job->SectorSize = 2352;
    job->SectorType = 256;
    job->UnchangedDisc = 0;
    job->CdType = 1;
    job->Toc = MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000);
    job->TrackOrder = "0203";
    job->SkipRange = 5;
    job->AudioRecordMode = 1;
    job->AudioTrackCount = 2;
    job->FastRead = 1;
    job->ReadSubChannel = 0;
    job->FastErrorSkip = 1;
    job->AutoCreateFolder = 0;
    job->EjectAfterBuild = 1;
    job->LabelChanged = 0;
    job->InsertIntoNet = 1;
    job->DynamicErrorHandling = 0;
    job->Label = "MY CD";
    job->Description = "desc";
    job->TimesToValidate = 3;
    job->InfoText = "02 Two\r\n";
    job->Password = "secret";
    job->StartProgram = "setup.exe";
    job->StartPath = "C:\\Start";
    job->AutoInsertDrive = "V:";
    job->HotkeyVirtualCode = 0x5A;
    job->HotkeyModifiers = 6;
    job->Artist = "Artist";
    job->AlbumTitle = "Album";
    job->TrackTitles = {"", "Two", "Three"};
    job->MaxReadSpeed = 24;
    job->SelReadSpeed = 16;
    job->DynamicReadSpeed = 8;
    job->AudioFileFormat = "wav";
    job->AnalogRecording = 1;
    job->PreCaching = 0;
    job->WriteQuickCopyFile = 1;
    job->QuickCopyInUse = job->QuickCopySettingsLoaded = 1;
    job->QuickCopyFileName = "C:\\Q\\disc.zqc";
    job->WriteToStore();

    const std::pair<const char*, const char*> texts[] = {
        {"ZLXBuildSourceCDDrive", "E"},
        {"ZLXBuildDestinationFile", "C:\\Images\\disc.zl4"},
        {"ZlxBuildCompressionType", "2"},
        {"ZlxBuildCompressionLevel", "6"},
        {"ZlxBuildReadFUA", "1"},
        {"ZlxBuildRAWDataType", "1"},
        {"ZlxBuildRAWAudioType", "3"},
        {"ZlxBuildSectorSize", "2352"},
        {"ZlxBuildSectorType", "256"},
        {"ZlxBuildZLXType", "2"},
        {"ZlxBuildCDType", "1"},
        {"ZlxBuildSkipRange", "5"},
        {"ZlxBuildAudioRecordMode", "1"},
        {"ZlxBuildCreateCustomCD", "1"},
        {"ZlxBuildFastReadMethod", "1"},
        {"ZlxBuildReadSZQ", "0"},
        {"ZlxBuildFastErrorSkip", "1"},
        {"ZlxBuildAutoCreateFolder", "0"},
        {"ZlxBuildEjectAfterBuild", "1"},
        {"ZlxBuildChangeZLXLabel", "0"},
        {"ZlxBuildInsertIntoNet", "1"},
        {"ZlxBuildDynamicErrorHandling", "0"},
        {"ZLXBuildZLXLabel", "MY CD"},
        {"ZlxBuildDescription", "desc"},
        {"ZlxBuildTimesToValidate", "3"},
        {"ZlxBuildInfoText", "02 Two\r\n"},
        {"ZlxBuildPassword", "secret"},
        {"ZlxBuildStartProgram", "setup.exe"},
        {"ZlxBuildStartPath", "C:\\Start"},
        {"ZlxBuildAutoInsertDrive", "V:"},
        {"ZlxBuildHotkeyVirtualCode", "90"},
        {"ZlxBuildHotkeyModifiers", "6"},
        {"ZlxBuildAudioArtist", "Artist"},
        {"ZlxBuildAudioRecord", "Album"},
        // No name for the data track.
        {"ZlxBuildNameOfAudioTrack2", "Two"},
        {"ZlxBuildNameOfAudioTrack3", "Three"},
        {"ZlxBuildTrackOrder", "0203"},
        {"ZlxBuildMaxReadSpeed", "24"},
        {"ZlxBuildSelReadSpeed", "16"},
        {"ZlxBuildDynamicReadSpeed", "8"},
        {"ZlxBuildAudioFileFormat", "wav"},
        {"ZlxBuildACMSettings", "10"},
        {"ZlxBuildAcmFormatTag", "1"},
        {"ZlxBuildAcmAvgBytesPerSec", "176400"},
        {"ZlxBuildAcmBlockAlign", "4"},
        {"ZlxBuildAcmChannels", "2"},
        {"ZlxBuildAcmSamplesPerSec", "44100"},
        {"ZlxBuildAcmBitsPerSample", "16"},
        {"ZlxBuildAcmSize", "0"},
    };
    Names expected;
    for (const auto& [name, text] : texts)
        expected.push_back(JournalTextLine(name, text));
    expected.push_back(JournalBinaryLine("ZlxBuildTOC", &job->Toc, sizeof job->Toc));
    expected.push_back(JournalTextLine("ZlxBuildWriteZQCFile", "1"));
    expected.push_back(JournalTextLine("ZlxBuildZQCFileName", "C:\\Q\\disc.zqc"));
    expected.push_back(JournalTextLine("ZLXBuildDataReady", "1"));
    EXPECT_EQ(store.Journal(), expected);
}

TEST_F(JobFixture, OptionalValuesAreLeftOutWhenUnset) {
    auto job = NewJob();
    job->StartPath = "C:\\Start"; // without a program, the path means nothing
    job->WriteToStore();
    for (const char* n :
         {"ZlxBuildPassword", "ZlxBuildStartProgram", "ZlxBuildStartPath", "ZlxBuildInfoText",
          "ZlxBuildAutoInsertDrive", "ZlxBuildHotkeyVirtualCode", "ZlxBuildAudioArtist",
          "ZlxBuildTrackOrder", "ZlxBuildSelReadSpeed", "ZlxBuildRAWDataType",
          "ZlxBuildZQCFileName", "ZlxBuildAcmFormatTag", "ZlxBuildZLXType"})
        EXPECT_FALSE(Written(n)) << n;

    // A drive build names no tracks.
    store.Set("ZLXBuildEditor", "1");
    job = NewJob();
    job->Toc = AudioToc(3);
    job->TrackTitles = {"One", "Two", "Three"};
    job->WriteToStore();
    EXPECT_FALSE(Written("ZlxBuildNameOfAudioTrack1"));
    EXPECT_TRUE(Written("ZlxBuildTOC"));
}

TEST_F(JobFixture, MixedModeAndCdExtraOrdersDecideTheImageType) {
    auto job = NewJob();
    job->CdType = 1;
    job->UnchangedDisc = 0;
    job->Toc = MakeToc({{0, true}, {5000, false}, {9000, false}}, 12000);
    const std::pair<const char*, const char*> cases[] = {
        {"0203", "2"}, {"01", "0"}, {"010203", nullptr}};
    for (const auto& [order, type] : cases) {
        store = CMemoryEnvStore();
        job->TrackOrder = order;
        job->WriteToStore();
        EXPECT_EQ(store.Has("ZlxBuildZLXType") ? store.Get("ZlxBuildZLXType") : "-",
                  type ? type : "-")
            << order;
    }

    job->CdType = 6 | 4096;
    job->Toc =
        MakeToc({{0, false}, {1000, false}, {2000, false}, {3000, false}, {15000, true}}, 20000);
    job->TrackOrder = "01020304";
    store = CMemoryEnvStore();
    job->WriteToStore();
    EXPECT_EQ(store.Get("ZlxBuildZLXType"), "2");
    job->TrackOrder = "0102030405";
    store = CMemoryEnvStore();
    job->WriteToStore();
    EXPECT_FALSE(store.Has("ZlxBuildZLXType"));
    job->UnchangedDisc = 1; // the rule applies to custom discs only
    job->TrackOrder = "01";
    job->WriteToStore();
    EXPECT_FALSE(store.Has("ZlxBuildZLXType"));
}

TEST_F(JobFixture, EditorBuildLoadsTheHandOverAndWritesNoTableOfContents) {
    store.Set("ZLXBuildEditor", "3");
    store.Set("ZLXBuildZLXLabel", "COMPILATION");
    store.Set("ZLXBuildDestinationFile", "C:\\out.zl4");
    store.Set("ZlxBuildInfoText", "not read for an editor build");
    auto job = NewJob();
    EXPECT_EQ(job->EditorBuild, 1);
    job->LoadEditorValues(false);
    EXPECT_EQ(job->SourceDiscName, "COMPILATION");
    EXPECT_EQ(job->Label, "COMPILATION");
    EXPECT_EQ(job->DestinationFile, "C:\\out.zl4");
    EXPECT_TRUE(job->InfoText.empty());
    job->WriteToStore();
    EXPECT_FALSE(Written("ZlxBuildTOC"));
    EXPECT_EQ(store.WrittenNames().back(), "ZLXBuildDataReady");

    store.Set("CDETotalSectors", "333000");
    EXPECT_EQ(job->EstimatedDataSizeMB(), 650u);
}

TEST_F(JobFixture, EditorWizardTakesPresetsAndTellsTheEditorItsAudioChoice) {
    store.Set("ZLXBuildEditor", "2");
    store.Set("ZlxPreCompression", "10001003" + std::string(60, '0'));
    auto job = NewJob();
    EXPECT_EQ(job->UnchangedDisc, 0);
    EXPECT_EQ(job->SectorType, 256);
    EXPECT_EQ(job->SectorSize, 2352);
    EXPECT_EQ(job->CompressionType * 10 + job->CompressionLevel, 23);
    EXPECT_EQ(store.Get("ZlxEditorAudioRecordMode"), "1");
    EXPECT_EQ(store.Get("ZlxEditorAcmSamplesPerSec"), "44100");
    EXPECT_FALSE(store.Has("ZlxEditorAcmData"));

    // When the editor has chosen, its format wins.
    store.Set("ZlxEditorAcmFormatTag", "2");
    store.Set("ZlxEditorAcmAvgBytesPerSec", "88200");
    store.Set("ZlxEditorAcmSize", "32");
    store.WriteBinary("ZlxEditorAcmData", "\x07", 1);
    store.ClearJournal();
    job->Reset();
    EXPECT_TRUE(store.Journal().empty());
    EXPECT_EQ(job->AudioFormat.avgBytesPerSec, 88200u);
    EXPECT_EQ(job->AudioFormat.extra[0], 7);

    store.Set("ZLXBuildZLXLabel", "MIX");
    store.Set("ZlxBuildInfoText", "comment");
    store.Set("CDETotalSectors", "1234");
    job->LoadEditorValues(true);
    EXPECT_EQ(job->InfoText, "comment");
    EXPECT_EQ(job->LastSector, 1234u);
    EXPECT_TRUE(job->Label.empty());

    // The audio format goes out even without audio tracks of a source disc.
    job->WriteToStore();
    EXPECT_EQ(store.Get("ZlxBuildAcmSize"), "32");
    EXPECT_TRUE(store.Has("ZlxBuildAcmData"));
    EXPECT_FALSE(Written("ZlxBuildTOC"));
}

TEST_F(JobFixture, SizeQueriesFollowTheTrackOrderAndScaleBySinglePrecisionPercent) {
    auto job = NewJob();
    job->Toc = MakeToc({{0, true}, {100000, false}, {200000, false}}, 333001);
    job->LastSector = 333000;
    job->DataSectors = 100000;
    job->AudioSectors = 233000;
    EXPECT_EQ(job->SelectedSizeMB(), 650u);
    job->UnchangedDisc = 0;
    job->TrackOrder = "0102";
    EXPECT_EQ(job->SelectedSizeMB(), (99999u + 99999u) / 1024 * 2);

    // Cooked data figures, block coder column.
    job->Estimate[kDataCooked + 0] = 195;
    job->Estimate[kDataCooked + 1] = 650;
    job->CompressionType = 1;
    job->TrackOrder = "01";
    // 99999 of 100000 data sectors: 99 %, 99 * 650 * 0.01f.
    EXPECT_EQ(job->EstimatedDataSizeMB(), 643u);
    job->Toc = MakeToc({{0, true}, {100001, false}}, 333001);
    // All of it: 100 % of 650 comes out one megabyte lower with the single-precision 0.01.
    EXPECT_EQ(job->EstimatedDataSizeMB(), 649u);
    job->DataSectors = 0;
    EXPECT_EQ(job->EstimatedDataSizeMB(), 0u);

    job->UnchangedDisc = 1;
    job->ReadSubChannel = 1;
    EXPECT_EQ(job->EstimatedDataSizeMB(), 650u + 333000u / 65536u);
    job->SectorSize = 2352;
    job->Estimate[kDataRaw + 1] = 700;
    EXPECT_EQ(job->EstimatedDataSizeMB(), 705u);
    job->AudioRecordMode = 2;
    job->AudioTrackCount = 2;
    job->Estimate[kWholeDiscRaw + 1] = 0; // nothing measured: no sub-channel allowance either
    EXPECT_EQ(job->EstimatedDataSizeMB(), 0u);
    job->CompressionType = 2;
    job->CompressionLevel = 6;
    job->Estimate[kWholeDiscRaw + 4] = 500;
    EXPECT_EQ(job->EstimatedDataSizeMB(), 505u);
}

TEST_F(JobFixture, AudioSizeUsesBytesPerSectorOfTheChosenFormat) {
    auto job = NewJob();
    job->Toc = MakeToc({{0, true}, {1001, false}, {3002, false}}, 10003);
    job->AudioSectors = 9000;
    job->BytesPerAudioSector = 2352;
    EXPECT_EQ(job->EstimatedAudioSizeMB(), 2352u * 9000 >> 20);
    job->UnchangedDisc = 0;
    job->TrackOrder = "0301";
    EXPECT_EQ(job->EstimatedAudioSizeMB(), 2352ull * 7000 >> 20);
    job->AudioRecordMode = 2;
    EXPECT_EQ(job->EstimatedAudioSizeMB(), 0u);
}

} // namespace
