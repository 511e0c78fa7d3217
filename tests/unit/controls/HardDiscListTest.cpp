#include "controls/HardDiscList.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr uint64_t kMB = 1024 * 1024;

struct FakeDrive {
    DriveKind kind;
    uint64_t total, free; // 0: the sizes cannot be read
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
    DriveKind Kind(const std::string& root) override { return drives.at(root[0]).kind; }
    bool Space(const std::string& root, uint64_t& total, uint64_t& free) override {
        total = drives.at(root[0]).total;
        free = drives.at(root[0]).free;
        return total != 0;
    }
    std::string VolumeLabel(const std::string& root) override {
        asked.insert(root);
        return drives.at(root[0]).label;
    }
    bool CanWrite(const std::string& root) override {
        asked.insert(root);
        return drives.at(root[0]).writable;
    }
};

TEST(HardDiscList, ListsRemovableFixedAndNetworkDrivesButNotFloppiesOrCdDrives) {
    FakeDrives pc;
    pc.drives['A'] = {DriveKind::Removable, 1457664, 1457664, ""}; // 1.44 MB floppy
    pc.drives['B'] = {DriveKind::Removable, 4 * kMB, 4 * kMB, ""};
    pc.drives['C'] = {DriveKind::Fixed, 80 * kMB, 20 * kMB, "SYSTEM"};
    pc.drives['D'] = {DriveKind::CdRom, 700 * kMB, 0, "AUDIO", false};
    pc.drives['E'] = {DriveKind::Removable, 100 * kMB, 50 * kMB, "ZIP"};
    pc.drives['F'] = {DriveKind::Remote, 10 * kMB, 5 * kMB, "SHARE"};
    pc.drives['G'] = {DriveKind::RamDisk, 64 * kMB, 64 * kMB, ""};
    pc.drives['H'] = {DriveKind::Removable, 0, 0, ""}; // card reader, no card
    pc.drives['Z'] = {DriveKind::Other, 0, 0, ""};
    std::string letters;
    for (const HardDiscRow& row : ListHardDiscs(pc))
        letters += row.letter;
    EXPECT_EQ(letters, "CEF");
    // Drives that are not listed are never probed with a test file.
    EXPECT_EQ(pc.asked, (std::set<std::string>{"C:\\", "E:\\", "F:\\"}));
}

TEST(HardDiscList, RowsCarrySizesOfFourGigabytesAndMoreLabelsAndWriteAccess) {
    FakeDrives pc;
    pc.drives['C'] = {DriveKind::Fixed, 500ull * 1024 * kMB, 6ull * 1024 * kMB + kMB - 1,
                      "SYSTEM   "};
    pc.drives['E'] = {DriveKind::Removable, 100 * kMB, 0, "", false};
    pc.drives['F'] = {DriveKind::Remote, 0, 0, ""}; // sizes not readable
    const auto rows = ListHardDiscs(pc);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].totalMB, 512000u);
    EXPECT_EQ(rows[0].freeMB, 6144u); // whole megabytes, rounded down
    EXPECT_EQ(DriveRowText(rows[0]), "C: [SYSTEM]");
    EXPECT_FALSE(rows[0].readOnly);
    EXPECT_EQ(rows[0].root, "C:\\");
    EXPECT_EQ(DriveRowText(rows[1]), "E: []");
    EXPECT_TRUE(rows[1].readOnly);
    EXPECT_EQ(rows[2].totalMB + rows[2].freeMB, 0u);
    EXPECT_EQ(MegabyteText("%d Mo", 8589934592ull), "8589934592 Mo");
}

} // namespace
