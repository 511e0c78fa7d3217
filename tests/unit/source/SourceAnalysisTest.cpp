#include "settings/MemoryEnvStore.h"
#include "source/AnalysisFakes.h"
#include "source/CdTypeCode.h"
#include "source/DiscLayout.h"
#include "source/SourceAnalysis.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

using Sectors = std::vector<uint32_t>;

struct AnalysisFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeDriveLibrary drives;
    CFakeWorkInfo work;
    CFakeFileSearch files;
    CRecordingSeams seams;
    CZlxBuildSettings settings{store, registry};
    CBuildJob job{store, registry};
    CSourceAnalysis analysis{drives, store, registry, work, files, seams, seams};
    FakeDrive& drive = drives.drives['E'];

    void Insert(uint16_t type, const _CDROM_TOC& toc, uint32_t lastSector) {
        drive.cdType = type;
        drive.toc = toc;
        drive.lastSector = lastSector;
    }
    bool Analyse(uint16_t code = kCdTypeDetect) {
        return analysis.Analyse(job, settings, 'E', code);
    }
    Sectors Areas() const {
        return {job.AudioArea.first, job.AudioArea.last, job.DataArea.first, job.DataArea.last};
    }
};

TEST_F(AnalysisFixture, AudioCdFillsLayoutReadOptionsAndEstimate) {
    Insert(2, MakeToc({{0, false}, {20000, false}, {45000, false}}, 60000), 59999);
    drive.maxReadKBs = FactorKBs(10);
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(work.shown, std::vector<int>{176});
    EXPECT_EQ(work.closed, 1);
    EXPECT_EQ(drive.closed, 1);
    EXPECT_EQ(job.TrackTitles, std::vector<std::string>(3));
    EXPECT_EQ(Areas(), (Sectors{0, 59999, 0, 59999}));
    EXPECT_EQ((Sectors{uint32_t(job.AudioTrackCount), job.AudioSectors, job.DataSectors}),
              (Sectors{3, 60000, 0}));
    EXPECT_EQ(job.MaxReadSpeed, 9);
    EXPECT_EQ(job.RawAudioType, 1);
    EXPECT_EQ(job.Estimate[kWholeDiscCooked], 0u); // audio is never read cooked
    EXPECT_EQ(job.Estimate[kWholeDiscRaw], 134u);  // 59999 * 2352 / 2^20
    EXPECT_EQ(job.EjectAfterBuild, 1);
    EXPECT_EQ(seams.albumCalls, 1);
    EXPECT_EQ(seams.quickCopyCalls, 1);

    // Without digital audio reads the audio can only be recorded.
    drive.vendor = "OTHER"; // a model the cache does not know yet
    drive.commands = {ReadCommand::Normal};
    job.Presets.AudioAsDataTracks = 1;
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(job.AudioRecordMode, 1);
    EXPECT_EQ(job.AnalogRecording, 1);
}

TEST_F(AnalysisFixture, AreasSplitMixedModeAndCdExtraDiscs) {
    Insert(1, MakeToc({{0, true}, {30000, false}, {40000, false}}, 50000), 49999);
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(Areas(), (Sectors{30000, 49999, 0, 29999}));
    EXPECT_EQ((Sectors{uint32_t(job.DataTrackCount), job.DataSectors, job.AudioSectors}),
              (Sectors{1, 30000, 20000}));

    Insert(0, MakeToc({{0, false}, {20000, false}, {50000, true}}, 60000), 59999);
    drive.sessions.Sessions[0] = {1, 2, 1, 0, 38000};
    drive.sessions.Sessions[1] = {2, 3, 3, 50000, 59999};
    ASSERT_TRUE(Analyse(6 | kMultisessionFlag)); // a given kind is not asked again
    EXPECT_EQ(job.CdType, 6 | kMultisessionFlag);
    EXPECT_EQ(Areas(), (Sectors{0, 38000, 50000, 59999}));
    EXPECT_EQ(
        (std::vector<int>{SessionOfTrack(job, 0), SessionOfTrack(job, 1), SessionOfTrack(job, 2)}),
        (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(TrackSeconds(job, 1), 266); // 19999 / 75
    EXPECT_EQ(TrackSeconds(job, 2), 240); // to the end of the first session

    drive.sessionsReadable = false;
    ASSERT_TRUE(Analyse(6 | kMultisessionFlag));
    EXPECT_EQ(Areas(), (Sectors{0, 49999, 50000, 59999}));
    EXPECT_EQ(SessionOfTrack(job, 2), 1);
    EXPECT_EQ(TrackSeconds(job, 2), 247); // before the session gap: (50000 - 11401 - 20000) / 75
    EXPECT_EQ(job.TrackOrder, "");

    settings.OmitCdExtraDataTrack = 1;
    ASSERT_TRUE(Analyse(6));
    EXPECT_EQ(job.TrackOrder, "0102");
    EXPECT_EQ(job.UnchangedDisc, 0);
}

TEST_F(AnalysisFixture, CapacityAndLeadOutAreReconciled) {
    Insert(0, MakeToc({{0, true}}, 300000), 400000);
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(job.LastSector, 299999u); // more than a CD holds: the lead-out is right

    Insert(32, MakeToc({{0, true}}, 0), 2000000);
    files.filePatterns = {"E:\\VIDEO_TS\\*.*"};
    job.Presets.AudioAsDataTracks = 1;
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(job.CdType, 32 | kDvdVideoTs);
    EXPECT_EQ(job.LastSector, 2000000u);
    EXPECT_EQ(TocAddress(job.Toc.TrackData[1]), 2000001u);
    EXPECT_EQ(job.AudioRecordMode, 2);
    EXPECT_NE(job.Estimate[kWholeDiscCooked], 0u);
    EXPECT_EQ(job.Estimate[kWholeDiscRaw], 0u);
}

TEST_F(AnalysisFixture, FailedAnalysisStillFinishesTheJob) {
    Insert(2, MakeToc({{0, false}}, 1000), 999);
    drive.opens = false;
    EXPECT_FALSE(Analyse());
    EXPECT_EQ(work.closed, 1);
    EXPECT_EQ(job.NoProblemsFound, 1);
    EXPECT_EQ(seams.quickCopyCalls, 1);
    EXPECT_EQ(seams.albumCalls, 0);

    drive.opens = true;
    drive.tocReadable = false;
    EXPECT_FALSE(Analyse());
    EXPECT_EQ(drive.closed, 1);
    EXPECT_TRUE(drive.reads.empty());
}

struct DataCdFixture : AnalysisFixture {
    DataCdFixture() {
        Insert(0, MakeToc({{0, true}}, 60000), 59999);
        drive.maxReadKBs = FactorKBs(8);
        // Confirms the probe's first factor, else runs one below the request: lists 6 4 3 2 1.
        drive.runsAt = [](int f) { return FactorKBs(f == 6 ? 6 : f - 1); };
        // Editor builds zlib 1; Data CDs at most 50 %.
        job.Presets.Compression = "1000100220500000" + std::string(52, '0');
    }
};

TEST_F(DataCdFixture, WizardJobGetsTheDynamicSpeedAndTheMeasuredCompression) {
    ASSERT_TRUE(Analyse()); // all zeros: far below the limit
    EXPECT_EQ(job.MaxReadSpeed, 7);
    EXPECT_EQ(job.DynamicReadSpeed, 4); // the slowest listed speed of at least 4
    EXPECT_EQ(job.CompressionType, 1);

    drive.content = RandomSector;
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(job.CompressionType, 2);
    EXPECT_EQ(job.CompressionLevel, 6);

    drive.commands.clear(); // no good sample: nothing to compare
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(job.CompressionType, 0);
}

TEST_F(DataCdFixture, DirectBuildKeepsTheEditorCompressionAndSkipsWhatThePagesOffer) {
    store.Set("ZLXBuildEditor", "1");
    ASSERT_TRUE(Analyse());
    EXPECT_EQ(job.DynamicReadSpeed, 0);
    EXPECT_EQ(seams.albumCalls, 0);
    EXPECT_EQ(job.CompressionLevel, 1);
    EXPECT_EQ(job.EjectAfterBuild, 1);
}

} // namespace
