// The writer's build: the job's tracks in its order, read as it says, bad sectors skipped
// and recorded, sound files beside the image, and nothing left behind on Cancel.
#include "image/Zl4Reader.h"
#include "source/DriveTypes.h"
#include "writer/ImageBuild.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

namespace {
uint8_t Byte(uint32_t lba, uint32_t i) {
    return uint8_t((lba * 7 + i / 3) ^ (i % 5 == 0 ? 0x55 : 0));
}

// Track 1 data 0-299, track 2 audio 300-399, track 3 audio 400-499.
class FakeDisc : public IDiscReader {
public:
    std::set<uint32_t> bad;
    uint32_t audioFrom = UINT32_MAX; // sectors from here on have no user data
    int speed = 0, reads = 0;

    bool ReadCooked(uint32_t lba, uint16_t count, uint8_t* out, bool) override {
        ++reads;
        for (uint32_t k = 0; k < count; ++k) {
            if (bad.count(lba + k) || lba + k >= audioFrom)
                return false;
            for (uint32_t i = 0; i < 2048; ++i)
                out[k * 2048 + i] = Byte(lba + k, i + 16);
        }
        return true;
    }
    bool ReadRaw(uint32_t lba, uint16_t count, uint8_t* out, bool, bool q) override {
        ++reads;
        const uint32_t stride = q ? 2368 : 2352;
        for (uint32_t k = 0; k < count; ++k) {
            if (bad.count(lba + k))
                return false;
            for (uint32_t i = 0; i < stride; ++i)
                out[k * stride + i] = i < 2352 ? Byte(lba + k, i) : uint8_t(lba + k + i);
        }
        return true;
    }
    void SetSpeed(int factor) override { speed = factor; }
    bool SessionDetails(uint8_t* out) override {
        out[0] = 1;
        return true;
    }
};

class Observer : public IBuildObserver {
public:
    uint64_t cancelAt = UINT64_MAX;
    BuildProgress last;
    bool Progress(const BuildProgress& p) override {
        last = p;
        return p.doneSectors < cancelAt;
    }
};

BuildJob MixedModeJob(const std::string& destination) {
    BuildJob job;
    job.drive = 'E';
    job.destination = destination;
    job.discType = 1;
    _CDROM_TOC toc{};
    toc.FirstTrack = 1;
    toc.LastTrack = 3;
    const uint32_t starts[] = {0, 300, 400, 500};
    for (int i = 0; i < 4; ++i) {
        toc.TrackData[i].TrackNumber = uint8_t(i < 3 ? i + 1 : 0xAA);
        toc.TrackData[i].ControlAdr = i == 0 ? 0x14 : 0x10;
        SetTocAddress(toc.TrackData[i], starts[i]);
    }
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&toc);
    job.toc.assign(p, p + sizeof(toc));
    job.trackTitles[3] = "Third";
    return job;
}

std::string Path(const char* name) {
    return testing::TempDir() + name;
}

bool Exists(const std::string& path) {
    std::ifstream in(path);
    return in.good();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ImageBuild, JobAndTrackPlanFollowTheStore) {
    BuildJob job = MixedModeJob("x.zl4");
    std::string tocBytes(job.toc.begin(), job.toc.end()), error;
    std::map<std::string, std::string> texts = {{"ZLXBuildSourceCDDrive", "F"},
                                                {"ZLXBuildDestinationFile", "C:\\a.zl4"},
                                                {"ZlxBuildCompressionType", "2"},
                                                {"ZlxBuildCompressionLevel", "3"},
                                                {"ZlxBuildSkipRange", "0"},
                                                {"ZlxBuildTimesToValidate", "x"},
                                                {"ZlxBuildFastErrorSkip", "0"},
                                                {"ZlxBuildTrackOrder", "0301"},
                                                {"ZlxBuildNameOfAudioTrack3", "Third"}};
    BuildJob parsed;
    ASSERT_TRUE(ParseBuildJob(texts, tocBytes, parsed, error)) << error;
    EXPECT_EQ(parsed.trackOrder, "") << "an order left from an earlier job: not a custom disc";
    texts["ZlxBuildCreateCustomCD"] = "1";
    ASSERT_TRUE(ParseBuildJob(texts, tocBytes, parsed, error)) << error;
    EXPECT_EQ(parsed.trackOrder, "0301");
    EXPECT_EQ(parsed.drive, 'F');
    EXPECT_EQ(parsed.compressionLevel, 3);
    EXPECT_EQ(parsed.skipRange, 1);       // below 1 makes no sense: one sector at a time
    EXPECT_EQ(parsed.timesToValidate, 1); // unreadable number: the default
    EXPECT_FALSE(parsed.fastErrorSkip);
    EXPECT_EQ(parsed.trackTitles[3], "Third");
    EXPECT_FALSE(ParseBuildJob(texts, "", parsed, error)); // no table of contents

    struct Case {
        std::string order;
        int discType;
        std::vector<int> tracks;
        uint32_t lastCount;
    } cases[] = {{"", 1, {1, 2, 3}, 100},
                 {"0301", 1, {3, 1}, 300},
                 {"0102", 6, {1, 2}, 100}, // the next track is audio: no session gap
                 {"0104", 1, {}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        job.trackOrder = c.order;
        job.discType = c.discType;
        std::vector<PlannedTrack> plan;
        ASSERT_EQ(PlanTracks(job, plan, error), !c.tracks.empty());
        ASSERT_EQ(plan.size(), c.tracks.size());
        for (size_t i = 0; i < plan.size(); ++i)
            EXPECT_EQ(plan[i].number, c.tracks[i]);
        if (!plan.empty()) {
            EXPECT_EQ(plan.back().count, c.lastCount);
        }
    }
}

TEST(ImageBuild, WritesTheTracksAsTheJobSays) {
    struct Case {
        int audioMode, sectorSize, compression;
        bool q;
        uint32_t pregap; // audio sectors at the data track's end
    } cases[] = {{1, 2048, 1, false, 0},
                 {2, 2352, 2, true, 150},
                 {2, 2048, 0, false, 0},
                 {1, 2048, 2, false, 150},
                 {1, 2048, 2, false, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.audioMode) + " " + std::to_string(c.sectorSize));
        const std::string path = Path("build.zl4");
        BuildJob job = MixedModeJob(path);
        job.trackOrder = "0301"; // track 2 blocked
        job.audioRecordMode = c.audioMode;
        job.sectorSize = c.sectorSize;
        job.compressionType = c.compression;
        job.compressionLevel = 6;
        job.readSubchannel = c.q;
        job.skipRange = 4;
        job.timesToValidate = 2;
        job.dynamicSpeed = 4;
        FakeDisc disc;
        disc.bad = {20, 21};
        disc.audioFrom = 300 - c.pregap;
        Observer observer;
        BuildOutcome out = BuildImage(job, disc, observer, zl4::PasswordHash());
        ASSERT_EQ(out.result, BuildResult::Done) << out.message;
        EXPECT_EQ(disc.speed, 4); // dynamic speed after the error
        EXPECT_EQ(observer.last.doneSectors, 400u);
        EXPECT_FALSE(Exists(FileSet::TemporaryName(path)));

        zl4::StdioFile file;
        ASSERT_TRUE(file.OpenRead(path));
        zl4::Reader r;
        std::string error;
        ASSERT_TRUE(r.Open(file, error)) << error;
        ASSERT_TRUE(r.Verify(error)) << error;
        // Audio kept in the image makes every sector raw.
        const uint32_t size = c.sectorSize == 2352 || c.audioMode == 2 ? 2352 : 2048;
        EXPECT_EQ(r.GetHeader().props.sectorSize, size);
        EXPECT_EQ(r.GetHeader().props.subchannel, c.q);
        ASSERT_EQ(r.Tracks().size(), 2u);
        EXPECT_EQ(r.Tracks()[0].number, 3);
        EXPECT_EQ(r.Tracks()[0].title, "Third");
        EXPECT_EQ(r.Tracks()[1].number, 1);
        // Read cooked, the data track ends where the audio track's pregap begins.
        EXPECT_EQ(r.Tracks()[1].sectorCount, size == 2048 ? 300 - c.pregap : 300);
        ASSERT_EQ(r.Unreadable().size(), 1u); // 20 fails: 20-23 skipped, 21 never tried
        EXPECT_EQ(r.Unreadable()[0].first, 20u);
        EXPECT_EQ(r.Unreadable()[0].count, 4u);

        std::vector<uint8_t> data(size), q(16);
        const zl4::Track& data1 = r.Tracks()[1];
        for (uint32_t lba : {0u, 19u, 22u, 24u, 149u}) {
            ASSERT_TRUE(r.ReadSector(data1.firstStored + lba, data.data(), q.data(), error));
            const bool skipped = lba >= 20 && lba < 24;
            for (uint32_t i = 0; i < size; i += 97)
                ASSERT_EQ(data[i], skipped ? 0 : Byte(lba, size == 2048 ? i + 16 : i)) << lba;
        }
        if (c.audioMode == 1) {
            EXPECT_EQ(r.Tracks()[0].kind, zl4::kTrackSoundFile);
            ASSERT_EQ(out.files.size(), 2u);
            std::string wav = ReadAll(out.files[1]);
            ASSERT_EQ(wav.size(), 44u + 100 * 2352);
            EXPECT_EQ(uint8_t(wav[44 + 2352 * 5 + 7]), Byte(405, 7));
            std::remove(out.files[1].c_str());
        } else {
            EXPECT_EQ(r.Tracks()[0].kind, zl4::kTrackAudio);
            ASSERT_TRUE(r.ReadSector(r.Tracks()[0].firstStored + 5, data.data(), q.data(), error));
            EXPECT_EQ(data[7], Byte(405, 7));
        }
        file.Close();
        std::remove(path.c_str());
    }
}

TEST(ImageBuild, CancelOrFailureLeavesNothingNewAndTheOldFileUntouched) {
    const std::string path = Path("cancel.zl4");
    {
        std::ofstream old(path, std::ios::binary);
        old << "previous image";
    }
    BuildJob job = MixedModeJob(path);
    job.audioRecordMode = 1;
    FakeDisc disc;
    Observer observer;
    observer.cancelAt = 250; // half of the 500 sectors
    BuildOutcome out = BuildImage(job, disc, observer, zl4::PasswordHash());
    EXPECT_EQ(out.result, BuildResult::Cancelled);
    EXPECT_EQ(ReadAll(path), "previous image");
    EXPECT_FALSE(Exists(FileSet::TemporaryName(path)));

    job.destination = Path("no-such-folder/x.zl4");
    out = BuildImage(job, disc, observer, zl4::PasswordHash());
    EXPECT_EQ(out.result, BuildResult::Failed);
    EXPECT_NE(out.message.find("Cannot create the image file"), std::string::npos);
    std::remove(path.c_str());
}

} // namespace
