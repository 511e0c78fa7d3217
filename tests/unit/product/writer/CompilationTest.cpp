// The editor's compilations: the hand-over as the store holds it, and an image made of
// tracks from two discs in two drives, in the editor's order, refused for a wrong disc.
#include "image/Zl4Reader.h"
#include "source/DriveTypes.h"
#include "writer/ImageBuild.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

namespace {
std::vector<uint8_t> MakeToc(std::vector<uint32_t> starts, uint8_t dataTracks) {
    _CDROM_TOC toc{};
    toc.FirstTrack = 1;
    toc.LastTrack = uint8_t(starts.size() - 1);
    for (size_t i = 0; i < starts.size(); ++i) {
        toc.TrackData[i].TrackNumber = uint8_t(i + 1 < starts.size() ? i + 1 : 0xAA);
        toc.TrackData[i].ControlAdr = (dataTracks >> i) & 1 ? 0x14 : 0x10;
        SetTocAddress(toc.TrackData[i], starts[i]);
    }
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&toc);
    return std::vector<uint8_t>(p, p + sizeof(toc));
}

uint8_t Byte(uint8_t seed, uint32_t lba, uint32_t i) {
    return uint8_t(seed ^ (lba * 13 + i / 5));
}

// A disc whose every byte tells which disc and sector it came from.
class SourceFake : public IDiscReader {
public:
    SourceFake(uint8_t seed, std::vector<uint8_t> toc) : seed_(seed), toc_(std::move(toc)) {}
    uint32_t bad = UINT32_MAX;

    bool ReadCooked(uint32_t lba, uint16_t count, uint8_t* out, bool) override {
        return Fill(lba, count, out, 2048, 16);
    }
    bool ReadRaw(uint32_t lba, uint16_t count, uint8_t* out, bool, bool) override {
        return Fill(lba, count, out, 2352, 0);
    }
    void SetSpeed(int) override {}
    bool SessionDetails(uint8_t*) override { return false; }
    bool Toc(uint8_t* out) override {
        if (toc_.empty())
            return false;
        memcpy(out, toc_.data(), toc_.size());
        return true;
    }

private:
    bool Fill(uint32_t lba, uint16_t count, uint8_t* out, uint32_t size, uint32_t skip) {
        for (uint32_t k = 0; k < count; ++k) {
            if (lba + k == bad)
                return false;
            for (uint32_t i = 0; i < size; ++i)
                out[k * size + i] = Byte(seed_, lba + k, i + skip);
        }
        return true;
    }
    uint8_t seed_;
    std::vector<uint8_t> toc_;
};

class Quiet : public IBuildObserver {
    bool Progress(const BuildProgress&) override { return true; }
};

// Disc A: data 0-299, audio 300-399 and 400-499. Disc B: audio 0-199 and 200-249.
const std::vector<uint8_t> kTocA = MakeToc({0, 300, 400, 500}, 1);
const std::vector<uint8_t> kTocB = MakeToc({0, 200, 250}, 0);

std::map<std::string, std::string> Handover() {
    return {{"ZLXBuildEditor", "3"},
            {"ZLXBuildDestinationFile", "C:\\c.zl4"},
            {"ZlxBuildEditorNoT", "3"},
            {"CDE1_Drive", "E"},
            {"CDE1_ID", "Disc A"},
            {"CDE1_TOC", std::string(kTocA.begin(), kTocA.end())},
            {"CDE1_TrackOrder", "0301"},
            {"CDE1_TrackName3", "Three"},
            {"CDE1_TrackName2", "left out"},
            {"CDE2_Drive", "F"},
            {"CDE2_TrackOrder", "02"},
            {"CDE2_TrackName2", "B two"},
            {"CDE3_Drive", ""}, // emptied by a cancel: the list ends here
            {"CDE3_TrackOrder", "01"}};
}

TEST(Compilation, HandOverIsReadOrRefusedWithAReason) {
    struct Case {
        const char* what;
        const char* name; // changed value; nullptr removes nothing
        std::string value;
        const char* error; // empty: accepted
    } cases[] = {
        {"as handed over", "ZLXBuildEditor", "3", ""},
        {"without a run mode, a first disc still makes it one", "ZLXBuildEditor", "", ""},
        {"no count to check", "ZlxBuildEditorNoT", "", ""},
        {"count from another compilation", "ZlxBuildEditorNoT", "4", "should hold 4 tracks"},
        {"odd order", "CDE2_TrackOrder", "021", "two-digit"},
        {"letters in the order", "CDE2_TrackOrder", "0x", "two-digit"},
        {"cut table", "CDE1_TOC", "abc", "damaged"},
        {"no drives", "CDE1_Drive", "", "names no tracks"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto texts = Handover();
        texts[c.name] = c.value;
        BuildJob job;
        std::string error;
        const bool ok = ParseBuildJob(texts, "", job, error);
        ASSERT_EQ(ok, *c.error == '\0') << error;
        if (!ok) {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
            continue;
        }
        ASSERT_EQ(job.sources.size(), 2u);
        EXPECT_EQ(job.drive, 'E');
        EXPECT_EQ(job.sources[0].order, (std::vector<int>{3, 1}));
        EXPECT_EQ(job.sources[0].toc, kTocA);
        EXPECT_EQ(job.sources[0].titles, (std::map<int, std::string>{{3, "Three"}}));
        EXPECT_EQ(job.sources[1].drive, 'F');
        EXPECT_TRUE(job.sources[1].toc.empty());
        EXPECT_EQ(job.sources[1].titles.at(2), "B two");
    }
    // A job with its own table of contents is a disc build whatever the store still holds.
    BuildJob job;
    std::string error;
    auto texts = Handover();
    texts["ZLXBuildSourceCDDrive"] = "G";
    ASSERT_TRUE(ParseBuildJob(texts, std::string(kTocB.begin(), kTocB.end()), job, error));
    EXPECT_TRUE(job.sources.empty());
    EXPECT_EQ(job.drive, 'G');
}

TEST(Compilation, TracksOfTwoDiscsGoIntoOneImageInTheEditorsOrder) {
    const std::string path = testing::TempDir() + "compilation.zl4";
    BuildJob job;
    std::string error;
    auto texts = Handover();
    texts["ZLXBuildDestinationFile"] = path;
    ASSERT_TRUE(ParseBuildJob(texts, "", job, error)) << error;
    job.audioRecordMode = 2;
    job.sources[0].toc.back() ^= 1; // past the lead-out entry: not part of the disc
    SourceFake a(0x11, kTocA), b(0x22, kTocB);
    b.bad = 210;
    Quiet quiet;
    BuildOutcome out = BuildImage(job, {&a, &b}, quiet, zl4::PasswordHash());
    ASSERT_EQ(out.result, BuildResult::Done) << out.message;
    EXPECT_EQ(out.sources,
              (std::vector<std::string>{"01 E: track 03", "02 E: track 01", "03 F: track 02"}));

    zl4::StdioFile file;
    ASSERT_TRUE(file.OpenRead(path));
    zl4::Reader r;
    ASSERT_TRUE(r.Open(file, error)) << error;
    ASSERT_TRUE(r.Verify(error)) << error;
    const struct {
        uint8_t seed;
        uint32_t sourceFirst, imageFirst, count;
        const char* title;
    } expected[] = {
        {0x11, 400, 0, 100, "Three"}, {0x11, 0, 100, 300, ""}, {0x22, 200, 400, 50, "B two"}};
    ASSERT_EQ(r.Tracks().size(), 3u);
    std::vector<uint8_t> sector(2352), q(16);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const zl4::Track& t = r.Tracks()[i];
        EXPECT_EQ(t.number, i + 1);
        EXPECT_EQ(t.title, expected[i].title);
        EXPECT_EQ(t.discFirstSector, expected[i].imageFirst);
        ASSERT_EQ(t.sectorCount, expected[i].count);
        for (uint32_t k : {0u, expected[i].count - 1}) {
            ASSERT_TRUE(r.ReadSector(t.firstStored + k, sector.data(), q.data(), error));
            EXPECT_EQ(sector[999], Byte(expected[i].seed, expected[i].sourceFirst + k, 999));
        }
    }
    // The image is a disc of its own: its table lists the three tracks and where they lie,
    // and a bad sector is recorded where it lies on that disc.
    std::vector<PlannedTrack> plan(3);
    for (size_t i = 0; i < 3; ++i) {
        plan[i].imageFirst = expected[i].imageFirst;
        plan[i].count = expected[i].count;
        plan[i].control = i == 1 ? 4 : 0;
    }
    EXPECT_EQ(memcmp(r.DiscRecord().data(), CompilationToc(plan).data(), sizeof(_CDROM_TOC)), 0);
    ASSERT_EQ(r.Unreadable().size(), 1u);
    EXPECT_EQ(r.Unreadable()[0].first, 410u);
    file.Close();
    std::remove(path.c_str());

    // The disc in a drive is checked against the one the editor saw.
    struct Refusal {
        const char* what;
        std::vector<uint8_t> driveToc;
        const char* message;
    } refusals[] = {{"another disc", kTocB, "Drive E: holds a different disc than \"Disc A\""},
                    {"no table", {}, "cannot be read"}};
    for (const Refusal& c : refusals) {
        SCOPED_TRACE(c.what);
        SourceFake wrong(0x33, c.driveToc);
        out = BuildImage(job, {&wrong, &b}, quiet, zl4::PasswordHash());
        EXPECT_EQ(out.result, BuildResult::Failed);
        EXPECT_NE(out.message.find(c.message), std::string::npos) << out.message;
        std::ifstream none(path);
        EXPECT_FALSE(none.good());
    }
}
} // namespace
