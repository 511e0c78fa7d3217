#include "source/DriveReadTest.h"

#include "source/CdTypeCode.h"
#include "source/DriveScan.h"

#include <vector>

namespace {
constexpr int kTestTimeout = 15;
constexpr uint32_t kCookedBytes = 2048;
constexpr uint32_t kRawBytes = 2352;
constexpr uint32_t kRawWithSubChannelBytes = 2368;
constexpr int kNone = 9;

bool NeedsDataTest(uint8_t kind) {
    switch (kind) {
    case CdKind::Data:
    case CdKind::MixedMode:
    case CdKind::CdI:
    case CdKind::VideoCd:
    case CdKind::CdExtra:
    case CdKind::PhotoCd:
    case CdKind::SuperVideoCd:
    case CdKind::Dvd:
        return true;
    default:
        return false;
    }
}

bool HasAudio(uint8_t kind) {
    return kind == CdKind::Audio || kind == CdKind::MixedMode || kind == CdKind::CdExtra ||
           kind == CdKind::CdText;
}
} // namespace

std::array<uint32_t, kTestPositions> TestPositions(SectorRange area) {
    const uint32_t step = (area.last - area.first) >> 3;
    std::array<uint32_t, kTestPositions> positions{};
    for (int k = 0; k < kTestPositions; ++k)
        positions[static_cast<size_t>(k)] = area.last - step * static_cast<uint32_t>(k + 1);
    return positions;
}

DriveReadAbilities AbilitiesOf(const CBuildJob& job) {
    DriveReadAbilities a;
    a.rawDataReadable = job.RawDataReadable;
    a.subChannelReadable = job.SubChannelReadable;
    a.rawAudioReadable = job.RawAudioReadable;
    a.rawDataMethod = job.RawDataType;
    a.rawAudioMethod = job.RawAudioType;
    a.dataReadMethod = job.DataReadMethod;
    return a;
}

void ApplyAbilities(const DriveReadAbilities& a, CBuildJob& job) {
    job.RawDataReadable = a.rawDataReadable;
    job.SubChannelReadable = a.subChannelReadable;
    job.RawAudioReadable = a.rawAudioReadable;
    job.RawDataType = a.rawDataMethod;
    job.RawAudioType = a.rawAudioMethod;
    job.DataReadMethod = a.dataReadMethod;
}

bool CDriveReadTest::AnyPositionReads(SectorRange area, const SectorRead& read) {
    for (uint32_t sector : TestPositions(area))
        if (read(sector))
            return true;
    return false;
}

CDriveReadTest::SectorRead CDriveReadTest::Reader(char letter, uint32_t bytes,
                                                  SectorReadCall read) {
    return [this, letter, bytes, read](uint32_t sector) {
        std::vector<uint8_t> buffer(bytes);
        return (m_drives.*read)(letter, sector, 1, buffer.data(), bytes, kTestTimeout) == bytes;
    };
}

void CDriveReadTest::Run(CBuildJob& job) {
    ApplyAbilities(DriveReadAbilities{}, job);
    job.ReadFUA = 0;

    std::string model;
    CAspiCdromInfo info;
    if (m_drives.GetDriveInfo(job.SourceDrive, &info)) {
        model = DriveModelName(info);
        if (TakeCachedResult(job, model))
            return;
    }
    TestReadCd(job);
    TestDataReads(job);
    TestAudioReads(job);
    if (!model.empty())
        m_cache.Save(model, AbilitiesOf(job));
}

// Virtual drives are always tested: one model name stands for drives that emulate
// whatever the image was made from.
bool CDriveReadTest::TakeCachedResult(CBuildJob& job, const std::string& model) {
    auto cached = m_cache.Load(model);
    if (!cached || VirtualDriveLetters(m_drives).find(job.SourceDrive) != std::string::npos)
        return false;
    ApplyAbilities(*cached, job);
    return job.RawDataType != 0 && job.RawAudioType != 0;
}

void CDriveReadTest::TestReadCd(CBuildJob& job) {
    if (job.RawDataType != 0 || job.RawAudioType != 0 || IsDvd(job.CdType))
        return;
    const char letter = job.SourceDrive;
    const SectorRange wholeDisc{0, job.LastSector};
    const bool readCd = AnyPositionReads(wholeDisc, [&](uint32_t sector) {
        std::vector<uint8_t> buffer(kRawBytes);
        return m_drives.ReadSectorsReadCD(letter, sector, 1, buffer.data(), kRawBytes, kReadCdMode,
                                          kTestTimeout) == kRawBytes;
    });
    if (readCd) {
        job.RawDataReadable = job.RawAudioReadable = 1;
        job.RawDataType = job.RawAudioType = 1;
    }
    if (job.RawDataReadable && !job.SubChannelReadable &&
        AnyPositionReads(wholeDisc, Reader(letter, kRawWithSubChannelBytes,
                                           &IDriveLibrary::ReadSectorsReadCDSCQ)))
        job.SubChannelReadable = 1;
}

void CDriveReadTest::TestDataReads(CBuildJob& job) {
    if (job.RawDataReadable || job.RawDataType != 0 || !NeedsDataTest(KindByte(job.CdType)))
        return;
    const char letter = job.SourceDrive;
    if (AnyPositionReads(job.DataArea, Reader(letter, kCookedBytes, &IDriveLibrary::ReadSectors))) {
        job.ReadFUA = 1;
        job.DataReadMethod = 1;
    } else if (AnyPositionReads(job.DataArea,
                                Reader(letter, kCookedBytes, &IDriveLibrary::ReadSectorsNFUA))) {
        job.DataReadMethod = 2;
    } else {
        job.DataReadMethod = kNone;
    }
    if (IsDvd(job.CdType))
        return;
    if (job.DataReadMethod != kNone)
        TestRawDataByBlockSize(job);
    if (!job.RawDataReadable)
        job.RawDataType = kNone;
}

// Drives without READ CD may still return whole raw sectors through the normal read once
// the block size is 2352; the normal size is restored for everything that follows.
void CDriveReadTest::TestRawDataByBlockSize(CBuildJob& job) {
    const char letter = job.SourceDrive;
    if (!m_drives.SetReadSize(letter, static_cast<int>(kRawBytes)))
        return;
    if (AnyPositionReads(job.DataArea, Reader(letter, kRawBytes, DataRead(job.ReadFUA)))) {
        job.RawDataReadable = 1;
        job.RawDataType = 2;
    }
    m_drives.SetReadSize(letter, static_cast<int>(kCookedBytes));
}

void CDriveReadTest::TestAudioReads(CBuildJob& job) {
    if (job.RawAudioReadable || job.RawAudioType != 0 || !HasAudio(KindByte(job.CdType)))
        return;
    const char letter = job.SourceDrive;
    if (AnyPositionReads(job.AudioArea, Reader(letter, kRawBytes, &IDriveLibrary::ReadPlxtrCDDA))) {
        job.RawAudioReadable = 1;
        job.RawAudioType = 2;
    } else if (AnyPositionReads(job.AudioArea,
                                Reader(letter, kRawBytes, &IDriveLibrary::ReadNecCDDA))) {
        job.RawAudioReadable = 1;
        job.RawAudioType = 3;
    } else {
        job.RawAudioType = kNone;
    }
}
