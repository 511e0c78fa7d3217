#include "app/BuildJob.h"
#include "app/QuickCopyDefault.h"
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

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
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
    EXPECT_EQ(Le32(bytes, 8), 0x0119u);
    EXPECT_EQ(Le32(bytes, 16), 500u);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[20]), "MY DISC");
    const _CDROM_TOC toc = DiscToc();
    EXPECT_EQ(std::memcmp(&bytes[56], &toc, 804), 0);
    EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[2488]), "Backup of my disc");

    const QuickCopyRecord back = ParseQuickCopyRecord(bytes.data(), bytes.size());
    EXPECT_TRUE(back.Complete());
    EXPECT_EQ(back.flags, record.flags);
    EXPECT_EQ(back.skipRange, record.skipRange);
    EXPECT_EQ(back.cdType, record.cdType);
    EXPECT_EQ(back.label, record.label);
    EXPECT_EQ(back.toc, record.toc);
    EXPECT_EQ(back.imageFile, record.imageFile);
    EXPECT_EQ(back.description, record.description);

    // Texts longer than their fields are cut so that the zero byte still fits.
    record.label = std::string(50, 'L');
    record.description = std::string(3000, 'D');
    const auto cut = ParseQuickCopyRecord(BuildQuickCopyRecord(record).data(), 4700);
    EXPECT_EQ(cut.label, std::string(35, 'L'));
    EXPECT_EQ(cut.description, std::string(2211, 'D'));
    EXPECT_EQ(cut.toc, record.toc) << "the label's cut leaves the contents alone";
}

TEST(QuickCopyRecord, ShortDamagedAndOverlongFilesParseSafely) {
    const std::vector<uint8_t> good = BuildQuickCopyRecord(Record("ABCDEFGH", "Desc"));
    auto filled = [&](size_t at, size_t count, char c) {
        std::vector<uint8_t> b = good;
        std::fill(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + count),
                  static_cast<uint8_t>(c));
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
    EXPECT_EQ(ParseQuickCopyRecord(nullptr, 100).bytesRead, 0u);
}

TEST(QuickCopyRecord, OptionsAndFlagBits) {
    const struct {
        QuickCopyOptions options;
        uint32_t flags;
    } cases[] = {
        {{}, 0},
        {{true, false, false, false, false}, 0x001},
        {{false, true, false, false, false}, 0x004},
        {{false, false, true, false, false}, 0x008},
        {{false, false, true, true, false}, 0x018},
        {{false, false, false, false, true}, 0x100},
        {{true, true, true, true, true}, 0x11D},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeQuickCopyFlags(c.options), c.flags);
        EXPECT_EQ(DecodeQuickCopyFlags(c.flags), c.options) << c.flags;
    }
    // Sub-channel reading only exists together with RAW sectors.
    EXPECT_EQ(EncodeQuickCopyFlags({false, false, false, true, false}), 0u);
    EXPECT_FALSE(DecodeQuickCopyFlags(0x10).subChannel);
}

TEST(QuickCopyRecord, DisplayAndFileNames) {
    EXPECT_EQ(MakeQuickCopyDisplayName(Record("X", "My backup"), kFolder + "My.Disc.zqc"),
              "My backup (My.Disc)");
    EXPECT_EQ(MakeQuickCopyDisplayName(Record("X", ""), "NoFolder"), " (NoFolder)");
    const struct {
        const char* label;
        int attempt;
        const char* name;
    } names[] = {{"DISC", 1, "DISC.zqc"},       {"DISC", 2, "DISC_2.zqc"},
                 {"A/B:C*?", 1, "A-B-C--.zqc"}, {"LABEL  ", 1, "LABEL.zqc"},
                 {"", 3, "QuickCopy_3.zqc"},    {" . ", 1, "QuickCopy.zqc"}};
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
        {1, 0, kNone, false, 0, 0, "earlier"},  //
        {1, 1, kNone, false, 1, 1, "a.zqc"},    // one match needs no choice
        {1, 2, kOkSecond, true, 2, 1, "b.zqc"}, //
        {1, 2, kCancel, true, 2, 0, "b.zqc"},   // the scan's last match stays
        {2, 1, kCancel, true, 1, 0, "a.zqc"},   //
        {2, 1, kOkSecond, true, 1, 1, "b.zqc"}, // the chooser's word counts
        {2, 0, kCancel, true, 0, 0, "earlier"}, //
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
        job.QuickCopyFileName = "earlier";
        job.QuickCopyInUse = 1;
        EXPECT_EQ(Find(c.mode), c.count);
        EXPECT_EQ(job.QuickCopyMatchCount, c.count);
        EXPECT_EQ(job.QuickCopyInUse, c.inUse);
        EXPECT_EQ(chooser.shown.size(), c.dialog ? 1u : 0u);
        const std::string expected =
            c.fileName == std::string("earlier") ? std::string(c.fileName) : kFolder + c.fileName;
        EXPECT_EQ(job.QuickCopyFileName, expected);
        if (c.dialog) {
            EXPECT_EQ(chooser.shown[0].size(), static_cast<size_t>(c.matching))
                << "only matching files are offered";
        }
    }
}

TEST_F(QuickCopyFixture, FilesDeletedInTheDialogAreGoneFromTheNextSearch) {
    AddFile("a.zqc", Record("MY DISC", "First"));
    AddFile("b.zqc", Record("MY DISC", "Second"));
    chooser.answer = [&](const QuickCopyCandidates& candidates, QuickCopyChoice&) {
        const CQuickCopySelection selection(candidates);
        for (int row = 0; row < static_cast<int>(selection.Rows().size()); ++row)
            EXPECT_TRUE(selection.Delete(row, files));
        return false;
    };
    EXPECT_EQ(Find(kQuickCopyAlwaysChoose), 2);
    EXPECT_EQ(Find(kQuickCopyFirstMatch), 0);
    EXPECT_EQ(job.QuickCopyInUse, 0);
}

TEST_F(QuickCopyFixture, LoadingTakesTheReadOptionsOnlyFromAWholeRecord) {
    const struct {
        uint32_t flags, skipRange;
        int fastRead, dynamic, subReadable, sectorSize, sectorType, audioMode, skip;
    } cases[] = {
        {0x000, 1, 0, 0, 7, 2048, 0, 1, 1}, // sub-channel capability left alone
        {0x001 | 0x004, 500, 1, 1, 7, 2048, 0, 1, 500},
        {0x008, 20, 0, 0, 0, 2352, 256, 1, 20}, // RAW without sub-channel
        {0x018 | 0x100, 9, 0, 0, 1, 2352, 256, 2, 9},
        {0x010, 0, 0, 0, 7, 2048, 0, 1, 1}, // bit 4 alone means nothing; skip at least 1
        {0x000, 4000000000u, 0, 0, 7, 2048, 0, 1, 100000},
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
        EXPECT_EQ(job.SectorType, c.sectorType);
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
        job.FastRead = 0;
        job.SectorSize = 2048;
        job.QuickCopySettingsLoaded = 0;
        EXPECT_FALSE(job.LoadQuickCopySettings(files)) << name;
        EXPECT_EQ(job.FastRead + job.QuickCopySettingsLoaded, 0) << name;
        EXPECT_EQ(job.SectorSize, 2048) << name;
    }
}

TEST_F(QuickCopyFixture, TheAnalysisLooksInTheSettingsFolderWithoutAsking) {
    AddFile("a.zqc", Record("MY DISC", "First"));
    AddFile("b.zqc", Record("MY DISC", "Second"));
    std::string folder = "C:\\Elsewhere\\";
    CQuickCopyDefault prepare(files, [&] { return folder; });
    prepare.Prepare(job);
    EXPECT_EQ(job.QuickCopyMatchCount, 0);
    EXPECT_EQ(files.patterns.back(), "C:\\Elsewhere\\*.zqc");
    folder = kFolder; // the settings are read when the search runs
    prepare.Prepare(job);
    EXPECT_EQ(job.QuickCopyMatchCount, 1);
    EXPECT_EQ(job.QuickCopyInUse, 1);
}

TEST(QuickCopySelection, RowsSortIgnoringCaseAndOkNeedsARow) {
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
    EXPECT_EQ(selection.Accept(3, choice), kNoQuickCopySelected);
    EXPECT_EQ(selection.Accept(1, choice), 0);
    EXPECT_EQ(choice.path, kFolder + "3.zqc");
    EXPECT_EQ(choice.displayName, "mango (3)");

    EXPECT_FALSE(CQuickCopySelection::CanDelete(-1));
    EXPECT_TRUE(CQuickCopySelection::CanDelete(0));
    CFakeQuickCopyFiles files;
    files.files[kFolder + "2.zqc"] = {};
    files.files[kFolder + "3.zqc"] = {};
    files.undeletable.insert(kFolder + "3.zqc");
    EXPECT_TRUE(selection.Delete(0, files));
    EXPECT_FALSE(selection.Delete(1, files)) << "a file that cannot be deleted stays listed";
    EXPECT_FALSE(selection.Delete(7, files));
    EXPECT_EQ(files.files.count(kFolder + "2.zqc"), 0u);
}

} // namespace
