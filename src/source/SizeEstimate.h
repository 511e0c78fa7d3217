#pragma once
// The image size estimate: sample blocks of 16 sectors spread over the disc, compressed with
// every method of the image format and extrapolated to the whole disc and to its data tracks,
// cooked (2048-byte sectors) and raw (2352). The figures are in the job's Estimate array.
#include "app/BuildJob.h"
#include "source/BlockCompress.h"
#include "source/DriveLibrary.h"
#include "source/SectorRead.h"

#include <cstdint>
#include <vector>

constexpr int kEstimateSamples = 20;
constexpr uint16_t kSectorsPerSample = 16;

// The sector of sample k (0-based): the disc in 21 parts, a sample at each inner boundary.
uint32_t SamplePosition(uint32_t lastSector, int k);

// Compressed bytes of the good samples of one phase, per method in figure order.
struct SampleSums {
    static constexpr int kMethods = 4; // block coder, zlib 1, zlib 3, zlib 6
    uint64_t compressed[kMethods] = {};
    uint32_t sectors = 0;
};

// Writes one group of five figures: uncompressed, then each method's share of `sectors`.
// A phase without a good sample leaves its figures 0.
void FillEstimateGroup(CBuildJob& job, int group, const SampleSums& sums, uint32_t sectors,
                       bool raw);

class CSizeEstimate {
public:
    explicit CSizeEstimate(IDriveLibrary& drives);
    // Reads with the job's read options; the drive must be open.
    void Run(CBuildJob& job);

private:
    void SampleCooked(CBuildJob& job);
    void SampleRaw(CBuildJob& job);
    bool ReadCookedSample(const CBuildJob& job, uint32_t sector);
    bool ReadRawSample(const CBuildJob& job, uint32_t sector);
    bool ReadRawDataSample(const CBuildJob& job, uint32_t sector);
    bool ReadRawAudioSample(const CBuildJob& job, uint32_t sector);
    uint32_t ReadSingleSectors(uint32_t sector, SectorReadCall read);
    void AddSample(SampleSums& sums, bool raw);

    IDriveLibrary& m_drives;
    BlockCompressor m_compressor;
    std::vector<uint8_t> m_block;
    char m_letter = 0;
};

// The job's starting compression from the presets and the measured whole-disc sizes (raw
// ones for raw sector jobs). Editor and direct builds keep the compression they have.
void ChooseJobCompression(CBuildJob& job);
