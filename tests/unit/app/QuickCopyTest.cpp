#include "app/BuildJob.h"
#include "app/QuickCopy.h"
#include "pages/QuickCopySelection.h"
#include "settings/MemoryEnvStore.h"
#include "support/FakeDriveLibrary.h"
#include "support/FakeQuickCopy.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::string kFolder = "C:\\Docs\\Zelvane v5\\ZQCopy\\";

_CDROM_TOC DiscToc() {
    return MakeToc({{0, true}, {12000, false}, {30000, false}}, 45000);
}

QuickCopyRecord Record(const std::string& label, const std::string& description,
                       const _CDROM_TOC& toc = DiscToc()) {
    QuickCopyRecord record;
    record.label = label;
    record.description = description;
    std::memcpy(record.toc.data(), &toc, sizeof toc);
    return record;
}

TEST(QuickCopyRecord, FieldsSitAtTheirOffsetsAndRoundTrip) {
    QuickCopyRecord record = Record("MY DISC", "Backup of my disc");
    record.flags = 0x0119;
    record.skipRange = 500;
    record.cdType = 4097;
    record.imageFile = "C:\\Images\\MY DISC.zl4";
    const std::vector<uint8_t> bytes = BuildQuickCopyRecord(record);
    ASSERT_EQ(bytes.size(), 4700u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "ZQC1");
    EXPECT_EQ(bytes[8] | bytes[9] << 8, 0x0119);
    EXPECT_EQ(bytes[16] | bytes[17] << 8, 500);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[20]), "MY DISC");
    EXPECT_EQ(std::memcmp(&bytes[56], record.toc.data(), 804), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[2488]), "Backup of my disc");
    const QuickCopyRecord back = ParseQuickCopyRecord(bytes.data(), bytes.size());
    EXPECT_TRUE(back.Complete());
    EXPECT_EQ(BuildQuickCopyRecord(back), bytes);

    // Texts longer than their fields are cut so that the zero byte still fits.
    record.label = std::string(50, 'L');
    record.description = std::string(3000, 'D');
    const auto cut = ParseQuickCopyRecord(BuildQuickCopyRecord(record).data(), 4700);
    EXPECT_EQ(cut.label, std::string(35, 'L'));
    EXPECT_EQ(cut.description, std::string(2211, 'D'));
    EXPECT_EQ(cut.toc, record.toc);
}

TEST(QuickCopyRecord, ShortDamagedAndOverlongFilesParseSafely) {
    const std::vector<uint8_t> good = BuildQuickCopyRecord(Record("ABCDEFGH", "Desc"));
    auto filled = [&](long at, long count, char c) {
        std::vector<uint8_t> b = good;
        std::fill(b.begin() + at, b.begin() + at + count, static_cast<uint8_t>(c));
        return b;
    };
    std::vector<uint8_t> longer = good;
    longer.resize(5000, 'X');
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        size_t size;
        std::string label, description;
        bool complete, tocIntact;
    } cases[] = {
        {"empty file", good, 0, "", "", false, false},
        {"cut inside the label", good, 24, "ABCD", "", false, false},
        {"cut after the contents", good, 860, "ABCDEFGH", "", false, true},
        {"label without its zero", filled(20, 36, 'L'), 4700, std::string(36, 'L'), "Desc", true,
         true},
        {"description to the end", filled(2488, 2212, 'D'), 4700, "ABCDEFGH",
         std::string(2212, 'D'), true, true},
        {"longer than a record", longer, 5000, "ABCDEFGH", "Desc", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QuickCopyRecord r = ParseQuickCopyRecord(c.bytes.data(), c.size);
        EXPECT_EQ(r.label, c.label);
        EXPECT_EQ(r.description, c.description);
        EXPECT_EQ(r.Complete(), c.complete);
        EXPECT_EQ(std::memcmp(r.toc.data(), &good[56], 804) == 0, c.tocIntact);
    }
}

TEST(QuickCopyRecord, SubChannelOnlyWithRawAndNames) {
    EXPECT_EQ(EncodeQuickCopyFlags({false, false, false, true, false}), 0u);
    EXPECT_FALSE(DecodeQuickCopyFlags(0x10).subChannel);

    EXPECT_EQ(MakeQuickCopyDisplayName(Record("X", "My backup"), kFolder + "My.Disc.zqc"),
              "My backup (My.Disc)");
    const struct {
        const char* label;
        int attempt;
        const char* name;
    } names[] = {{"DISC", 1, "DISC.zqc"},
                 {"DISC", 2, "DISC_2.zqc"},
                 {"A/B:C*?", 1, "A-B-C--.zqc"},
                 {"LABEL . ", 1, "LABEL.zqc"},
                 {"", 3, "QuickCopy_3.zqc"}};
    for (const auto& n : names)
        EXPECT_EQ(QuickCopyFileName(n.label, n.attempt), n.name) << n.label;
}

struct QuickCopyFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CBuildJob job{store, registry};
    CFakeQuickCopyFiles files;
    CFakeQuickCopyChooser chooser;

    QuickCopyFixture() {
        job.SourceDiscName = "MY DISC";
        job.Toc = DiscToc();
    }
    void AddFile(const std::string& name, const QuickCopyRecord& record, size_t size = 4700) {
        std::vector<uint8_t> bytes = BuildQuickCopyRecord(record);
        bytes.resize(size);
        files.files[kFolder + name] = bytes;
    }
    int Find(int mode) { return job.FindQuickCopyFiles(mode, {files, chooser, kFolder}); }
};

TEST_F(QuickCopyFixture, AFileMatchesOnLabelWithoutTrailingBlanksAndTheWholeContents) {
    _CDROM_TOC otherDrive = DiscToc();
    otherDrive.TrackData[2].Address[3] ^= 1; // the same disc read a sector apart
    const struct {
        const char* name;
        std::string discName, storedLabel;
        _CDROM_TOC toc;
        size_t size;
        bool locked, matches;
    } cases[] = {
        {"same disc", "MY DISC", "MY DISC", DiscToc(), 4700, false, true},
        {"stored label with blanks", "MY DISC", "MY DISC   ", DiscToc(), 4700, false, true},
        {"disc name with blanks", "MY DISC \t", "MY DISC", DiscToc(), 4700, false, true},
        {"letter case differs", "MY DISC", "My Disc", DiscToc(), 4700, false, false},
        {"contents differ in one byte", "MY DISC", "MY DISC", otherDrive, 4700, false, false},
        {"file ends after the contents", "MY DISC", "MY DISC", DiscToc(), 860, false, true},
        {"file ends inside the contents", "MY DISC", "MY DISC", DiscToc(), 70, false, false},
        {"file cannot be opened", "MY DISC", "MY DISC", DiscToc(), 4700, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        files.files.clear();
        files.locked.clear();
        job.QuickCopyFileName = job.QuickCopyDisplayName = "earlier";
        job.SourceDiscName = c.discName;
        AddFile("disc.zqc", Record(c.storedLabel, "Stored", c.toc), c.size);
        if (c.locked)
            files.locked.insert(kFolder + "disc.zqc");
        EXPECT_EQ(Find(kQuickCopyFirstMatch), c.matches ? 1 : 0);
        EXPECT_EQ(job.QuickCopyInUse, c.matches ? 1 : 0);
        EXPECT_EQ(job.QuickCopyFileName, c.matches ? kFolder + "disc.zqc" : "earlier");
        // A file cut before its description shows an empty one.
        const char* shown = c.size == 4700 ? "Stored (disc)" : " (disc)";
        EXPECT_EQ(job.QuickCopyDisplayName, c.matches ? shown : "earlier");
    }
    EXPECT_EQ(files.patterns.back(), kFolder + "*.zqc");
    EXPECT_FALSE(files.lastExclusive) << "searching only denies others write access";
}

TEST_F(QuickCopyFixture, ModesDecideWhetherTheUserChooses) {
    enum Answer { kNone, kOkSecond, kCancel };
    const struct {
        int mode, matching;
        Answer answer;
        bool dialog;
        int count, inUse;
        const char* fileName;
    } cases[] = {
        {0, 2, kNone, false, 1, 1, "a.zqc"},    // stops at the first match
        {1, 0, kNone, false, 0, 0, ""},         //
        {1, 1, kNone, false, 1, 1, "a.zqc"},    // one match needs no choice
        {1, 2, kOkSecond, true, 2, 1, "b.zqc"}, //
        {1, 2, kCancel, true, 2, 0, "b.zqc"},   // the scan's last match stays
        {2, 1, kCancel, true, 1, 0, "a.zqc"},   //
        {2, 1, kOkSecond, true, 1, 1, "b.zqc"}, // the chooser's word counts
        {2, 0, kCancel, true, 0, 0, ""},        //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", " + std::to_string(c.matching) +
                     " matching");
        files.files.clear();
        chooser.shown.clear();
        AddFile("a.zqc", Record(c.matching >= 1 ? "MY DISC" : "OTHER", "First"));
        AddFile("b.zqc", Record(c.matching >= 2 ? "MY DISC" : "OTHER", "Second"));
        AddFile("c.zqc", Record("OTHER", "Third"));
        chooser.answer = [&](const QuickCopyCandidates&, QuickCopyChoice& choice) {
            choice = {kFolder + "b.zqc", "Second (b)"};
            return c.answer == kOkSecond;
        };
        job.QuickCopyFileName = kFolder;
        job.QuickCopyInUse = 1;
        EXPECT_EQ(Find(c.mode), c.count);
        EXPECT_EQ(job.QuickCopyMatchCount, c.count);
        EXPECT_EQ(job.QuickCopyInUse, c.inUse);
        EXPECT_EQ(job.QuickCopyFileName, kFolder + c.fileName);
        const std::vector<size_t> offered{static_cast<size_t>(c.matching)};
        EXPECT_EQ(chooser.shown, c.dialog ? offered : std::vector<size_t>{});
    }
}

TEST_F(QuickCopyFixture, FilesDeletedInTheDialogAreGoneFromTheNextSearch) {
    AddFile("a.zqc", Record("MY DISC", "First"));
    AddFile("b.zqc", Record("MY DISC", "Second"));
    chooser.answer = [&](const QuickCopyCandidates& candidates, QuickCopyChoice&) {
        const CQuickCopySelection selection(candidates);
        EXPECT_TRUE(selection.Delete(0, files) && selection.Delete(1, files));
        return false; // then Cancel
    };
    EXPECT_EQ(Find(kQuickCopyAlwaysChoose), 2);
    EXPECT_EQ(job.QuickCopyInUse, 0);
    EXPECT_EQ(Find(kQuickCopyFirstMatch), 0);
}

TEST_F(QuickCopyFixture, LoadingTakesTheReadOptionsOnlyFromAWholeRecord) {
    const struct {
        uint32_t flags, skipRange;
        int fastRead, dynamic, subReadable, sectorSize, audioMode, skip;
    } cases[] = {
        {0x005, 500, 1, 1, 7, 2048, 1, 500}, // sub-channel capability left alone
        {0x008, 20, 0, 0, 0, 2352, 1, 20},   // RAW without sub-channel
        {0x118, 9, 0, 0, 1, 2352, 2, 9},     //
        {0x010, 0, 0, 0, 7, 2048, 1, 1},     // bit 4 alone means nothing; skip at least 1
        {0x000, 4000000000u, 0, 0, 7, 2048, 1, 100000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        QuickCopyRecord record = Record("MY DISC", "x");
        record.flags = c.flags;
        record.skipRange = c.skipRange;
        AddFile("chosen.zqc", record);
        job.QuickCopyFileName = kFolder + "chosen.zqc";
        job.SubChannelReadable = 7;
        job.QuickCopySettingsLoaded = 0;
        ASSERT_TRUE(job.LoadQuickCopySettings(files));
        EXPECT_TRUE(files.lastExclusive);
        EXPECT_EQ(job.FastRead, c.fastRead);
        EXPECT_EQ(job.DynamicErrorHandling, c.dynamic);
        EXPECT_EQ(job.SubChannelReadable, c.subReadable);
        EXPECT_EQ(job.SectorSize, c.sectorSize);
        EXPECT_EQ(job.SectorType, c.sectorSize == 2352 ? 256 : 0);
        EXPECT_EQ(job.AudioRecordMode, c.audioMode);
        EXPECT_EQ(job.SkipRange, c.skip);
        EXPECT_EQ(job.QuickCopySettingsLoaded, 1);
    }

    // A short or unreadable file changes nothing.
    QuickCopyRecord raw = Record("MY DISC", "x");
    raw.flags = 0x11D;
    AddFile("short.zqc", raw, 4699);
    AddFile("locked.zqc", raw);
    files.locked.insert(kFolder + "locked.zqc");
    for (const char* name : {"short.zqc", "locked.zqc", "missing.zqc"}) {
        job.QuickCopyFileName = kFolder + name;
        job.FastRead = job.QuickCopySettingsLoaded = 0;
        job.SectorSize = 2048;
        EXPECT_FALSE(job.LoadQuickCopySettings(files)) << name;
        EXPECT_EQ(job.FastRead + job.QuickCopySettingsLoaded + job.SectorSize, 2048) << name;
    }
}

TEST(QuickCopySelection, RowsSortIgnoringCaseOkNeedsARowDeleteMayFail) {
    QuickCopyCandidates candidates;
    candidates[kFolder + "1.zqc"] = Record("D", "zebra");
    candidates[kFolder + "2.zqc"] = Record("D", "Apple");
    candidates[kFolder + "3.zqc"] = Record("D", "mango");
    const CQuickCopySelection selection(candidates);
    std::vector<std::string> shown;
    for (const auto& row : selection.Rows())
        shown.push_back(row.displayName);
    EXPECT_EQ(shown, (std::vector<std::string>{"Apple (2)", "mango (3)", "zebra (1)"}));

    QuickCopyChoice choice;
    EXPECT_EQ(selection.Accept(-1, choice), kNoQuickCopySelected);
    EXPECT_EQ(selection.Accept(1, choice), 0);
    EXPECT_EQ(choice.path, kFolder + "3.zqc");
    EXPECT_EQ(choice.displayName, "mango (3)");

    CFakeQuickCopyFiles files;
    files.files[kFolder + "3.zqc"] = {};
    files.undeletable.insert(kFolder + "3.zqc");
    EXPECT_FALSE(selection.Delete(1, files)) << "a file that cannot be deleted stays listed";
}

} // namespace
