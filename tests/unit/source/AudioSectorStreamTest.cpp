#include "source/AudioSectorStream.h"
#include "support/FakeDriveLibrary.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t kSector = CAudioSectorStream::kSectorBytes;

uint8_t ByteOf(uint32_t sector, size_t offset) {
    return static_cast<uint8_t>(sector * 7 + offset);
}

struct StreamFixture : ::testing::Test {
    CFakeDriveLibrary drives;
    CAudioSectorStream stream{drives};
    FakeDrive& drive = drives.drives['E'];
    StreamFixture() {
        drive.content = [](uint32_t sector, uint8_t* out, size_t bytes) {
            for (size_t i = 0; i < bytes; ++i)
                out[i] = ByteOf(sector, i);
        };
    }
};

TEST_F(StreamFixture, PiecesOfAnySizeFollowTheSectorsAndEndInZeros) {
    stream.Start('E', 100, 103);
    std::vector<uint8_t> bytes(4 * kSector, 0xEE);
    // Pieces that straddle sectors; one large enough to pass whole sectors straight through.
    const size_t pieces[] = {1000, 3 * kSector + 10, 1000, 2 * kSector};
    size_t at = 0;
    for (size_t piece : pieces) {
        piece = std::min(piece, bytes.size() - at);
        ASSERT_EQ(stream.Read(bytes.data() + at, piece, kAudioReadPlextor), 1);
        at += piece;
    }
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], i < 3 * kSector
                                ? ByteOf(static_cast<uint32_t>(100 + i / kSector), i % kSector)
                                : 0)
            << i;
    EXPECT_EQ(stream.ReadAttempts(), 3u);
    EXPECT_EQ(drive.ReadCount(ReadCommand::Plextor), 3u);
}

TEST_F(StreamFixture, FailedReadIsReportedAndTheStreamMovesOn) {
    drive.failing = {{1, 1}};
    stream.Start('E', 0, 4);
    std::vector<uint8_t> bytes(3 * kSector);
    EXPECT_EQ(stream.Read(bytes.data(), bytes.size(), kAudioReadCd), 0);
    EXPECT_EQ(stream.ReadAttempts(), 2u);
    EXPECT_EQ(stream.Read(bytes.data(), kSector, kAudioReadCd), 1);
    EXPECT_EQ(bytes[0], ByteOf(2, 0));
    EXPECT_EQ(drive.ReadCount(ReadCommand::ReadCd), 3u);
}

} // namespace
