#include "settings/MemoryEnvStore.h"
#include "source/AnalysisFakes.h"
#include "source/SizeEstimate.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

using Figures = std::vector<uint32_t>;

struct EstimateFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeDriveLibrary drives;
    CSizeEstimate estimate{drives};
    CBuildJob job{store, registry};
    FakeDrive& drive = drives.drives['E'];

    void Disc(uint16_t type, uint32_t lastSector, uint32_t dataSectors) {
        job.SourceDrive = 'E';
        job.CdType = type;
        job.LastSector = lastSector;
        job.DataSectors = dataSectors;
        job.AudioArea = job.DataArea = {0, lastSector};
    }
    Figures Group(int group) const {
        return Figures(job.Estimate + group, job.Estimate + group + 5);
    }
};

// Ten incompressible samples below sector 100000, ten of zeros above. The ratios and
// truncations are worked out by hand from the block sizes checked first.
TEST_F(EstimateFixture, FiguresExtrapolateTheGoodSamplesInSinglePrecision) {
    BlockCompressor compressor;
    const std::vector<uint8_t> zeros(32768);
    ASSERT_EQ(compressor.CompressedSize(zeros.data(), false, 1, 0), 344u);
    ASSERT_EQ(compressor.CompressedSize(zeros.data(), false, 2, 1), 163u);
    ASSERT_EQ(compressor.CompressedSize(zeros.data(), false, 2, 3), 163u);
    ASSERT_EQ(compressor.CompressedSize(zeros.data(), false, 2, 6), 52u);

    Disc(0, 200386, 100000); // a sample every 200386 / 21 = 9542 sectors
    job.ReadFUA = 1;
    drive.content = [](uint32_t sector, uint8_t* out, size_t bytes) {
        if (sector < 100000)
            RandomSector(sector, out, bytes);
        else
            std::fill(out, out + bytes, 0);
    };
    estimate.Run(job);
    EXPECT_EQ(drive.ReadCount(ReadCommand::Normal), 20u);
    // Coder: (10 * 32768 + 10 * 344) / 2^20 / 320 * 200386 = 197.74.
    // zlib 6: 328200 bytes give exactly 195.9999955, which single precision rounds to 196.
    EXPECT_EQ(Group(kWholeDiscCooked), (Figures{390, 197, 196, 196, 196}));
    // (100000 >> 10) * 2 = 194 uncompressed, while 100000 of the same sectors come to 98.7.
    EXPECT_EQ(Group(kDataCooked), (Figures{194, 98, 98, 98, 97}));

    drive.failing = {{9542 * 11, 9542 * 20}}; // only the incompressible samples are good
    estimate.Run(job);
    // 1/512 MB a sector: 100000 / 512 = 195.3, above the uncompressed 194.
    EXPECT_EQ(Group(kDataCooked), (Figures{194, 195, 195, 195, 195}));
}

TEST_F(EstimateFixture, VideoCdIsSampledRawOnly) {
    Disc(5, 210000, 210000);
    job.RawDataReadable = 1;
    job.RawDataType = 1;
    drive.content = RandomSector;
    estimate.Run(job);
    EXPECT_EQ(drive.ReadCount(ReadCommand::ReadCd), 20u);
    EXPECT_EQ(Group(kWholeDiscCooked), (Figures{0, 0, 0, 0, 0}));
    // 2352 / 2^20 MB a sector: 210000 * 2352 / 2^20 = 471.04.
    EXPECT_EQ(Group(kWholeDiscRaw), (Figures{471, 471, 471, 471, 471}));
}

TEST_F(EstimateFixture, MixedDiscReadsEachSampleWithTheMethodOfItsArea) {
    Disc(1, 210000, 100000);
    job.DataArea = {0, 99999};
    job.AudioArea = {100000, 210000};
    job.RawDataReadable = job.RawAudioReadable = 1;
    job.RawDataType = 2;  // normal reads with a 2352-byte block size
    job.RawAudioType = 2; // Plextor
    drive.commands = {ReadCommand::NoFua, ReadCommand::Plextor};
    estimate.Run(job);
    EXPECT_EQ(drive.ReadCount(ReadCommand::NoFua), 20u + 9 * 16); // cooked phase, then raw data
    EXPECT_EQ(drive.ReadCount(ReadCommand::Plextor), 11u * 16);
    EXPECT_EQ(drive.blockSizeRequests.size(), 18u);
    EXPECT_EQ(drive.blockSizeRequests.back(), 2048);
    EXPECT_EQ(job.Estimate[kWholeDiscRaw], 471u);

    // Nothing readable at all: no ratio, so no figures, not even the uncompressed ones.
    drive.commands.clear();
    estimate.Run(job);
    EXPECT_EQ(Figures(job.Estimate, job.Estimate + kEstimateFigures), Figures(kEstimateFigures, 0));
}

TEST_F(EstimateFixture, CompressionChoiceComparesTheWholeDiscFiguresOfTheSectorType) {
    job.Presets.Compression.replace(8, 4, "2050");                      // Data CD: at most 50 %
    const uint32_t cooked[] = {600, 270}, raw[] = {700, 420, 420, 420}; // 45 %; 60 % throughout
    std::copy(std::begin(cooked), std::end(cooked), job.Estimate + kWholeDiscCooked);
    std::copy(std::begin(raw), std::end(raw), job.Estimate + kWholeDiscRaw);
    ChooseJobCompression(job);
    EXPECT_EQ(job.CompressionType, 1);
    job.SectorType = 256;
    ChooseJobCompression(job);
    EXPECT_EQ(job.CompressionLevel, 6);
}

} // namespace
