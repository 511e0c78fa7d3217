#include "settings/MemoryEnvStore.h"
#include "source/ReadSpeedProbe.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

using Ints = std::vector<int>;

struct SpeedFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeDriveLibrary drives;
    CReadSpeedProbe probe{drives};
    CBuildJob job{store, registry};
    FakeDrive& drive = drives.drives['E'];
    SpeedFixture() { job.SourceDrive = 'E'; }
};

TEST_F(SpeedFixture, SearchStartsTwoBelowTheReportedMaximumAndGivesUpFourAbove) {
    drive.maxReadKBs = FactorKBs(24) + 100;
    probe.ProbeMaximum(job, true);
    EXPECT_EQ(drive.speedRequests, Ints{22});
    EXPECT_EQ(job.MaxReadSpeed, 23);
    EXPECT_EQ(job.SelReadSpeed, 22);

    drive.speedRequests.clear();
    drive.runsAt = [](int f) { return FactorKBs(f < 24 ? f - 1 : 24); };
    probe.ProbeMaximum(job, false); // expert mode leaves the selection alone
    EXPECT_EQ(drive.speedRequests, (Ints{22, 23, 24}));
    EXPECT_EQ(job.MaxReadSpeed, 25);
    EXPECT_EQ(job.SelReadSpeed, 22);

    drive.speedRequests.clear();
    drive.runsAt = [](int f) { return FactorKBs(f - 1); };
    probe.ProbeMaximum(job, true);
    EXPECT_EQ(drive.speedRequests, (Ints{22, 23, 24, 25, 26, 27, 255}));
    EXPECT_EQ(job.MaxReadSpeed, 0);
    EXPECT_EQ(job.SelReadSpeed, 22);

    drive.maxReadKBs = 0; // unknown: the job keeps its speed
    job.MaxReadSpeed = 12;
    probe.ProbeMaximum(job, true);
    EXPECT_EQ(job.MaxReadSpeed, 12);
    EXPECT_EQ(job.SelReadSpeed, 11);
}

TEST_F(SpeedFixture, SpeedListHoldsTheConfirmedSpeedsLargestFirst) {
    job.MaxReadSpeed = 8;
    job.SpeedTable[50] = 99; // left from an earlier disc
    drive.runsAt = [](int f) { return FactorKBs(f == 6 ? 6 : f - 1); };
    drive.refusedSpeeds = {4};
    probe.BuildSpeedList(job);
    EXPECT_EQ(drive.speedRequests, (Ints{8, 7, 6, 5, 4, 3, 2, 255}));
    std::vector<uint32_t> expected(kSpeedSlots, 0);
    const uint32_t confirmed[] = {7, 6, 4, 2, 1}; // the request 6 ran at 6, 4 was refused
    std::copy(std::begin(confirmed), std::end(confirmed), expected.begin());
    EXPECT_EQ(std::vector<uint32_t>(job.SpeedTable, job.SpeedTable + kSpeedSlots), expected);
    EXPECT_EQ(SpeedListSlot(job, 100), 0u);
}

} // namespace
