#include "BlockMeter.h"

#include "disc/SectorData.h"

#include <algorithm>
#include <iterator>

void CBlockMeter::Add(const uint8_t* block, bool raw, MethodBytes& sums) {
    sums.bytes[0] += m_compressor.CompressedSize(block, raw, BlockCompressor::kMethodBlockCoder, 0);
    const int levels[] = {1, 3, 6};
    for (int i = 0; i < 3; ++i)
        sums.bytes[i + 1] +=
            m_compressor.CompressedSize(block, raw, BlockCompressor::kMethodZlib, levels[i]);
    ++sums.blocks;
}

MethodBytes CBlockMeter::Samples(const std::vector<DriveRead>& reads, bool raw) {
    MethodBytes sums;
    for (const DriveRead& r : reads) {
        if (r.raw != raw || r.count != kSectorsPerSample)
            continue;
        Add(r.bytes.data(), raw, sums);
        sums.sectors += kSectorsPerSample;
    }
    return sums;
}

MethodBytes CBlockMeter::Whole(CDiscImage& disc, const std::vector<SectorRange>& ranges, bool raw) {
    const uint32_t unit = raw ? SectorData::kRawSize : SectorData::kUserSize;
    MethodBytes sums;
    for (const SectorRange& range : ranges) {
        for (uint64_t first = range.first; first <= range.last; first += kSectorsPerSample) {
            std::fill(m_block.begin(), m_block.end(), 0);
            const uint64_t end = std::min<uint64_t>(first + kSectorsPerSample, range.last + 1ull);
            uint32_t readable = 0;
            for (uint64_t s = first; s < end; ++s) {
                uint8_t* sector = m_block.data() + (s - first) * unit;
                const auto lba = static_cast<int64_t>(s);
                if (raw ? disc.ReadRaw(lba, sector) : disc.ReadUser(lba, sector))
                    ++readable;
                else
                    std::fill(sector, sector + unit, 0);
            }
            if (readable == 0)
                continue;
            Add(m_block.data(), raw, sums);
            sums.sectors += readable;
        }
    }
    return sums;
}

bool SamplesGiveFigures(CBuildJob& job, const MethodBytes& cooked, const MethodBytes& raw) {
    uint32_t figures[kEstimateFigures];
    std::copy(std::begin(job.Estimate), std::end(job.Estimate), figures);
    for (bool isRaw : {false, true}) {
        const MethodBytes& phase = isRaw ? raw : cooked;
        SampleSums sums;
        std::copy(std::begin(phase.bytes), std::end(phase.bytes), sums.compressed);
        sums.sectors = phase.sectors;
        FillEstimateGroup(job, isRaw ? kWholeDiscRaw : kWholeDiscCooked, sums, job.LastSector,
                          isRaw);
        FillEstimateGroup(job, isRaw ? kDataRaw : kDataCooked, sums, job.DataSectors, isRaw);
    }
    const bool same = std::equal(std::begin(figures), std::end(figures), job.Estimate);
    std::copy(std::begin(figures), std::end(figures), job.Estimate);
    return same;
}
