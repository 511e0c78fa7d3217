#pragma once
// Which drives the hard disk information lists and what each row says. Drives are
// asked through IDriveQuery, so the rules run without a real PC behind them.
#include <cstdint>
#include <string>
#include <vector>

enum class DriveKind { Other, Removable, Fixed, Remote, CdRom, RamDisk };

class IDriveQuery {
public:
    virtual ~IDriveQuery() = default;
    // Bit 0 drive A:, bit 1 drive B:, ...
    virtual uint32_t LogicalDrives() = 0;
    // `root` is "C:\"-style throughout.
    virtual DriveKind Kind(const std::string& root) = 0;
    // False (and zeros) when the sizes cannot be read.
    virtual bool Space(const std::string& root, uint64_t& totalBytes, uint64_t& freeBytes) = 0;
    virtual std::string VolumeLabel(const std::string& root) = 0;
    // True when a file can be created in the root and deleted again.
    virtual bool CanWrite(const std::string& root) = 0;
};

struct HardDiscRow {
    char letter = 0;
    std::string root;
    std::string label; // trailing blanks removed
    uint64_t totalMB = 0;
    uint64_t freeMB = 0;
    bool readOnly = false;
};

// Removable, fixed and network drives from A: to Z:, without floppy disk drives.
std::vector<HardDiscRow> ListHardDiscs(IDriveQuery& drives);

// "C: [SYSTEM]", and "A: []" for a drive without a label.
std::string DriveRowText(const HardDiscRow& row);
// The size format of the string table ("%d MB") filled with a 64-bit size; the format
// comes from a translation, so it is filled by hand rather than handed to printf.
std::string MegabyteText(const std::string& format, uint64_t megabytes);
