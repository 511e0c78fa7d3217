#include "BlockMeter.h"
#include "DiscJob.h"
#include "ImageDrive.h"
#include "disc/CueSheet.h"
#include "settings/MemoryEnvStore.h"
#include "settings/Registry.h"
#include "source/CdTypeCode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

using Bytes = std::vector<uint8_t>;

// Text-like sectors: compressible, yet no two alike.
Bytes Sectors(uint32_t count, size_t unit, uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes bytes(count * unit);
    for (auto& b : bytes)
        b = static_cast<uint8_t>('a' + rng() % 6);
    return bytes;
}

std::unique_ptr<CDiscImage> CueDisc(const std::string& cue, std::vector<Bytes> files) {
    CueSheet sheet;
    CDiscLayout layout;
    std::string error;
    std::vector<uint64_t> sizes;
    std::vector<std::unique_ptr<IByteSource>> sources;
    for (Bytes& f : files) {
        sizes.push_back(f.size());
        sources.push_back(std::make_unique<CMemoryByteSource>(std::move(f)));
    }
    if (!ParseCueSheet(cue, sheet, error) || !BuildCueLayout(sheet, sizes, layout, error))
        ADD_FAILURE() << error;
    return std::make_unique<CDiscImage>(std::move(layout), std::move(sources), DiscFacts());
}

std::unique_ptr<CDiscImage> IsoDisc(Bytes user, bool dvd) {
    const auto sectors = static_cast<int64_t>(user.size() / 2048);
    std::vector<std::unique_ptr<IByteSource>> files;
    files.push_back(std::make_unique<CMemoryByteSource>(std::move(user)));
    return std::make_unique<CDiscImage>(BuildIsoLayout(sectors, dvd), std::move(files),
                                        DiscFacts());
}

// A Mixed Mode disc: data sectors 0-39, the audio track's generated pregap 40-49, audio 50-69.
struct MixedDisc {
    explicit MixedDisc(uint32_t dataSectors = 40, uint32_t audioSectors = 20)
        : data(Sectors(dataSectors, 2048, 1)), audio(Sectors(audioSectors, 2352, 2)),
          disc(CueDisc("FILE \"d.iso\" BINARY\n  TRACK 01 MODE1/2048\n    INDEX 01 00:00:00\n"
                       "FILE \"a.bin\" BINARY\n  TRACK 02 AUDIO\n    PREGAP 00:00:10\n"
                       "    INDEX 01 00:00:00\n",
                       {data, audio})),
          drive(*disc) {}
    Bytes data, audio;
    std::unique_ptr<CDiscImage> disc;
    CImageDrive drive;
};

struct Job {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CBuildJob job{store, registry};
};

TEST(ImageDrive, NormalReadsReturnUserBytesOfDataSectorsOnly) {
    MixedDisc m;
    Bytes buf(16 * 2352);
    EXPECT_EQ(m.drive.ReadSectors('E', 0, 16, buf.data(), 32768, 15), 32768u);
    EXPECT_EQ(0, std::memcmp(buf.data(), m.data.data(), 32768));
    EXPECT_EQ(m.drive.ReadSectorsNFUA('E', 16, 16, buf.data(), 32767, 15), 0u); // too small
    EXPECT_EQ(m.drive.ReadSectorsNFUA('E', 32, 16, buf.data(), 32768, 15), 0u); // into the gap

    ASSERT_EQ(m.drive.SetReadSize('E', 2352), 1);
    EXPECT_EQ(m.drive.ReadSectors('E', 1, 1, buf.data(), 2352, 15), 2352u);
    EXPECT_EQ(0, std::memcmp(buf.data() + 16, m.data.data() + 2048, 2048));
    ASSERT_EQ(m.drive.SetReadSize('E', 2048), 1);
    EXPECT_EQ(m.drive.ReadSectors('E', 1, 1, buf.data(), 2352, 15), 2048u);

    // Only the good block reads are kept; every block read is counted.
    ASSERT_EQ(m.drive.GoodReads().size(), 1u);
    EXPECT_FALSE(m.drive.GoodReads()[0].raw);
    EXPECT_EQ(m.drive.BlockReads(false), 3);
}

TEST(ImageDrive, WholeSectorReadsFollowTheCommand) {
    MixedDisc m;
    Bytes buf(16 * 2352);
    EXPECT_EQ(m.drive.ReadSectorsReadCD('E', 0, 16, buf.data(), 37632, kReadCdMode, 15), 37632u);
    const uint8_t header[] = {0x00, 0x02, 0x01, 0x01}; // sector 1 at 00:02:01, Mode 1
    EXPECT_EQ(0, std::memcmp(buf.data() + 2352 + 12, header, 4));
    EXPECT_EQ(m.drive.ReadSectorsReadCD('E', 0, 1, buf.data(), 2352, 0, 15), 0u);

    EXPECT_EQ(m.drive.ReadPlxtrCDDA('E', 50, 2, buf.data(), 4704, 15), 4704u);
    EXPECT_EQ(0, std::memcmp(buf.data(), m.audio.data(), 4704));
    EXPECT_EQ(m.drive.ReadNecCDDA('E', 39, 1, buf.data(), 2352, 15), 0u); // a data sector
    EXPECT_EQ(m.drive.BlockReads(true), 2);

    auto dvd = IsoDisc(Bytes(64 * 2048), true);
    CImageDrive dvdDrive(*dvd);
    EXPECT_EQ(dvdDrive.SetReadSize('E', 2352), 0);
    EXPECT_EQ(dvdDrive.ReadSectorsReadCD('E', 0, 1, buf.data(), 2352, kReadCdMode, 15), 0u);
}

TEST(DiscJob, AreasAndCountsAreTheAnalysisOnes) {
    Job j;
    MixedDisc m;
    SetUpJob(*m.disc, j.job);
    EXPECT_EQ(KindByte(j.job.CdType), CdKind::MixedMode);
    EXPECT_EQ(j.job.LastSector, 69u);
    EXPECT_EQ(j.job.DataSectors, 50u); // the table of contents gives the pregap to track 1
    EXPECT_EQ(j.job.AudioArea.first, 50u);
    EXPECT_EQ(j.job.DataArea.last, 49u);
    EXPECT_EQ(j.job.RawDataType, 1);
    EXPECT_EQ(j.job.RawAudioType, 1);
    EXPECT_EQ(j.job.ReadFUA, 0);
    const auto ranges = DataTrackRanges(j.job);
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(ranges[0].last, 49u);

    // A CD Extra's areas come from its sessions, with the gap between them in neither.
    auto extra = CueDisc("REM SESSION 01\nFILE \"a.bin\" BINARY\n  TRACK 01 AUDIO\n"
                         "    INDEX 01 00:00:00\nREM SESSION 02\nFILE \"d.iso\" BINARY\n"
                         "  TRACK 02 MODE1/2048\n    INDEX 01 00:00:00\n",
                         {Bytes(30 * 2352), Bytes(20 * 2048)});
    SetUpJob(*extra, j.job);
    EXPECT_EQ(KindByte(j.job.CdType), CdKind::CdExtra);
    EXPECT_EQ(j.job.AudioArea.last, 29u);
    EXPECT_EQ(j.job.DataArea.first, 30u + 11400u);
    EXPECT_EQ(j.job.DataSectors, 20u);

    auto dvd = IsoDisc(Bytes(100 * 2048), true);
    SetUpJob(*dvd, j.job);
    EXPECT_TRUE(IsDvd(j.job.CdType));
    EXPECT_EQ(j.job.LastSector, 99u);
    EXPECT_EQ(j.job.DataSectors, 100u);
    EXPECT_EQ(j.job.RawDataReadable + j.job.RawAudioReadable, 0);
    EXPECT_EQ(j.job.ReadFUA, 1);
}

TEST(BlockMeter, WholeCountsOnlySectorsTheDiscReturns) {
    MixedDisc m;
    CBlockMeter meter;
    const MethodBytes cooked = meter.Whole(*m.disc, {{0, 69}}, false);
    EXPECT_EQ(cooked.sectors, 40u);
    EXPECT_EQ(cooked.blocks, 3u); // the pregap and audio blocks are left out
    const MethodBytes raw = meter.Whole(*m.disc, {{0, 69}}, true);
    EXPECT_EQ(raw.sectors, 70u);
    EXPECT_EQ(raw.blocks, 5u);

    // Blocks that do not compress count with their full size, whatever the method.
    std::mt19937 rng(3);
    Bytes noise(32 * 2048);
    for (auto& b : noise)
        b = static_cast<uint8_t>(rng());
    auto random = IsoDisc(noise, false);
    const MethodBytes whole = meter.Whole(*random, {{0, 31}}, false);
    for (uint64_t bytes : whole.bytes)
        EXPECT_EQ(bytes, 2u * 32768u);
}

TEST(BlockMeter, RecordedSamplesGiveTheEstimateFigures) {
    Job j;
    MixedDisc m(1200, 1500); // cooked samples in the audio fail
    SetUpJob(*m.disc, j.job);
    CSizeEstimate(m.drive).Run(j.job);
    CBlockMeter meter;
    MethodBytes cooked = meter.Samples(m.drive.GoodReads(), false);
    const MethodBytes raw = meter.Samples(m.drive.GoodReads(), true);
    EXPECT_GT(cooked.blocks, 0u);
    EXPECT_LT(cooked.blocks, 20u);
    EXPECT_EQ(raw.blocks, 20u);
    EXPECT_GT(j.job.Estimate[kWholeDiscRaw + 1], 0u);
    EXPECT_TRUE(SamplesGiveFigures(j.job, cooked, raw));

    cooked.bytes[0] += 1 << 20;
    EXPECT_FALSE(SamplesGiveFigures(j.job, cooked, raw));
}

} // namespace
