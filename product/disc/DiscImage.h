#pragma once
// A disc as an image file describes it: a CUE sheet with its BIN files, or an ISO image of
// 2048-byte sectors (a CD, or a DVD when large or when the drive is told so).
#include "disc/ByteSource.h"
#include "disc/DiscLayout.h"
#include "disc/Iso9660.h"

#include <memory>
#include <string>
#include <vector>

enum class MediaHint { Auto, Cd, Dvd };

// ISO images above this size cannot be CDs.
constexpr uint64_t kLargestCdImage = 900ull * 1024 * 1024;

struct DiscFacts {
    bool cdText = false;              // TITLE/PERFORMER lines or a CD-Text file
    std::string discKind;             // REM DISCKIND, upper case
    std::string title;                // disc TITLE
    std::vector<uint8_t> cdTextPacks; // what the lead-in's CD-Text holds, 18 bytes a pack
};

class CDiscImage {
public:
    CDiscImage(CDiscLayout layout, std::vector<std::unique_ptr<IByteSource>> files,
               DiscFacts facts);

    const CDiscLayout& Layout() const { return m_layout; }
    const DiscFacts& Facts() const { return m_facts; }
    const std::vector<uint8_t>& CdTextPacks() const { return m_facts.cdTextPacks; }
    bool IsDvd() const { return m_layout.dvd; }
    int64_t LastSector() const { return m_layout.LeadOut() - 1; }

    // The whole 2352-byte sector (CDs only); false where the disc has no readable sector.
    bool ReadRaw(int64_t lba, uint8_t* raw);
    // 2048 user bytes of a data sector; false for audio and Mode 2 Form 2 sectors.
    bool ReadUser(int64_t lba, uint8_t* user);
    bool IsAudio(int64_t lba) const;

    // The file system of the newest session holding data (read once).
    const IsoVolume& Volume();
    // What a system shows as the disc's name: the volume label, the CD-Text title, or
    // "Audio CD" for a disc without a file system.
    std::string Label();

private:
    CDiscLayout m_layout;
    std::vector<std::unique_ptr<IByteSource>> m_files;
    DiscFacts m_facts;
    bool m_volumeRead = false;
    IsoVolume m_volume;
};

// Null with a reason when the image cannot be used: missing or truncated files, a sheet that
// makes no sense, an ISO without a volume descriptor.
std::unique_ptr<CDiscImage> OpenDiscImage(const std::string& path, MediaHint hint,
                                          std::string& error);
