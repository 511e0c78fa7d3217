#pragma once
// Compressed sizes of 16-sector blocks with each of the estimate's methods (block coder, zlib
// levels 1, 3 and 6): of the samples the estimate read, and of every block of a disc.
#include "ImageDrive.h"
#include "app/BuildJob.h"
#include "source/BlockCompress.h"
#include "source/SizeEstimate.h"

#include <vector>

struct MethodBytes {
    uint64_t bytes[SampleSums::kMethods] = {};
    uint32_t sectors = 0; // sectors the bytes stand for
    uint32_t blocks = 0;
};

class CBlockMeter {
public:
    CBlockMeter() : m_block(BlockCompressor::BlockSize(true)) {}

    // One block of 16 sectors, each method's size added to `sums`.
    void Add(const uint8_t* block, bool raw, MethodBytes& sums);
    // The estimate's samples of one phase: the drive's good block reads of that sector size.
    MethodBytes Samples(const std::vector<DriveRead>& reads, bool raw);
    // Every 16-sector block of the ranges, counted from each range's first sector. A sector
    // the disc cannot return that way is zeros in its block and not counted; a block without
    // any such sector is left out.
    MethodBytes Whole(CDiscImage& disc, const std::vector<SectorRange>& ranges, bool raw);

private:
    BlockCompressor m_compressor;
    std::vector<uint8_t> m_block;
};

// True when the samples give the job's estimate figures: a comparison with the figures is then
// about what the estimate measured.
bool SamplesGiveFigures(CBuildJob& job, const MethodBytes& cooked, const MethodBytes& raw);
