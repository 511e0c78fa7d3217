#include "source/DriveList.h"

#include "source/CdTypeCode.h"
#include "source/DriveScan.h"
#include "source/DvdContentProbe.h"

#include <cctype>
#include <cstdio>

namespace {
constexpr uint32_t kLargestCd = 360000; // sectors; a larger CD capacity is a drive's mistake
constexpr int kAlbumOfArtist = 276;     // "%s of %s"

std::string RowText(char letter, const std::string& name) {
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "[%c:] ", letter);
    return prefix + name;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
} // namespace

bool CDriveListModel::HasReadableDisc(char letter, bool isVirtual, const DriveListOptions& options,
                                      _CDROM_TOC& toc) {
    if (!m_drives.IsUnitReady(letter, 30))
        return false;
    if (isVirtual && m_common.IsAnalogAudio(letter))
        return false;
    return options.errorCorrectedToc ? m_drives.GetTocEC(letter, &toc, 30) != 0
                                     : m_drives.GetToc(letter, &toc, 30) != 0;
}

std::string CDriveListModel::InfoText(char letter, uint16_t& cdType,
                                      const DriveListOptions& options) {
    if (IsDvd(cdType))
        cdType = static_cast<uint16_t>(cdType | CDvdContentProbe(m_files).ContentBits(letter));
    std::string info = KindText(cdType, m_text);
    const uint8_t kind = KindByte(cdType);
    const bool audioKind =
        kind == CdKind::Audio || kind == CdKind::CdExtra || kind == CdKind::CdText;
    if (options.discInformation && audioKind && m_albums && m_albums->Ready()) {
        std::string album, artist;
        if (m_albums->Lookup(std::string(1, letter) + ":", album, artist)) {
            // Each text is limited as the service hands it over.
            album = album.substr(0, 199);
            artist = artist.substr(0, 199);
            std::string format = m_text(kAlbumOfArtist);
            const size_t first = format.find("%s");
            if (first != std::string::npos) {
                format.replace(first, 2, album);
                const size_t second = format.find("%s", first + album.size());
                if (second != std::string::npos)
                    format.replace(second, 2, artist);
            }
            info = format;
        }
    }
    return info;
}

std::vector<DriveRow> CDriveListModel::Rows(const DriveListOptions& options) {
    std::vector<DriveRow> rows;
    const std::string virtuals = VirtualDriveLetters(m_drives);
    for (char letter : KnownDriveLetters(m_drives)) {
        CAspiCdromInfo info;
        if (!m_drives.GetDriveInfo(letter, &info))
            continue;
        const bool isVirtual = virtuals.find(letter) != std::string::npos;
        if (isVirtual && !options.includeVirtual)
            continue;
        _CDROM_TOC toc{};
        if (!HasReadableDisc(letter, isVirtual, options, toc)) {
            if (options.showEmpty) {
                DriveRow row;
                row.letter = letter;
                row.empty = true;
                row.text = RowText(letter, "<Empty>");
                rows.push_back(row);
            }
            continue;
        }
        std::string displayName;
        if (!m_shell.DisplayName(letter, displayName))
            continue;
        DriveRow row;
        row.letter = letter;
        row.text = RowText(letter, LabelFromDisplayName(displayName));
        row.cdType = m_drives.GetCDType(letter);
        uint32_t lastSector = 0, blockSize = 0;
        m_drives.ReadCapaticity(letter, &lastSector, &blockSize, 30);
        if (!IsDvd(row.cdType) && lastSector > kLargestCd && toc.LastTrack < 100)
            lastSector = TocAddress(toc.TrackData[toc.LastTrack]) - 1; // the lead-out
        row.sizeText = std::to_string(static_cast<unsigned long>((lastSector >> 10) * 2));
        row.info = InfoText(letter, row.cdType, options);
        rows.push_back(row);
    }
    return rows;
}

int RowToSelect(const std::vector<std::string>& rowTexts,
                const std::optional<std::string>& remembered, const std::string& preselection) {
    if (rowTexts.empty())
        return -1;
    if (!preselection.empty()) {
        const std::string wanted = "[" + preselection + "]";
        for (size_t i = 0; i < rowTexts.size(); ++i)
            if (SameIgnoringCase(rowTexts[i].substr(0, 4), wanted.substr(0, 4)))
                return static_cast<int>(i);
        return 0;
    }
    if (remembered)
        for (size_t i = 0; i < rowTexts.size(); ++i)
            if (SameIgnoringCase(rowTexts[i], *remembered))
                return static_cast<int>(i);
    return 0;
}

ParsedDriveRow ParseDriveRow(const std::string& rowText) {
    ParsedDriveRow row;
    row.letter = rowText.size() > 1 ? rowText[1] : 0;
    row.discName = rowText.size() > 5 ? rowText.substr(5) : std::string();
    return row;
}
