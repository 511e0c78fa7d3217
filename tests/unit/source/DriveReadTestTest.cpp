#include "settings/MemoryEnvStore.h"
#include "source/DriveReadTest.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

const std::string kModel = "PLEXTOR _1.04_CD-R PX-W4824A"; // vendor_revision_product

struct ReadTestFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeDriveLibrary drives;
    CDriveModelCache cache{store, registry};
    CDriveReadTest test{drives, cache};
    CBuildJob job{store, registry};
    FakeDrive& drive = drives.drives['E'];

    ReadTestFixture() {
        drive.vendor = "PLEXTOR ";
        drive.revision = "1.04";
        drive.product = "CD-R PX-W4824A  ";
    }
    void Run(uint16_t type, SectorRange audio = {0, 80000}, SectorRange data = {0, 80000}) {
        job.SourceDrive = 'E';
        job.CdType = type;
        job.LastSector = 80000;
        job.AudioArea = audio;
        job.DataArea = data;
        test.Run(job);
    }
    std::vector<int> Results() const {
        return {job.RawDataReadable, job.SubChannelReadable, job.RawAudioReadable, job.RawDataType,
                job.RawAudioType,    job.DataReadMethod,     job.ReadFUA};
    }
};

TEST(TestPositions, FiveStepsOfAnEighthDownFromTheTop) {
    using Positions = std::array<uint32_t, kTestPositions>;
    EXPECT_EQ(TestPositions({1000, 9000}), (Positions{8000, 7000, 6000, 5000, 4000}));
    EXPECT_EQ(TestPositions({100, 107}), (Positions{107, 107, 107, 107, 107}));
}

TEST_F(ReadTestFixture, KnownModelIsNotTestedAgainUnlessTheDriveIsVirtual) {
    store.Set(kModel, "110120");
    job.ReadFUA = 1;
    Run(2);
    EXPECT_TRUE(drive.reads.empty());
    EXPECT_EQ(Results(), (std::vector<int>{1, 1, 0, 1, 2, 0, 0}));
    EXPECT_TRUE(registry.m_writes.empty());

    drives.virtualLetters = "E";
    drive.commands = {ReadCommand::Plextor};
    Run(2);
    EXPECT_EQ(Results(), (std::vector<int>{0, 0, 1, 0, 2, 0, 0})); // no data to test on audio
    EXPECT_EQ(store.Get(kModel), "001020");
}

TEST_F(ReadTestFixture, ShortCacheValueIsIgnoredAndTheTestStopsAtTheFirstGoodPosition) {
    store.Set(kModel, "11012");
    drive.refuses = [](ReadCommand c, uint32_t sector) {
        return c == ReadCommand::ReadCd && sector >= 60000;
    };
    Run(0);
    ASSERT_EQ(drive.reads.size(), 4u); // READ CD covers the data reading
    EXPECT_EQ(drive.reads[2].first, 50000u);
    EXPECT_EQ(drive.reads[3].command, ReadCommand::ReadCdSubChannel); // from the top again
    EXPECT_EQ(drive.reads[3].first, 70000u);
    EXPECT_EQ(drive.reads[3].size, 2368u);
    EXPECT_EQ(registry.m_values[CMemoryRegistry::Path(RegRoot::LocalMachine, kDriveModelCacheKey,
                                                      kModel)],
              "111110");
}

TEST_F(ReadTestFixture, WithoutForceUnitAccessTheDataReadFallsBackAndRawComesFromTheBlockSize) {
    drive.commands = {ReadCommand::NoFua};
    Run(0, {0, 80000}, {1000, 9000});
    EXPECT_EQ(drive.ReadCount(ReadCommand::Normal), 5u);
    EXPECT_EQ(Results(), (std::vector<int>{1, 0, 0, 2, 0, 2, 0}));
    EXPECT_EQ(drive.blockSizeRequests, (std::vector<int>{2352, 2048}));
    EXPECT_EQ(drive.reads.back().first, 8000u); // within the data area
    EXPECT_EQ(drive.reads.back().size, 2352u);

    drive.vendor = "DVD"; // on a DVD only the normal read is tested
    drive.reads.clear();
    Run(32);
    EXPECT_EQ(drive.reads.size(), 5u + 1);
    EXPECT_EQ(Results(), (std::vector<int>{0, 0, 0, 0, 0, 2, 0}));
}

TEST_F(ReadTestFixture, AudioFallsBackToTheSecondVendorCommandAndNothingEndsInNine) {
    drive.commands = {ReadCommand::Normal, ReadCommand::Nec};
    drive.blockSizeAccepted = false;
    Run(1, {30000, 80000}, {0, 29999});
    EXPECT_EQ(Results(), (std::vector<int>{0, 0, 1, 9, 3, 1, 1}));
    EXPECT_EQ(drive.reads.back().first, 73750u);
    EXPECT_EQ(drive.blockSizeRequests, std::vector<int>{2352}); // refused: nothing to restore

    drive.commands.clear();
    drive.vendor = "OTHER";
    Run(1);
    EXPECT_EQ(store.Get("OTHER_1.04_CD-R PX-W4824A"), "000999");
}

} // namespace
