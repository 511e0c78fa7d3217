#include "controls/HardDiscList.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr uint64_t kMB = 1024 * 1024;

struct FakeDrive {
    DriveKind kind = DriveKind::Fixed;
    uint64_t total = 0, free = 0;
    bool spaceKnown = true;
    std::string label;
    bool writable = true;
};

class FakeDrives : public IDriveQuery {
public:
    std::map<char, FakeDrive> drives;
    std::set<std::string> asked; // roots whose label or write access was asked for

    uint32_t LogicalDrives() override {
        uint32_t mask = 0;
        for (const auto& entry : drives)
            mask |= uint32_t{1} << (entry.first - 'A');
        return mask;
    }
    DriveKind Kind(const std::string& root) override { return Of(root).kind; }
    bool Space(const std::string& root, uint64_t& total, uint64_t& free) override {
        const FakeDrive& d = Of(root);
        total = d.spaceKnown ? d.total : 0;
        free = d.spaceKnown ? d.free : 0;
        return d.spaceKnown;
    }
    std::string VolumeLabel(const std::string& root) override {
        asked.insert(root);
        return Of(root).label;
    }
    bool CanWrite(const std::string& root) override {
        asked.insert(root);
        return Of(root).writable;
    }

private:
    FakeDrive& Of(const std::string& root) { return drives.at(root[0]); }
};

std::string Letters(const std::vector<HardDiscRow>& rows) {
    std::string letters;
    for (const HardDiscRow& row : rows)
        letters += row.letter;
    return letters;
}

TEST(HardDiscList, ListsRemovableFixedAndNetworkDrivesButNotFloppiesOrCdDrives) {
    FakeDrives pc;
    pc.drives['A'] = {DriveKind::Removable, 1457664, 1457664, true, "", true}; // 1.44 MB floppy
    pc.drives['B'] = {DriveKind::Removable, 4 * kMB, 4 * kMB, true, "", true};
    pc.drives['C'] = {DriveKind::Fixed, 80 * kMB, 20 * kMB, true, "SYSTEM", true};
    pc.drives['D'] = {DriveKind::CdRom, 700 * kMB, 0, true, "AUDIO", false};
    pc.drives['E'] = {DriveKind::Removable, 100 * kMB, 50 * kMB, true, "ZIP", true};
    pc.drives['F'] = {DriveKind::Remote, 10 * kMB, 5 * kMB, true, "SHARE", true};
    pc.drives['G'] = {DriveKind::RamDisk, 64 * kMB, 64 * kMB, true, "", true};
    pc.drives['H'] = {DriveKind::Removable, 0, 0, false, "", true}; // card reader, no card
    pc.drives['Z'] = {DriveKind::Other, 0, 0, false, "", true};
    EXPECT_EQ(Letters(ListHardDiscs(pc)), "CEF");
    // Drives that are not listed are never probed with a test file.
    EXPECT_EQ(pc.asked, (std::set<std::string>{"C:\\", "E:\\", "F:\\"}));
}

TEST(HardDiscList, RowsCarrySizesOfFourGigabytesAndMoreLabelsAndWriteAccess) {
    FakeDrives pc;
    pc.drives['C'] = {DriveKind::Fixed,
                      500ull * 1024 * kMB,
                      6ull * 1024 * kMB + kMB - 1,
                      true,
                      "SYSTEM   ",
                      true};
    pc.drives['E'] = {DriveKind::Removable, 100 * kMB, 0, true, "", false};
    pc.drives['F'] = {DriveKind::Remote, 0, 0, false, "", true}; // sizes not readable
    const auto rows = ListHardDiscs(pc);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].totalMB, 512000u);
    EXPECT_EQ(rows[0].freeMB, 6144u); // whole megabytes, rounded down
    EXPECT_EQ(DriveRowText(rows[0]), "C: [SYSTEM]");
    EXPECT_FALSE(rows[0].readOnly);
    EXPECT_EQ(rows[0].root, "C:\\");
    EXPECT_EQ(DriveRowText(rows[1]), "E: []");
    EXPECT_TRUE(rows[1].readOnly);
    EXPECT_EQ(rows[2].totalMB, 0u);
    EXPECT_EQ(rows[2].freeMB, 0u);
}

TEST(HardDiscList, MegabyteTextFillsTheTranslatedFormat) {
    EXPECT_EQ(MegabyteText("%d MB", 512000), "512000 MB");
    EXPECT_EQ(MegabyteText("%d MB", 0), "0 MB");
    EXPECT_EQ(MegabyteText("%d Mo", 8589934592ull), "8589934592 Mo");
}

} // namespace
