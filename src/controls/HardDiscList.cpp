#include "controls/HardDiscList.h"

namespace {
// Removable media this small are floppy disks, not places for an image.
constexpr uint64_t kFloppyMB = 4;

bool Listed(DriveKind kind) {
    return kind == DriveKind::Removable || kind == DriveKind::Fixed || kind == DriveKind::Remote;
}

uint64_t Megabytes(uint64_t bytes) {
    return bytes / 1024 / 1024;
}
} // namespace

std::vector<HardDiscRow> ListHardDiscs(IDriveQuery& drives) {
    std::vector<HardDiscRow> rows;
    const uint32_t present = drives.LogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(present & (uint32_t{1} << i)))
            continue;
        HardDiscRow row;
        row.letter = static_cast<char>('A' + i);
        row.root = std::string(1, row.letter) + ":\\";
        const DriveKind kind = drives.Kind(row.root);
        if (!Listed(kind))
            continue;
        uint64_t total = 0, free = 0;
        if (!drives.Space(row.root, total, free))
            total = free = 0;
        row.totalMB = Megabytes(total);
        if (kind == DriveKind::Removable && row.totalMB <= kFloppyMB)
            continue;
        row.freeMB = Megabytes(free);
        row.label = drives.VolumeLabel(row.root);
        row.label.erase(row.label.find_last_not_of(' ') + 1);
        row.readOnly = !drives.CanWrite(row.root);
        rows.push_back(row);
    }
    return rows;
}

std::string DriveRowText(const HardDiscRow& row) {
    return std::string(1, row.letter) + ": [" + row.label + "]";
}

std::string MegabyteText(const std::string& format, uint64_t megabytes) {
    std::string text = format;
    const size_t at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(megabytes));
    return text;
}
