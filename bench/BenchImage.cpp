// The wizard's image size estimate against the size of the image the writer really makes,
// for every disc of a folder and every compression choice, and the writer's throughput
// against the speed at which the emulated drive serves the same sectors.
//
//   zl_bench_image [FOLDER] [--data-cd DIR...]
//
// FOLDER: the sample discs by default (see DiscFiles.h). --data-cd makes a data CD of the
// folders' real files with xorriso first (a temporary ISO image, removed at the end), so that
// one disc has a realistic size; without it only FOLDER's discs are measured.
//
// The job is the one the wizard makes of the disc with its defaults, except that audio
// tracks go into the image as raw sectors (so that the image is the whole disc) and every
// compression choice is tried in turn. The writer reads through an IDiscReader over the disc
// model of the emulated drives, so that the drive costs what the emulation costs.
#include "DiscFiles.h"
#include "DiscJob.h"
#include "ImageDrive.h"
#include "settings/MemoryEnvStore.h"
#include "settings/Registry.h"
#include "source/CdTypeCode.h"
#include "source/SizeEstimate.h"
#include "writer/ImageBuild.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// The writer's reads served by the disc model, as the emulated drive serves them.
class CModelReader : public IDiscReader {
public:
    explicit CModelReader(CDiscImage& disc) : m_disc(disc) {}
    bool ReadCooked(uint32_t lba, uint16_t count, uint8_t* out, bool) override {
        for (uint16_t i = 0; i < count; ++i)
            if (!m_disc.ReadUser(int64_t{lba} + i, out + size_t{i} * 2048))
                return false;
        return true;
    }
    bool ReadRaw(uint32_t lba, uint16_t count, uint8_t* out, bool, bool q) override {
        if (q)
            return false; // sub-channel is not part of these figures
        for (uint16_t i = 0; i < count; ++i)
            if (!m_disc.ReadRaw(int64_t{lba} + i, out + size_t{i} * 2352))
                return false;
        return true;
    }
    void SetSpeed(int) override {}
    bool SessionDetails(uint8_t*) override { return false; }

private:
    CDiscImage& m_disc;
};

struct GoOn : IBuildObserver {
    bool Progress(const BuildProgress&) override { return true; }
};

struct Choice {
    const char* name;
    int type, level;
};
constexpr Choice kChoices[] = {
    {"none", 0, 0}, {"coder", 1, 0}, {"zlib1", 2, 1}, {"zlib3", 2, 3}, {"zlib6", 2, 6}};

struct Totals {
    double sectors = 0, seconds = 0;
};

// Reads every sector the image will hold once, as the writer would, without writing:
// the speed of the drive alone.
double DriveSeconds(CDiscImage& disc, const BuildJob& job, uint64_t& sectors) {
    std::vector<PlannedTrack> plan;
    std::string error;
    PlanTracks(job, plan, error);
    bool raw = job.sectorSize == 2352;
    for (const PlannedTrack& t : plan)
        raw |= t.audio;
    CModelReader reader(disc);
    std::vector<uint8_t> buffer(16 * 2352);
    const auto start = Clock::now();
    sectors = 0;
    for (const PlannedTrack& t : plan)
        for (uint32_t lba = t.first; lba < t.first + t.count; lba += 16) {
            const uint16_t n =
                static_cast<uint16_t>(std::min<uint32_t>(16, t.first + t.count - lba));
            raw ? reader.ReadRaw(lba, n, buffer.data(), t.audio, false)
                : reader.ReadCooked(lba, n, buffer.data(), false);
            sectors += n;
        }
    return Seconds(start);
}

// One disc: the estimate's figure and the real image for each choice.
bool BenchDisc(const DiscFile& file, const fs::path& work, Totals totals[]) {
    std::string error;
    auto disc = OpenDiscImage(file.path.string(), file.hint, error);
    if (!disc) {
        std::fprintf(stderr, "%s: %s\n", file.path.string().c_str(), error.c_str());
        return false;
    }
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CBuildJob wizard(store, registry);
    SetUpJob(*disc, wizard);
    CImageDrive drive(*disc);
    CSizeEstimate(drive).Run(wizard);
    wizard.UnchangedDisc = 1;
    wizard.AudioRecordMode = 2;
    wizard.SectorSize = 2048;
    wizard.ReadSubChannel = 0;

    BuildJob job;
    job.drive = 'E';
    job.destination = (work / "bench.zl4").string();
    job.discType = wizard.CdType;
    job.audioRecordMode = 2;
    job.toc.resize(sizeof(_CDROM_TOC));
    std::memcpy(job.toc.data(), &wizard.Toc, sizeof(_CDROM_TOC));

    uint64_t sectors = 0;
    const double driveSeconds = DriveSeconds(*disc, job, sectors);
    const double speed = disc->IsDvd() ? 675.0 : 75.0; // sectors a second at 1x
    std::printf("\n%s: %llu sectors; the drive alone serves them at %.0fx\n",
                file.path.filename().string().c_str(), static_cast<unsigned long long>(sectors),
                sectors / driveSeconds / speed);
    std::printf("    %-6s %8s %10s %9s %8s %10s\n", "method", "est MB", "image MB", "err MB", "err",
                "writer");
    for (size_t c = 0; c < std::size(kChoices); ++c) {
        wizard.CompressionType = kChoices[c].type;
        wizard.CompressionLevel = kChoices[c].level;
        job.compressionType = kChoices[c].type;
        job.compressionLevel = kChoices[c].level;
        CModelReader reader(*disc);
        GoOn goOn;
        const auto start = Clock::now();
        const BuildOutcome out = BuildImage(job, reader, goOn, zl4::PasswordHash());
        const double seconds = Seconds(start);
        if (out.result != BuildResult::Done) {
            std::fprintf(stderr, "%s: %s\n", file.path.string().c_str(), out.message.c_str());
            return false;
        }
        fs::remove(job.destination);
        totals[c].sectors += double(sectors);
        totals[c].seconds += seconds;
        const uint32_t estimate = wizard.EstimatedDataSizeMB();
        const double real = double(out.imageBytes) / 1048576.0;
        // Below 10 MB the whole-MB figure cannot be compared in per cent.
        char percent[16] = "-";
        if (real >= 10)
            std::snprintf(percent, sizeof(percent), "%+.1f%%", 100.0 * (estimate - real) / real);
        std::printf("    %-6s %8u %10.2f %+9.2f %8s %9.0fx\n", kChoices[c].name, estimate, real,
                    estimate - real, percent, sectors / seconds / speed);
    }
    return true;
}

// A data CD of the folders' files, made with xorriso; false when it cannot be made.
bool MakeDataCd(const std::vector<std::string>& folders, const fs::path& iso) {
    std::string command =
        "xorriso -as mkisofs -quiet -r -J -V ZL_REAL_DATA -o '" + iso.string() + "'";
    for (const std::string& f : folders)
        command += " -graft-points '/" + fs::path(f).filename().string() + "/=" + f + "'";
    command += " 2>/dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0 || !fs::exists(iso))
        return false;
    std::printf("made %s (%.0f MB) in %.1f s\n", iso.string().c_str(),
                double(fs::file_size(iso)) / 1048576.0, Seconds(start));
    return true;
}

const char* const kLegend = R"(
est MB    the wizard's estimate for the job (whole MB, as the destination page shows it)
image MB  the image the writer made for the same job (header, blocks and tables)
err       the estimate's error against the image (for images of 10 MB and more)
writer    sectors the writer read, compressed and wrote a second, as a drive speed factor
          (75 sectors a second is 1x on a CD, 675 on a DVD)
)";

} // namespace

int main(int argc, char** argv) {
    fs::path folder = ZL_BENCH_SAMPLES_DIR;
    std::vector<std::string> dataCd;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--data-cd") == 0) {
            while (i + 1 < argc)
                dataCd.push_back(argv[++i]);
        } else {
            folder = argv[i];
        }
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        std::fprintf(stderr, "usage: zl_bench_image [FOLDER] [--data-cd DIR...]  (no folder %s)\n",
                     folder.string().c_str());
        return 2;
    }
    const fs::path work = fs::temp_directory_path() / "zl_bench_image";
    fs::create_directories(work, ec);
    std::vector<DiscFile> discs = FindDiscs(folder);
    int failures = 0;
    if (!dataCd.empty()) {
        const fs::path iso = work / "realdata.iso";
        if (MakeDataCd(dataCd, iso))
            discs.push_back({iso, MediaHint::Auto});
        else {
            std::fprintf(stderr, "xorriso could not make the data CD\n");
            ++failures;
        }
    }
    Totals totals[std::size(kChoices)];
    for (const DiscFile& file : discs)
        failures += !BenchDisc(file, work, totals);
    std::printf("\nwriter over every disc, as a CD speed factor:");
    for (size_t c = 0; c < std::size(kChoices); ++c)
        std::printf("  %s %.0fx", kChoices[c].name, totals[c].sectors / totals[c].seconds / 75.0);
    std::printf("\n%s", kLegend);
    fs::remove_all(work, ec);
    return failures ? 1 : 0;
}
