// The .zl4 container: what is written reads back byte for byte under every storage choice,
// and damaged, cut or foreign files are refused with the place that fails.
#include "image/Zl4Extract.h"
#include "image/Zl4Reader.h"
#include "image/Zl4Writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {
using namespace zl4;

// Sector n: half text-like (compressible), half noise, so blocks compress partly.
std::vector<uint8_t> SectorBytes(uint32_t n, uint32_t size) {
    std::vector<uint8_t> s(size);
    uint32_t x = n * 2654435761u + 1;
    for (uint32_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        s[i] = i < size / 2 ? uint8_t('a' + (i + n) % 7) : uint8_t(x >> 24);
    }
    if (size == 2352)
        s[15] = 1; // mode byte of a raw data sector
    return s;
}

std::vector<uint8_t> QBytes(uint32_t n) {
    std::vector<uint8_t> q(kSubchannelSize);
    for (uint32_t i = 0; i < q.size(); ++i)
        q[i] = uint8_t(n * 31 + i);
    return q;
}

struct Made {
    MemoryFile file;
    Properties props;
};

// Two stored tracks of 21 and 16 sectors around a sound-file track: 37 sectors, the last
// block partly filled.
void MakeImage(Made& m, uint32_t sectorSize, bool sub, uint8_t type, uint8_t level) {
    m.props.label = "SAMPLE";
    m.props.comment = std::string(3000, 'c'); // longer than its field: cut, never overflow
    m.props.startProgram = "setup.exe";
    m.props.autoInsertDrive = "F:";
    m.props.hotkeyVirtualKey = 0x5A;
    m.props.hotkeyModifiers = 6;
    m.props.discType = 1;
    m.props.sectorSize = sectorSize;
    m.props.subchannel = sub;
    m.props.compressionType = type;
    m.props.compressionLevel = level;
    m.props.password.algorithm = kPasswordPbkdf2Sha256;
    m.props.password.iterations = 100000;
    m.props.password.hash[0] = 0xAB;
    std::vector<uint8_t> disc(kDiscRecordSize, 0x5C);
    Writer w(m.file);
    ASSERT_TRUE(w.Begin(m.props, disc.data()));
    uint32_t n = 0;
    Track data;
    data.number = 1;
    data.control = 4;
    w.AddTrack(data);
    for (; n < 21; ++n)
        ASSERT_TRUE(w.AddSector(SectorBytes(n, sectorSize).data(), QBytes(n).data()));
    Track wav;
    wav.number = 2;
    wav.kind = kTrackSoundFile;
    wav.sectorCount = 900;
    wav.soundFile = "SAMPLE - Track 02.wav";
    w.AddTrack(wav);
    Track audio;
    audio.number = 3;
    audio.kind = kTrackAudio;
    audio.discFirstSector = 1200;
    audio.title = "Third";
    w.AddTrack(audio);
    for (; n < 37; ++n)
        ASSERT_TRUE(w.AddSector(SectorBytes(n, sectorSize).data(), QBytes(n).data()));
    w.AddUnreadable(10, 2);
    w.AddUnreadable(12, 3); // adjacent: one range
    w.AddUnreadable(30, 1);
    ASSERT_TRUE(w.Finish()) << w.Error();
    EXPECT_EQ(m.file.bytes.size(), w.BytesWritten());
}

struct Choice {
    uint32_t sectorSize;
    bool sub;
    uint8_t type, level;
};

TEST(Zl4Image, RoundTripsEveryStorageChoice) {
    const Choice choices[] = {{2048, false, 0, 0}, {2048, false, 1, 0}, {2352, true, 1, 0},
                              {2352, false, 2, 1}, {2352, true, 2, 3},  {2048, false, 2, 6}};
    for (const Choice& c : choices) {
        SCOPED_TRACE(std::to_string(c.sectorSize) + " sub " + std::to_string(c.sub) + " type " +
                     std::to_string(c.type) + " level " + std::to_string(c.level));
        Made m;
        MakeImage(m, c.sectorSize, c.sub, c.type, c.level);
        Reader r;
        std::string error;
        ASSERT_TRUE(r.Open(m.file, error)) << error;
        ASSERT_TRUE(r.Verify(error)) << error;
        const Properties& p = r.GetHeader().props;
        EXPECT_EQ(p.label, "SAMPLE");
        EXPECT_EQ(p.comment.size(), kCommentText - 1);
        EXPECT_EQ(p.autoInsertDrive, "F:");
        EXPECT_EQ(p.hotkeyModifiers, 6);
        EXPECT_EQ(p.password.iterations, 100000u);
        EXPECT_EQ(p.password.hash[0], 0xAB);
        EXPECT_EQ(r.DiscRecord(), std::vector<uint8_t>(kDiscRecordSize, 0x5C));
        ASSERT_EQ(r.Blocks().size(), 3u);
        if (c.type != 0) {
            EXPECT_EQ(r.Blocks()[0].method, c.type); // half the bytes compress
        }
        ASSERT_EQ(r.Tracks().size(), 3u);
        EXPECT_EQ(r.Tracks()[0].sectorCount, 21u);
        EXPECT_EQ(r.Tracks()[1].firstStored, kNotStored);
        EXPECT_EQ(r.Tracks()[1].soundFile, "SAMPLE - Track 02.wav");
        EXPECT_EQ(r.Tracks()[2].firstStored, 21u);
        EXPECT_EQ(r.Tracks()[2].sectorCount, 16u);
        ASSERT_EQ(r.Unreadable().size(), 2u);
        EXPECT_EQ(r.Unreadable()[0].count, 5u);
        std::vector<uint8_t> data(c.sectorSize), q(kSubchannelSize);
        for (uint32_t n = 0; n < 37; ++n) {
            ASSERT_TRUE(r.ReadSector(n, data.data(), q.data(), error)) << error;
            ASSERT_EQ(data, SectorBytes(n, c.sectorSize)) << "sector " << n;
            if (c.sub) {
                ASSERT_EQ(q, QBytes(n)) << "sector " << n;
            }
        }
    }
}

TEST(Zl4Image, DamagedCutAndForeignFilesAreRefusedWithThePlace) {
    struct Case {
        const char* name;
        void (*damage)(std::vector<uint8_t>&, const Reader&);
        bool atOpen;
        const char* expected;
    } cases[] = {
        {"byte flipped in block 1",
         [](std::vector<uint8_t>& b, const Reader& r) { b[r.Blocks()[1].offset + 5] ^= 1; }, false,
         "block 1 (byte"},
        {"cut inside the blocks", [](std::vector<uint8_t>& b, const Reader&) { b.resize(5000); },
         true, "(truncated)"},
        {"cut inside the header", [](std::vector<uint8_t>& b, const Reader&) { b.resize(100); },
         true, "ends inside the 4096-byte header"},
        {"foreign file", [](std::vector<uint8_t>& b, const Reader&) { b.assign(9000, 'M'); }, true,
         "byte 0: not a .zl4 image"},
        {"empty file", [](std::vector<uint8_t>& b, const Reader&) { b.clear(); }, true,
         "not a .zl4 image"},
        {"newer format", [](std::vector<uint8_t>& b, const Reader&) { b[8] = 2; }, true,
         "byte 8: format version 2.0 is not supported"},
        {"header damaged", [](std::vector<uint8_t>& b, const Reader&) { b[300] ^= 0x20; }, true,
         "header checksum mismatch"},
        {"track table damaged",
         [](std::vector<uint8_t>& b, const Reader& r) {
             b[r.GetHeader().layout.trackOffset + 40] ^= 1;
         },
         false, "image checksum mismatch"},
    };
    Made m;
    MakeImage(m, 2352, true, 2, 6);
    Reader good;
    std::string error;
    ASSERT_TRUE(good.Open(m.file, error)) << error;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFile file;
        file.bytes = m.file.bytes;
        c.damage(file.bytes, good);
        Reader r;
        error.clear();
        bool opened = r.Open(file, error);
        EXPECT_EQ(opened, !c.atOpen) << error;
        if (opened) {
            EXPECT_FALSE(r.Verify(error));
        }
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST(Zl4Image, AFullDiskStopsTheWriterWithAMessage) {
    MemoryFile small(kHeaderSize + 40000);
    Properties props;
    std::vector<uint8_t> disc(kDiscRecordSize, 0);
    Writer w(small);
    ASSERT_TRUE(w.Begin(props, disc.data()));
    bool ok = true;
    for (uint32_t n = 0; n < 64 && ok; ++n)
        ok = w.AddSector(SectorBytes(n, 2048).data(), nullptr);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(w.Finish());
    EXPECT_NE(w.Error().find("disk full"), std::string::npos) << w.Error();
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Zl4Image, ExtractGivesBackTheSectorsAsImaged) {
    Made m;
    MakeImage(m, 2352, true, 1, 0);
    Reader r;
    std::string error;
    ASSERT_TRUE(r.Open(m.file, error)) << error;
    const std::string base = testing::TempDir() + "zl4extract";
    std::vector<std::string> written;
    ASSERT_TRUE(ExtractBinCue(r, base, written, error)) << error;
    ASSERT_TRUE(ExtractWavs(r, base, written, error)) << error;
    ASSERT_TRUE(ExtractIso(r, base + ".iso", error)) << error;
    EXPECT_EQ(written.size(), 4u); // bin, sub, cue, one WAV (track 2 is a sound file already)

    std::string bin = ReadAll(base + ".bin"), sub = ReadAll(base + ".sub");
    std::string iso = ReadAll(base + ".iso"), wav = ReadAll(base + "_track03.wav");
    ASSERT_EQ(bin.size(), 37u * 2352);
    ASSERT_EQ(sub.size(), 37u * 16);
    ASSERT_EQ(iso.size(), 21u * 2048);
    ASSERT_EQ(wav.size(), 44u + 16 * 2352);
    for (uint32_t n : {0u, 20u, 21u, 36u}) {
        std::vector<uint8_t> s = SectorBytes(n, 2352), q = QBytes(n);
        EXPECT_EQ(bin.compare(n * 2352, 2352, std::string(s.begin(), s.end())), 0) << n;
        EXPECT_EQ(sub.compare(n * 16, 16, std::string(q.begin(), q.end())), 0) << n;
        if (n < 21)
            EXPECT_EQ(iso.compare(n * 2048, 2048, std::string(s.begin() + 16, s.begin() + 2064)),
                      0);
        else
            EXPECT_EQ(wav.compare(44 + (n - 21) * 2352, 2352, std::string(s.begin(), s.end())), 0);
    }
    EXPECT_EQ(ReadAll(base + ".cue"), "FILE \"zl4extract.bin\" BINARY\n"
                                      "  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n"
                                      "  TRACK 03 AUDIO\n    INDEX 01 00:00:21\n");
    EXPECT_EQ(CueTime(75 * 61 + 3), "01:01:03");
    for (const std::string& f : written)
        std::remove(f.c_str());
    std::remove((base + ".iso").c_str());
}

} // namespace
