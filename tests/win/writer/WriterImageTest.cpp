// The writer end to end: a job in a private store for a sample disc in an emulated drive,
// zl5write /quiet, then zl4tool verifies and extracts the image, and every extracted sector
// must be the bytes the drive library serves for it.
#include "ZL5Scsi.h"
#include "image/Zl4File.h"
#include "image/Zl4Reader.h"
#include "scsi/ScsiTestSupport.h"
#include "zl5env_ordinals.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace scsitest;
using testproc::FileText;
using testproc::RunProcess;

namespace {
constexpr char kDrive = 'W';
constexpr uint32_t kRaw = 2352, kCooked = 2048, kQ = 16;

template <typename F> F Export(HMODULE module, int ordinal) {
    return reinterpret_cast<F>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, MAKEINTRESOURCEA(ordinal))));
}

// One store key, one drives key and one private product home for the whole run, all
// removed at its end; the programs started inherit the keys through the environment. The
// writer runs from the home's system\ folder (its report goes there), the images go into
// the home itself.
class WriterEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::string pid = std::to_string(GetCurrentProcessId());
        m_storeKey = "Software\\Kestrelin\\Zelvane 5\\TestStore-writer-" + pid;
        SetEnvironmentVariableA("ZL5ENV_KEY", m_storeKey.c_str());
        SetEnvironmentVariableA("ZL5ENV_JOURNAL", nullptr);
        DrivesKey();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "zl5writer-" + pid + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA(System().c_str(), nullptr);
        for (const char* name : {"zl5write.exe", "ZL5Env.dll", "ZL5Scsi.dll"})
            ASSERT_TRUE(CopyFileA((ExeFolder() + name).c_str(), (System() + name).c_str(), FALSE))
                << name;
        m_env = LoadLibraryA((ExeFolder() + "ZL5Env.dll").c_str());
        ASSERT_NE(m_env, nullptr);
        writeText = Export<ZL5EnvWriteTextFn>(m_env, kZL5EnvWriteText);
        writeBinary = Export<ZL5EnvWriteBinaryFn>(m_env, kZL5EnvWriteBinary);
        ASSERT_TRUE(writeText && writeBinary);
    }
    void TearDown() override {
        RemoveAllDrives();
        if (m_env)
            FreeLibrary(m_env);
        RegDeleteKeyA(HKEY_CURRENT_USER, m_storeKey.c_str());
        Remove(System());
        Remove(folder);
    }
    std::string System() const { return folder + "system\\"; }

    std::string folder;
    ZL5EnvWriteTextFn writeText = nullptr;
    ZL5EnvWriteBinaryFn writeBinary = nullptr;

private:
    static void Remove(const std::string& path) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((path + "*").c_str(), &fd);
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
            DeleteFileA((path + fd.cFileName).c_str());
        FindClose(h);
        RemoveDirectoryA(path.c_str());
    }

    std::string m_storeKey;
    HMODULE m_env = nullptr;
};
WriterEnvironment* const env =
    static_cast<WriterEnvironment*>(::testing::AddGlobalTestEnvironment(new WriterEnvironment));

struct Job {
    Job(const char* name_, int compression_, int level_, int sectorSize_ = 2048, bool q_ = false,
        int audioMode_ = 2, std::string order_ = "", int skipRange_ = 1)
        : name(name_), compression(compression_), level(level_), sectorSize(sectorSize_), q(q_),
          audioMode(audioMode_), order(std::move(order_)), skipRange(skipRange_) {}
    const char* name; // of the image file
    int compression, level;
    int sectorSize;
    bool q;
    int audioMode;     // 1: audio tracks as WAV files, 2: as raw sectors in the image
    std::string order; // "%02d" track numbers; empty: every track
    int skipRange;
};

ProcessResult RunTool(const std::string& program, const std::string& arguments) {
    return RunProcess("\"" + ExeFolder() + program + "\" " + arguments);
}

std::string ImagePath(const Job& job) {
    return env->folder + job.name + ".zl4";
}

// Writes the job as the wizard leaves it for the disc now in the drive and runs the writer.
ProcessResult Write(const Job& job) {
    _CDROM_TOC toc = {};
    EXPECT_TRUE(ZLXScsiGetToc(kDrive, &toc, 30));
    auto number = [](int value) { return std::to_string(value); };
    const std::pair<const char*, std::string> texts[] = {
        {"ZLXBuildSourceCDDrive", std::string(1, kDrive)},
        {"ZLXBuildDestinationFile", ImagePath(job)},
        {"ZlxBuildCDType", number(ZLXScsiGetCDType(kDrive))},
        {"ZlxBuildCompressionType", number(job.compression)},
        {"ZlxBuildCompressionLevel", number(job.level)},
        {"ZlxBuildSectorSize", number(job.sectorSize)},
        {"ZlxBuildReadSZQ", job.q ? "1" : "0"},
        {"ZlxBuildAudioRecordMode", number(job.audioMode)},
        {"ZlxBuildCreateCustomCD", job.order.empty() ? "0" : "1"},
        {"ZlxBuildTrackOrder", job.order},
        {"ZlxBuildSkipRange", number(job.skipRange)},
        {"ZlxBuildDynamicErrorHandling", "1"},
        {"ZlxBuildTimesToValidate", "1"}};
    for (const auto& t : texts)
        env->writeText(t.first, t.second.c_str());
    env->writeBinary("ZlxBuildTOC", &toc, sizeof(toc));
    env->writeText("ZLXBuildDataReady", "1");
    return RunProcess("\"" + env->System() + "zl5write.exe\" /quiet");
}

struct Span {
    int track;
    bool audio;
    uint32_t first, count;
};

// The tracks the job asks for, in its order, from the drive's own table of contents; an
// audio track before a CD Extra's data session ends before the 11400-sector gap.
std::vector<Span> Expected(const Job& job) {
    _CDROM_TOC toc = {};
    EXPECT_TRUE(ZLXScsiGetToc(kDrive, &toc, 30));
    const bool cdExtra = (ZLXScsiGetCDType(kDrive) & 0xFF) == 6;
    std::vector<int> order;
    for (size_t i = 0; i + 1 < job.order.size(); i += 2)
        order.push_back(std::stoi(job.order.substr(i, 2)));
    if (order.empty())
        for (int t = toc.FirstTrack; t <= toc.LastTrack; ++t)
            order.push_back(t);
    std::vector<Span> spans;
    for (int t : order) {
        const TocTrackEntry& e = toc.TrackData[t - 1];
        const TocTrackEntry& next = toc.TrackData[t];
        uint32_t end = TocAddress(next);
        if (cdExtra && !TocIsData(e) && TocIsData(next) && t < toc.LastTrack)
            end -= 11400;
        spans.push_back({t, !TocIsData(e), TocAddress(e), end - TocAddress(e)});
    }
    return spans;
}

// The drive's answer for sectors [lba, lba + count): cooked user data, raw sectors, or raw
// sectors with their 16 Q bytes split off into `q`.
std::vector<uint8_t> DriveSectors(uint32_t lba, uint16_t count, bool raw, bool withQ,
                                  std::vector<uint8_t>& q, char drive = kDrive) {
    std::vector<uint8_t> out;
    if (!raw) {
        out.resize(size_t(count) * kCooked);
        const uint32_t size = static_cast<uint32_t>(out.size());
        EXPECT_EQ(ZLXScsiReadSectors(drive, lba, count, out.data(), size, 30), size) << lba;
    } else if (!withQ) {
        out.resize(size_t(count) * kRaw);
        const uint32_t size = static_cast<uint32_t>(out.size());
        EXPECT_EQ(ZLXScsiReadSectorsReadCD(drive, lba, count, out.data(), size, 256, 30), size)
            << lba;
    } else {
        std::vector<uint8_t> both(size_t(count) * (kRaw + kQ));
        const uint32_t size = static_cast<uint32_t>(both.size());
        EXPECT_EQ(ZLXScsiReadSectorsReadCDSCQ(drive, lba, count, both.data(), size, 30), size)
            << lba;
        for (uint16_t i = 0; i < count; ++i) {
            const uint8_t* s = &both[size_t(i) * (kRaw + kQ)];
            out.insert(out.end(), s, s + kRaw);
            q.insert(q.end(), s + kRaw, s + kRaw + kQ);
        }
    }
    return out;
}

// A whole sector without the sync pattern of data sectors.
bool IsAudio(uint32_t lba) {
    static const uint8_t kSync[12] = {0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    uint8_t sector[kRaw];
    return ZLXScsiReadSectorsReadCD(kDrive, lba, 1, sector, kRaw, 256, 30) == kRaw &&
           memcmp(sector, kSync, sizeof(kSync)) != 0;
}

bool InRanges(uint32_t lba, const std::vector<zl4::Range>& ranges) {
    for (const zl4::Range& r : ranges)
        if (lba >= r.first && lba < r.first + r.count)
            return true;
    return false;
}

// Checks the image of `job` against the drive: verify passes, the track table holds the
// job's tracks in its order, extract gives back the drive's bytes sector for sector (zeros
// where the image records a sector as unreadable) and the sound files hold the audio.
void CheckImage(const Job& job, const std::vector<zl4::Range>& unreadable = {}) {
    const std::string image = ImagePath(job);
    const ProcessResult verify = RunTool("zl4tool.exe", "verify \"" + image + "\"");
    EXPECT_EQ(verify.exitCode, 0u) << verify.output;

    zl4::StdioFile file;
    ASSERT_TRUE(file.OpenRead(image));
    zl4::Reader reader;
    std::string error;
    ASSERT_TRUE(reader.Open(file, error)) << error;
    const zl4::Properties& props = reader.GetHeader().props;
    EXPECT_EQ(props.compressionType, job.compression);
    std::vector<Span> spans = Expected(job);
    bool audioInImage = false;
    for (const Span& s : spans)
        audioInImage |= s.audio && job.audioMode == 2;
    const bool raw = job.sectorSize == 2352 || audioInImage;
    // Sectors without user data at a data track's end (the next audio track's pregap) are
    // not part of it when it is read cooked.
    for (Span& s : spans)
        while (!raw && !s.audio && s.count > 0 && IsAudio(s.first + s.count - 1))
            --s.count;
    ASSERT_EQ(reader.Tracks().size(), spans.size());
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(reader.Tracks()[i].number, spans[i].track) << i;
        EXPECT_EQ(reader.Tracks()[i].sectorCount, spans[i].count) << i;
    }
    EXPECT_EQ(props.sectorSize, raw ? kRaw : kCooked);
    EXPECT_EQ(props.subchannel, raw && job.q);
    ASSERT_EQ(reader.Unreadable().size(), unreadable.size());
    for (size_t i = 0; i < unreadable.size(); ++i) {
        EXPECT_EQ(reader.Unreadable()[i].first, unreadable[i].first);
        EXPECT_EQ(reader.Unreadable()[i].count, unreadable[i].count);
    }

    const std::string base = env->folder + job.name + "-x";
    const ProcessResult extract =
        RunTool("zl4tool.exe", "extract \"" + image + "\" \"" + base + "\"");
    ASSERT_EQ(extract.exitCode, 0u) << extract.output;
    const std::string bin = FileText(base + ".bin"), sub = FileText(base + ".sub");
    std::vector<uint8_t> expected, expectedQ;
    for (const Span& s : spans) {
        const bool soundFile = s.audio && job.audioMode == 1;
        std::vector<uint8_t> wav, wavQ;
        const bool asRaw = raw || soundFile, withQ = props.subchannel && !soundFile;
        std::vector<uint8_t>& to = soundFile ? wav : expected;
        std::vector<uint8_t>& toQ = soundFile ? wavQ : expectedQ;
        for (uint32_t lba = s.first, end = s.first + s.count; lba < end;) {
            if (InRanges(lba, unreadable)) { // written as zeros, Q included
                to.resize(to.size() + (asRaw ? kRaw : kCooked), 0);
                toQ.resize(toQ.size() + (withQ ? kQ : 0), 0);
                ++lba;
                continue;
            }
            uint16_t n = 1;
            while (n < 16 && lba + n < end && !InRanges(lba + n, unreadable))
                ++n;
            const std::vector<uint8_t> run = DriveSectors(lba, n, asRaw, withQ, toQ);
            to.insert(to.end(), run.begin(), run.end());
            lba += n;
        }
        if (soundFile) {
            char suffix[32];
            snprintf(suffix, sizeof(suffix), " - Track %02d.wav", s.track);
            const std::string text = FileText(env->folder + job.name + suffix);
            ASSERT_EQ(text.size(), 44 + wav.size()) << s.track;
            EXPECT_TRUE(memcmp(text.data() + 44, wav.data(), wav.size()) == 0) << s.track;
        }
    }
    ASSERT_EQ(bin.size(), expected.size());
    // Compared in sectors so that a mismatch names the first one.
    const size_t unit = raw ? kRaw : kCooked;
    for (size_t at = 0; at < expected.size(); at += unit)
        ASSERT_EQ(memcmp(bin.data() + at, expected.data() + at, unit), 0)
            << "image sector " << at / unit;
    EXPECT_EQ(sub.size(), expectedQ.size());
    EXPECT_TRUE(memcmp(sub.data(), expectedQ.data(), expectedQ.size()) == 0);
}

class WriterImageTest : public ::testing::Test {
protected:
    void TearDown() override {
        RemoveDrive(kDrive);
        RemoveDrive(kSecondDrive);
    }
    static constexpr char kSecondDrive = 'X';
    static void Insert(const std::string& sample, bool dvd = false,
                       const std::vector<SectorRange>& bad = {}, char drive = kDrive) {
        DriveConfig c;
        c.image = Sample(sample);
        c.media = dvd ? MediaHint::Dvd : MediaHint::Auto;
        c.badSectors = bad;
        Configure(drive, c);
        ASSERT_TRUE(ZLXScsiIsUnitReady(drive, 30));
    }
};

TEST_F(WriterImageTest, EverySampleDiscGivesBackItsSectorsUnderEveryCompression) {
    const struct {
        const char* sample;
        bool dvd;
        Job job;
    } cases[] = {
        // Audio is kept raw, and then so is every data sector; Q only with raw sectors.
        {"audio.cue", false, {"audio", 2, 6, 2048, true}},
        {"cdtext.cue", false, {"cdtext", 1, 0}},
        {"data.iso", false, {"data", 0, 0}},
        {"data.iso", false, {"data-raw", 2, 1, 2352, true}},
        {"mixed.cue", false, {"mixed-wav", 2, 3, 2048, false, 1}},
        {"mixed.cue", false, {"mixed", 0, 0, 2048, true}},
        {"cdextra.cue", false, {"cdextra", 1, 0, 2352, true}},
        {"vcd.cue", false, {"vcd", 2, 1, 2352}},
        {"svcd.iso", false, {"svcd", 2, 6}},
        {"photocd.cue", false, {"photocd", 1, 0, 2352, true}},
        {"cdi.cue", false, {"cdi", 0, 0, 2352}},
        {"dvdvideo.iso", true, {"dvdvideo", 2, 3}},
        {"dvdrom.iso", true, {"dvdrom", 1, 0}},
        {"dvdromvideo.iso", true, {"dvdromvideo", 2, 1}},
        // Blocked tracks are left out and the rest come in the chosen order.
        {"audio.cue", false, {"audio-order", 2, 1, 2048, false, 2, "0503010212"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.job.name);
        Insert(c.sample, c.dvd);
        const ProcessResult run = Write(c.job);
        ASSERT_EQ(run.exitCode, 0u) << run.output;
        CheckImage(c.job);
    }
}

TEST_F(WriterImageTest, BadSectorsAreSkippedAndRecordedAsUnreadable) {
    Insert("data.iso", false, {{100, 102}, {150, 150}});
    const Job job{"bad", 2, 6, 2048, false, 2, "", 8};
    const ProcessResult run = Write(job);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    // Each bad sector met skips the job's skip range from it.
    CheckImage(job, {{100, 8}, {150, 8}});
    EXPECT_NE(FileText(env->System() + "zl5write.log").find("UnreadableRange=100+8\r\n"),
              std::string::npos);
}

TEST_F(WriterImageTest, CancelHalfWayLeavesNoNewFileAndTheOldOneUntouched) {
    Insert("audio.cue");
    const Job job{"cancelled", 2, 6};
    const std::string image = ImagePath(job);
    std::ofstream(image, std::ios::binary) << "an older image";
    SetEnvironmentVariableA("ZL5WRITE_CANCEL_AT", "50");
    const ProcessResult run = Write(job);
    SetEnvironmentVariableA("ZL5WRITE_CANCEL_AT", nullptr);
    EXPECT_EQ(run.exitCode, 5u) << run.output;
    EXPECT_NE(run.output.find("Cancelled"), std::string::npos) << run.output;
    EXPECT_EQ(FileText(image), "an older image");
    EXPECT_EQ(GetFileAttributesA((image + ".part").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WriterImageTest, DamagedImagesAreReportedWithTheFailingBlock) {
    Insert("data.iso");
    const Job job{"damaged", 2, 6};
    ASSERT_EQ(Write(job).exitCode, 0u);
    const std::string image = ImagePath(job);
    const std::string good = FileText(image);
    uint64_t blockOffset = 0;
    {
        zl4::StdioFile file;
        ASSERT_TRUE(file.OpenRead(image));
        zl4::Reader reader;
        std::string error;
        ASSERT_TRUE(reader.Open(file, error)) << error;
        ASSERT_GT(reader.Blocks().size(), 3u);
        blockOffset = reader.Blocks()[3].offset + reader.Blocks()[3].storedSize / 2;
    }
    auto rewrite = [&](const std::string& bytes) {
        std::ofstream(image, std::ios::binary | std::ios::trunc) << bytes;
    };
    std::string flipped = good;
    flipped[blockOffset] = static_cast<char>(flipped[blockOffset] ^ 0x10);
    const struct {
        const char* what;
        std::string bytes;
        const char* message;
    } cases[] = {{"flipped byte", flipped, "block 3"},
                 {"truncated", good.substr(0, good.size() / 2), "(truncated)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rewrite(c.bytes);
        const ProcessResult verify = RunTool("zl4tool.exe", "verify \"" + image + "\"");
        EXPECT_EQ(verify.exitCode, 1u);
        EXPECT_NE(verify.output.find(c.message), std::string::npos) << verify.output;
    }
}
TEST_F(WriterImageTest, CompilationTakesItsTracksFromTwoDrivesInTheEditorsOrder) {
    Insert("audio.cue");
    Insert("cdtext.cue", false, {}, kSecondDrive);
    _CDROM_TOC first = {}, second = {};
    ASSERT_TRUE(ZLXScsiGetToc(kDrive, &first, 30));
    ASSERT_TRUE(ZLXScsiGetToc(kSecondDrive, &second, 30));
    const std::string image = env->folder + "compilation.zl4";
    // The editor's hand-over; a job for the editor has no table of contents of its own.
    auto write = [&](const _CDROM_TOC& firstSeen) {
        const std::pair<const char*, std::string> texts[] = {{"ZLXBuildEditor", "3"},
                                                             {"ZLXBuildDestinationFile", image},
                                                             {"ZlxBuildCompressionType", "2"},
                                                             {"ZlxBuildCompressionLevel", "1"},
                                                             {"ZlxBuildAudioRecordMode", "2"},
                                                             {"ZlxBuildEditorNoT", "3"},
                                                             {"CDE1_Drive", "W"},
                                                             {"CDE1_ID", "Audio"},
                                                             {"CDE1_TrackOrder", "0301"},
                                                             {"CDE1_TrackName3", "Third"},
                                                             {"CDE2_Drive", "X"},
                                                             {"CDE2_TrackOrder", "02"},
                                                             {"CDE2_TrackName2", "Second of X"}};
        for (const auto& t : texts)
            env->writeText(t.first, t.second.c_str());
        env->writeText("ZlxBuildTOC", "");
        env->writeBinary("CDE1_TOC", &firstSeen, sizeof(firstSeen));
        env->writeText("ZLXBuildDataReady", "1");
        return RunProcess("\"" + env->System() + "zl5write.exe\" /quiet");
    };

    const ProcessResult wrong = write(second);
    EXPECT_EQ(wrong.exitCode, 4u);
    EXPECT_NE(wrong.output.find("Drive W: holds a different disc than \"Audio\""),
              std::string::npos)
        << wrong.output;

    const ProcessResult run = write(first);
    for (const char* name : {"ZLXBuildEditor", "CDE1_Drive", "CDE2_Drive"})
        env->writeText(name, "");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(FileText(env->System() + "zl5write.log").find("CompilationTrack=03 X: track 02\r\n"),
              std::string::npos);
    const ProcessResult verify = RunTool("zl4tool.exe", "verify \"" + image + "\"");
    EXPECT_EQ(verify.exitCode, 0u) << verify.output;

    const struct {
        char drive;
        const _CDROM_TOC& toc;
        int track;
        const char* title;
    } tracks[] = {{kDrive, first, 3, "Third"},
                  {kDrive, first, 1, ""},
                  {kSecondDrive, second, 2, "Second of X"}};
    {
        zl4::StdioFile file;
        ASSERT_TRUE(file.OpenRead(image));
        zl4::Reader reader;
        std::string error;
        ASSERT_TRUE(reader.Open(file, error)) << error;
        ASSERT_EQ(reader.Tracks().size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(reader.Tracks()[i].number, i + 1);
            EXPECT_EQ(reader.Tracks()[i].title, tracks[i].title);
        }
    }
    const std::string base = env->folder + "compilation-x";
    const ProcessResult extract =
        RunTool("zl4tool.exe", "extract \"" + image + "\" \"" + base + "\"");
    ASSERT_EQ(extract.exitCode, 0u) << extract.output;
    std::vector<uint8_t> expected, noQ;
    for (const auto& t : tracks) {
        const uint32_t from = TocAddress(t.toc.TrackData[t.track - 1]);
        const uint32_t end = TocAddress(t.toc.TrackData[t.track]);
        for (uint32_t lba = from; lba < end;) {
            const uint16_t n = static_cast<uint16_t>(end - lba < 16 ? end - lba : 16);
            const std::vector<uint8_t> run16 = DriveSectors(lba, n, true, false, noQ, t.drive);
            expected.insert(expected.end(), run16.begin(), run16.end());
            lba += n;
        }
    }
    const std::string bin = FileText(base + ".bin");
    ASSERT_EQ(bin.size(), expected.size());
    EXPECT_TRUE(memcmp(bin.data(), expected.data(), expected.size()) == 0);
}
} // namespace
