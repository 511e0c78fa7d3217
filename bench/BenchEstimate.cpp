// How close the image size estimate comes to the real compressed size of each sample disc.
// The estimate runs as the analysis runs it, on the disc image behind a drive that reads
// whole sectors with READ CD; the truth compresses every 16-sector block of the disc with
// the same methods.
//
//   zl_bench_estimate [FOLDER]   (the generated sample discs by default)
//
// FOLDER holds CUE sheets with their files and ISO images; ISO images whose names start with
// "dvd" are DVDs, as the sample discs are inserted.
#include "BlockMeter.h"
#include "DiscFiles.h"
#include "DiscJob.h"
#include "ImageDrive.h"
#include "settings/MemoryEnvStore.h"
#include "settings/Registry.h"
#include "source/CdTypeCode.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* KindName(uint16_t cdType) {
    switch (KindByte(cdType)) {
    case CdKind::Data:
        return "Data CD";
    case CdKind::MixedMode:
        return "Mixed Mode CD";
    case CdKind::Audio:
        return "Audio CD";
    case CdKind::CdI:
        return "CD-i";
    case CdKind::VideoCd:
        return "Video CD";
    case CdKind::CdExtra:
        return "CD Extra";
    case CdKind::CdText:
        return "Audio CD with CD-Text";
    case CdKind::PhotoCd:
        return "Photo CD";
    case CdKind::SuperVideoCd:
        return "Super Video CD";
    case CdKind::Dvd:
        return "DVD";
    default:
        return "unknown kind";
    }
}

struct Figure {
    const char* name;
    int group;
    bool raw;
    bool data; // the data tracks rather than the whole disc
};

constexpr Figure kFigures[] = {{"whole cooked", kWholeDiscCooked, false, false},
                               {"whole raw", kWholeDiscRaw, true, false},
                               {"data cooked", kDataCooked, false, true},
                               {"data raw", kDataRaw, true, true}};
const char* const kMethods[] = {"coder", "zlib1", "zlib3", "zlib6"};

uint32_t FigureSectors(const CBuildJob& job, const Figure& f) {
    return f.data ? job.DataSectors : job.LastSector;
}

// Truncated megabytes, in single precision as the estimate converts.
uint32_t MB(double bytes) {
    return static_cast<uint32_t>(static_cast<float>(bytes) * (1.0f / 1048576.0f));
}

const char* const kLegend = R"(
est MB    the estimate's figure
true MB   every 16-sector block of the figure's sectors compressed, truncated to MB the same way
KiB       before truncation; the estimate's as its sample ratio times the figure's sector count
err sect  the error in uncompressed sectors (2048 or 2352 bytes)
ratio     the samples' compressed bytes per sector against the truth's: the sampling error
          alone, without the figure's sector count
Sectors a phase cannot read (audio when cooked, gaps between sessions) are not in the truth.
Good samples count the block reads the estimate made; it makes none at positions in neither
the audio nor the data area (between a CD Extra's sessions).
)";

class CDiscBench {
public:
    CDiscBench(CDiscImage& disc, CBuildJob& job) : m_disc(disc), m_job(job), m_drive(disc) {}

    // False when the recorded samples do not give the estimate's own figures: then the
    // comparison below would not be about what the estimate measured.
    bool Run() {
        SetUpJob(m_disc, m_job);
        CSizeEstimate(m_drive).Run(m_job);
        m_samples[0] = m_meter.Samples(m_drive.GoodReads(), false);
        m_samples[1] = m_meter.Samples(m_drive.GoodReads(), true);
        return SamplesGiveFigures(m_job, m_samples[0], m_samples[1]);
    }

    void Print(const std::string& name) {
        std::printf("\n%s: %s, last sector %u, %u data sectors; good samples: cooked %s, raw %s\n",
                    name.c_str(), KindName(m_job.CdType), m_job.LastSector, m_job.DataSectors,
                    PhaseSamples(false).c_str(), PhaseSamples(true).c_str());
        std::printf("    %-6s %6s %7s %10s %10s %9s %9s %8s %8s\n", "method", "est MB", "true MB",
                    "est KiB", "true KiB", "err KiB", "err sect", "err", "ratio");
        for (const Figure& f : kFigures)
            PrintFigure(f);
    }

private:
    std::string PhaseSamples(bool raw) const {
        const int reads = m_drive.BlockReads(raw);
        return reads ? std::to_string(m_samples[raw].blocks) + " of " + std::to_string(reads)
                     : "(no phase)";
    }

    // Why a figure is 0 by design rather than by measurement; empty when it is measured.
    std::string ZeroReason(const Figure& f) const {
        const std::string phase = f.raw ? "raw" : "cooked";
        if (m_drive.BlockReads(f.raw) == 0)
            return "no " + phase + " phase for this disc";
        if (m_samples[f.raw].sectors == 0)
            return "no " + phase + " sample could be read";
        if (FigureSectors(m_job, f) == 0)
            return "no data tracks";
        return "";
    }

    void PrintFigure(const Figure& f) {
        const uint32_t* figures = m_job.Estimate + f.group;
        const std::string reason = ZeroReason(f);
        if (!reason.empty()) {
            std::printf("  %-12s all 0 MB: %s\n", f.name, reason.c_str());
            return;
        }
        const std::vector<SectorRange> ranges =
            f.data ? DataTrackRanges(m_job) : std::vector<SectorRange>{{0, m_job.LastSector}};
        uint64_t rangeSectors = 0;
        for (const SectorRange& r : ranges)
            rangeSectors += r.last - r.first + 1ull;
        const MethodBytes truth = m_meter.Whole(m_disc, ranges, f.raw);
        const MethodBytes& samples = m_samples[f.raw];
        const double unit = f.raw ? 2352.0 : 2048.0;
        const double sectors = FigureSectors(m_job, f);

        std::printf("  %-12s figure for %.0f sectors; truth: %u readable sectors of %llu\n", f.name,
                    sectors, truth.sectors, static_cast<unsigned long long>(rangeSectors));
        if (truth.sectors == 0)
            return;
        Row("none", figures[0], sectors * unit, truth.sectors * unit, unit, nullptr);
        for (int m = 0; m < SampleSums::kMethods; ++m) {
            const double sampleRatio = static_cast<double>(samples.bytes[m]) / samples.sectors;
            const double trueRatio = static_cast<double>(truth.bytes[m]) / truth.sectors;
            const double ratioError = 100.0 * (sampleRatio / trueRatio - 1);
            Row(kMethods[m], figures[m + 1], sampleRatio * sectors,
                static_cast<double>(truth.bytes[m]), unit, &ratioError);
        }
    }

    static void Row(const char* method, uint32_t figure, double estimated, double truth,
                    double unit, const double* ratioError) {
        const double error = estimated - truth;
        std::printf("    %-6s %6u %7u %10.1f %10.1f %+9.1f %+9.1f", method, figure, MB(truth),
                    estimated / 1024, truth / 1024, error / 1024, error / unit);
        if (truth > 0)
            std::printf(" %+7.1f%%", 100.0 * error / truth);
        else
            std::printf(" %8s", "-");
        if (ratioError)
            std::printf(" %+7.1f%%", *ratioError);
        std::printf("\n");
    }

    CDiscImage& m_disc;
    CBuildJob& m_job;
    CImageDrive m_drive;
    CBlockMeter m_meter;
    MethodBytes m_samples[2]; // cooked, raw
};

} // namespace

int main(int argc, char** argv) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path(ZL_BENCH_SAMPLES_DIR);
    std::error_code ec;
    if (argc > 2 || !fs::is_directory(folder, ec)) {
        std::fprintf(stderr, "usage: zl_bench_estimate [FOLDER]  (no folder %s)\n",
                     folder.string().c_str());
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CBuildJob job(store, registry);
    int failures = 0;
    for (const DiscFile& file : FindDiscs(folder)) {
        std::string error;
        auto disc = OpenDiscImage(file.path.string(), file.hint, error);
        if (!disc) {
            std::fprintf(stderr, "%s: %s\n", file.path.string().c_str(), error.c_str());
            ++failures;
            continue;
        }
        CDiscBench bench(*disc, job);
        if (!bench.Run()) {
            std::fprintf(stderr, "%s: the recorded samples do not give the estimate's figures\n",
                         file.path.string().c_str());
            ++failures;
            continue;
        }
        bench.Print(file.path.filename().string());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s%.1f s\n", kLegend, seconds);
    return failures ? 1 : 0;
}
