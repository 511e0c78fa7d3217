#pragma once
// The library's state between calls: the current disc (its table of contents and texts),
// how it was found, and the lookups and submissions that change it. Settings and drives
// come through ICddbSystem, files through IDatabaseFiles, so all of it runs without Windows.
#include "cddb/DiscDatabase.h"
#include "cddb/DiscRecord.h"

#include <cstdint>
#include <string>
#include <vector>

class ICddbSystem {
public:
    virtual ~ICddbSystem() = default;
    // The database folder (the store's CddbPath); empty when none is set.
    virtual std::string DatabaseFolder() = 0;
    // The user's CD-Text switch.
    virtual bool UseCdText() = 0;
    // Letters of the drives to look through for a disc's CD-Text.
    virtual std::string Drives() = 0;
    // The drive's raw table of contents; false without a disc.
    virtual bool ReadToc(char letter, std::vector<uint8_t>& toc) = 0;
    // The drive's CD-Text answer; empty when the disc has none.
    virtual std::vector<uint8_t> ReadCdText(char letter) = 0;
};

enum class DiscSource { None, Database, CdText, Edited };

// ZLXCDDBGetCDInfoFromToc's flags: the disc's CD-Text may answer when the database cannot.
constexpr int kLookupCdText = 2;

class CCddbService {
public:
    CCddbService(ICddbSystem& system, IDatabaseFiles& files);

    // Reads the drive's table of contents (and CD-Text) and looks the disc up.
    bool LookupDrive(char letter);
    // Looks up the disc of a raw table of contents. Its CD-Text is the one last read from a
    // drive holding that disc, or is read from whichever drive holds it now.
    bool LookupToc(const uint8_t* raw, size_t size, int flags);

    bool HasDisc() const { return !m_toc.starts.empty(); }
    bool Found() const { return m_source != DiscSource::None; }
    DiscSource Source() const { return m_source; }
    const std::string& Category() const { return m_category; }
    const DiscToc& Toc() const { return m_toc; }
    const DiscRecord& Record() const { return m_record; }

    // The user's edit of the current disc becomes current; a later lookup of the same disc
    // keeps it while neither the database nor the CD-Text knows the disc.
    void ReplaceRecord(const DiscRecord& record);
    // The category a submission of the current disc goes to: the one chosen, else where it
    // was found, else the one its genre names, else "misc".
    std::string SubmitCategory();
    void ChooseCategory(const std::string& category) { m_category = category; }
    // Writes the current disc into the database; afterwards it counts as found there.
    bool Submit();

    CDiscDatabase Database();
    // The CD-Text last read from a drive and the disc it belongs to.
    void ForgetDrives();

private:
    bool Lookup(const DiscToc& toc, bool allowCdText);
    std::vector<uint8_t> CdTextFor(const DiscToc& toc);

    ICddbSystem& m_system;
    IDatabaseFiles& m_files;
    DiscToc m_toc;
    DiscRecord m_record;
    DiscSource m_source = DiscSource::None;
    std::string m_category;
    int m_revision = -1;
    DiscToc m_cdTextToc; // the disc m_cdText was read from
    std::vector<uint8_t> m_cdText;
};
