#include "source/SizeEstimate.h"

#include "source/CdTypeCode.h"

namespace {
constexpr int kSampleTimeout = 15;
constexpr uint32_t kCookedSectorBytes = 2048;
constexpr uint32_t kRawSectorBytes = 2352;
constexpr uint32_t kRawSampleBytes = kSectorsPerSample * kRawSectorBytes;
constexpr float kBytesToMB = 1.0f / 1048576.0f;
constexpr int kZlibLevels[] = {1, 3, 6};

// The figures are defined in single precision; an x87 build would otherwise carry extra
// bits from one step to the next and truncate differently.
float Single(float value) {
    volatile float stored = value;
    return stored;
}

bool SkipsCookedPhase(uint8_t kind) {
    switch (kind) {
    case CdKind::Audio:
    case CdKind::CdText:
    case CdKind::CdExtra:
    case CdKind::CdI:
    case CdKind::VideoCd:
    case CdKind::SuperVideoCd:
        return true;
    default:
        return false;
    }
}

bool IsRawDataKind(uint8_t kind) {
    return kind == CdKind::Data || kind == CdKind::CdI || kind == CdKind::VideoCd ||
           kind == CdKind::PhotoCd || kind == CdKind::SuperVideoCd;
}

bool Inside(SectorRange area, uint32_t sector) {
    return sector >= area.first && sector <= area.last;
}

enum class RawRead { None, Data, Audio };

RawRead RawReadAt(const CBuildJob& job, uint32_t sector) {
    const uint8_t kind = KindByte(job.CdType);
    if (IsRawDataKind(kind))
        return job.RawDataReadable ? RawRead::Data : RawRead::None;
    if (kind == CdKind::Audio || kind == CdKind::CdText)
        return job.RawAudioReadable ? RawRead::Audio : RawRead::None;
    if (kind == CdKind::MixedMode || kind == CdKind::CdExtra) {
        if (job.RawAudioReadable && Inside(job.AudioArea, sector))
            return RawRead::Audio;
        if (job.RawDataReadable && Inside(job.DataArea, sector))
            return RawRead::Data;
    }
    return RawRead::None;
}

uint32_t CookedMB(uint32_t sectors) {
    return (sectors >> 10) * 2;
}
uint32_t RawMB(uint32_t sectors) {
    return static_cast<uint32_t>(uint64_t{sectors} * kRawSectorBytes >> 20);
}
} // namespace

uint32_t SamplePosition(uint32_t lastSector, int k) {
    return lastSector / (kEstimateSamples + 1) * static_cast<uint32_t>(k + 1);
}

void FillEstimateGroup(CBuildJob& job, int group, const SampleSums& sums, uint32_t sectors,
                       bool raw) {
    uint32_t* figures = job.Estimate + group;
    for (int i = 0; i <= SampleSums::kMethods; ++i)
        figures[i] = 0;
    // Without a good sample there is no ratio, and a size alone would suggest a measurement.
    if (sums.sectors == 0)
        return;
    figures[0] = raw ? RawMB(sectors) : CookedMB(sectors);
    for (int m = 0; m < SampleSums::kMethods; ++m) {
        const float ratio = Single(Single(static_cast<float>(sums.compressed[m]) * kBytesToMB) /
                                   static_cast<float>(sums.sectors));
        figures[m + 1] = static_cast<uint32_t>(Single(ratio * static_cast<float>(sectors)));
    }
}

CSizeEstimate::CSizeEstimate(IDriveLibrary& drives)
    : m_drives(drives), m_block(BlockCompressor::BlockSize(true)) {}

void CSizeEstimate::Run(CBuildJob& job) {
    m_letter = job.SourceDrive;
    for (uint32_t& figure : job.Estimate)
        figure = 0;
    if (!SkipsCookedPhase(KindByte(job.CdType)))
        SampleCooked(job);
    if (!IsDvd(job.CdType) && (job.RawDataReadable || job.RawAudioReadable))
        SampleRaw(job);
}

void CSizeEstimate::AddSample(SampleSums& sums, bool raw) {
    sums.sectors += kSectorsPerSample;
    sums.compressed[0] +=
        m_compressor.CompressedSize(m_block.data(), raw, BlockCompressor::kMethodBlockCoder, 0);
    for (int i = 0; i < 3; ++i)
        sums.compressed[i + 1] += m_compressor.CompressedSize(
            m_block.data(), raw, BlockCompressor::kMethodZlib, kZlibLevels[i]);
}

void CSizeEstimate::SampleCooked(CBuildJob& job) {
    SampleSums sums;
    for (int k = 0; k < kEstimateSamples; ++k)
        if (ReadCookedSample(job, SamplePosition(job.LastSector, k)))
            AddSample(sums, false);
    FillEstimateGroup(job, kWholeDiscCooked, sums, job.LastSector, false);
    FillEstimateGroup(job, kDataCooked, sums, job.DataSectors, false);
}

void CSizeEstimate::SampleRaw(CBuildJob& job) {
    SampleSums sums;
    for (int k = 0; k < kEstimateSamples; ++k)
        if (ReadRawSample(job, SamplePosition(job.LastSector, k)))
            AddSample(sums, true);
    FillEstimateGroup(job, kWholeDiscRaw, sums, job.LastSector, true);
    FillEstimateGroup(job, kDataRaw, sums, job.DataSectors, true);
}

bool CSizeEstimate::ReadCookedSample(const CBuildJob& job, uint32_t sector) {
    const uint32_t bytes = kSectorsPerSample * kCookedSectorBytes;
    return (m_drives.*DataRead(job.ReadFUA))(m_letter, sector, kSectorsPerSample, m_block.data(),
                                             bytes, kSampleTimeout) == bytes;
}

bool CSizeEstimate::ReadRawSample(const CBuildJob& job, uint32_t sector) {
    switch (RawReadAt(job, sector)) {
    case RawRead::Data:
        return ReadRawDataSample(job, sector);
    case RawRead::Audio:
        return ReadRawAudioSample(job, sector);
    case RawRead::None:
        break;
    }
    return false;
}

uint32_t CSizeEstimate::ReadSingleSectors(uint32_t sector, SectorReadCall read) {
    uint32_t total = 0;
    for (uint32_t i = 0; i < kSectorsPerSample; ++i)
        total += (m_drives.*read)(m_letter, sector + i, 1, m_block.data() + i * kRawSectorBytes,
                                  kRawSectorBytes, kSampleTimeout);
    return total;
}

bool CSizeEstimate::ReadRawDataSample(const CBuildJob& job, uint32_t sector) {
    if (job.RawDataType == 1)
        return m_drives.ReadSectorsReadCD(m_letter, sector, kSectorsPerSample, m_block.data(),
                                          kRawSampleBytes, kReadCdMode,
                                          kSampleTimeout) == kRawSampleBytes;
    if (job.RawDataType != 2 || !m_drives.SetReadSize(m_letter, static_cast<int>(kRawSectorBytes)))
        return false;
    const uint32_t total = ReadSingleSectors(sector, DataRead(job.ReadFUA));
    m_drives.SetReadSize(m_letter, static_cast<int>(kCookedSectorBytes));
    return total == kRawSampleBytes;
}

bool CSizeEstimate::ReadRawAudioSample(const CBuildJob& job, uint32_t sector) {
    switch (job.RawAudioType) {
    case 1:
        return m_drives.ReadSectorsReadCD(m_letter, sector, kSectorsPerSample, m_block.data(),
                                          kRawSampleBytes, kReadCdMode,
                                          kSampleTimeout) == kRawSampleBytes;
    case 2:
        return ReadSingleSectors(sector, &IDriveLibrary::ReadPlxtrCDDA) == kRawSampleBytes;
    case 3:
        return ReadSingleSectors(sector, &IDriveLibrary::ReadNecCDDA) == kRawSampleBytes;
    default:
        return false;
    }
}

void ChooseJobCompression(CBuildJob& job) {
    if (job.DriveBuild || job.EditorWizard || job.EditorBuild)
        return;
    const int group = job.SectorType == 256 ? kWholeDiscRaw : kWholeDiscCooked;
    MeasuredSizes sizes;
    sizes.uncompressed = job.Estimate[group];
    sizes.coder = job.Estimate[group + 1];
    sizes.zlib1 = job.Estimate[group + 2];
    sizes.zlib3 = job.Estimate[group + 3];
    const CompressionSetting chosen = ChooseCompression(job.Presets, job.CdType, sizes);
    job.CompressionType = chosen.type;
    job.CompressionLevel = chosen.level;
}
