// The lookup service over a scripted file system and scripted drives: which source answers,
// how colliding disc IDs are told apart, and edits that are stored and found again.
#include "CddbTestData.h"
#include "cddb/CddbService.h"
#include "disc/CdTextPacks.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using cddbtest::RawToc;

namespace {
class FakeFiles : public IDatabaseFiles {
public:
    std::map<std::string, std::string> files; // full path -> bytes

    std::vector<std::string> Folders(const std::string& folder) override {
        std::set<std::string> names;
        for (const auto& f : files)
            if (f.first.compare(0, folder.size(), folder) == 0) {
                const size_t cut = f.first.find('\\', folder.size());
                if (cut != std::string::npos)
                    names.insert(f.first.substr(folder.size(), cut - folder.size()));
            }
        return {names.begin(), names.end()};
    }
    std::vector<std::string> Files(const std::string& folder, size_t limit) override {
        std::vector<std::string> names;
        for (const auto& f : files)
            if (f.first.compare(0, folder.size(), folder) == 0 &&
                f.first.find('\\', folder.size()) == std::string::npos && names.size() < limit)
                names.push_back(f.first.substr(folder.size()));
        return names;
    }
    bool Read(const std::string& path, std::string& bytes, size_t limit) override {
        auto it = files.find(path);
        if (it == files.end() || it->second.size() > limit)
            return false;
        bytes = it->second;
        return true;
    }
    bool Write(const std::string& folder, const std::string& name,
               const std::string& bytes) override {
        files[folder + name] = bytes;
        return true;
    }
};

struct FakeDrive {
    std::vector<uint8_t> toc, cdText;
};

class FakeSystem : public ICddbSystem {
public:
    std::string folder = "C:\\db\\";
    bool cdTextOn = true;
    std::map<char, FakeDrive> drives;
    int tocReads = 0;

    std::string DatabaseFolder() override { return folder; }
    bool UseCdText() override { return cdTextOn; }
    std::string Drives() override {
        std::string letters;
        for (const auto& d : drives)
            letters += d.first;
        return letters;
    }
    bool ReadToc(char letter, std::vector<uint8_t>& toc) override {
        ++tocReads;
        auto it = drives.find(letter);
        if (it == drives.end())
            return false;
        toc = it->second.toc;
        return true;
    }
    std::vector<uint8_t> ReadCdText(char letter) override { return drives[letter].cdText; }
};

const std::vector<uint32_t> kOffsets = {150, 18000, 36000};
const uint32_t kLeadOut = 54000;

std::string Entry(const std::string& offsets, const std::string& dtitle) {
    return "# xmcd\n# Track frame offsets:\n" + offsets + "#\nDTITLE=" + dtitle +
           "\nDGENRE=Rock\nTTITLE0=Alpha\nTTITLE1=Beta\nTTITLE2=Gamma\n";
}

std::vector<uint8_t> CdTextAnswer() {
    CueSheet sheet;
    std::string error;
    EXPECT_TRUE(ParseCueSheet("TITLE \"From Text\"\nPERFORMER \"Text Band\"\nFILE \"a\" BINARY\n"
                              "TRACK 01 AUDIO\nTITLE \"T1\"\nINDEX 01 00:00:00\n",
                              sheet, error));
    std::vector<uint8_t> packs = CdTextPacks::FromSheet(sheet);
    packs.insert(packs.begin(), {static_cast<uint8_t>((packs.size() + 2) >> 8),
                                 static_cast<uint8_t>(packs.size() + 2), 0, 0});
    return packs;
}

class CddbServiceTest : public ::testing::Test {
protected:
    FakeFiles files;
    FakeSystem system;
    CCddbService service{system, files};
    std::vector<uint8_t> raw = RawToc(kOffsets, kLeadOut);
    std::string id = DiscIdText(FreedbDiscId(cddbtest::Toc(kOffsets, kLeadOut)));

    bool LookupToc(int flags = kLookupCdText) {
        return service.LookupToc(raw.data(), raw.size(), flags);
    }
};

TEST_F(CddbServiceTest, CollidingIdsAreToldApartByTheirOffsets) {
    files.files["C:\\db\\blues\\" + id] = Entry("#150\n#18000\n", "Two / Tracks Only");
    files.files["C:\\db\\jazz\\" + id] = Entry("#150\n#18001\n#36000\n", "Near / Miss");
    files.files["C:\\db\\rock\\" + id] = Entry("#150\n#18000\n#36000\n", "The Band / Right One");
    files.files["C:\\db\\rock\\0badf00d"] = Entry("", "Other / Disc");
    ASSERT_TRUE(LookupToc());
    EXPECT_EQ(service.Source(), DiscSource::Database);
    EXPECT_EQ(service.Category(), "rock");
    EXPECT_EQ(service.Record().artist, "The Band");
    EXPECT_EQ(service.Record().tracks[2].title, "Gamma");

    // Without the exact match the near miss beats the entry for another track count.
    files.files.erase("C:\\db\\rock\\" + id);
    ASSERT_TRUE(LookupToc());
    EXPECT_EQ(service.Category(), "jazz");
    files.files.erase("C:\\db\\jazz\\" + id);
    EXPECT_FALSE(LookupToc());
    EXPECT_EQ(service.Database().Count(100), 2u);
}

TEST_F(CddbServiceTest, CdTextAnswersOnlyWhenAllowedAndSwitchedOn) {
    system.drives['F'] = {RawToc({150, 9000}, 20000), {}};
    system.drives['G'] = {raw, CdTextAnswer()};
    const struct {
        bool switchOn;
        int flags;
        bool found;
    } cases[] = {{true, kLookupCdText, true}, {true, 0, false}, {false, kLookupCdText, false}};
    for (const auto& c : cases) {
        system.cdTextOn = c.switchOn;
        service.ForgetDrives();
        EXPECT_EQ(LookupToc(c.flags), c.found) << c.switchOn << c.flags;
    }
    system.cdTextOn = true;
    ASSERT_TRUE(service.LookupDrive('G'));
    EXPECT_EQ(service.Source(), DiscSource::CdText);
    EXPECT_EQ(service.Record().title, "From Text");
    EXPECT_EQ(service.Record().tracks[0].artist, "Text Band");
    // The same disc by its table of contents uses the CD-Text just read.
    const int reads = system.tocReads;
    ASSERT_TRUE(LookupToc());
    EXPECT_EQ(system.tocReads, reads);
    // A database entry wins over the CD-Text.
    files.files["C:\\db\\misc\\" + id] = Entry("", "Db / Entry");
    ASSERT_TRUE(LookupToc());
    EXPECT_EQ(service.Source(), DiscSource::Database);
}

TEST_F(CddbServiceTest, EditsStandInUntilStoredAndAreFoundAgain) {
    EXPECT_FALSE(LookupToc());
    ASSERT_EQ(service.Record().tracks.size(), 3u);
    DiscRecord edit;
    edit.artist = "Mine";
    edit.title = "Own Album";
    edit.genre = "Jazz";
    edit.tracks = {{"One", "", ""}, {"Two", "", ""}, {"Three", "", ""}};
    service.ReplaceRecord(edit);
    EXPECT_TRUE(LookupToc()) << "the edit is kept for the same disc";
    EXPECT_EQ(service.Source(), DiscSource::Edited);
    ASSERT_TRUE(service.Submit());
    ASSERT_EQ(files.files.count("C:\\db\\jazz\\" + id), 1u);

    CCddbService fresh(system, files);
    ASSERT_TRUE(fresh.LookupToc(raw.data(), raw.size(), 0));
    EXPECT_EQ(fresh.Record().title, "Own Album");
    EXPECT_EQ(fresh.Record().tracks[1].title, "Two");

    // Another disc drops the edit; a genre naming no category goes to misc.
    std::vector<uint8_t> other = RawToc({150, 5000}, 9000);
    EXPECT_FALSE(service.LookupToc(other.data(), other.size(), 0));
    edit.genre = "../../Windows";
    service.ReplaceRecord(edit);
    EXPECT_EQ(service.SubmitCategory(), "misc");
    system.folder.clear();
    EXPECT_FALSE(service.Submit()) << "no database folder";
}
} // namespace
