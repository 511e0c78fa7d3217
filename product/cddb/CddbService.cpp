#include "cddb/CddbService.h"

CCddbService::CCddbService(ICddbSystem& system, IDatabaseFiles& files)
    : m_system(system), m_files(files) {}

CDiscDatabase CCddbService::Database() {
    return CDiscDatabase(m_files, m_system.DatabaseFolder());
}

void CCddbService::ForgetDrives() {
    m_cdTextToc = DiscToc();
    m_cdText.clear();
}

bool CCddbService::LookupDrive(char letter) {
    std::vector<uint8_t> raw;
    DiscToc toc;
    if (!m_system.ReadToc(letter, raw) || !ParseToc(raw.data(), raw.size(), toc)) {
        m_toc = DiscToc();
        m_record = DiscRecord();
        m_source = DiscSource::None;
        return false;
    }
    m_cdTextToc = toc;
    m_cdText = m_system.UseCdText() ? m_system.ReadCdText(letter) : std::vector<uint8_t>();
    return Lookup(toc, true);
}

bool CCddbService::LookupToc(const uint8_t* raw, size_t size, int flags) {
    DiscToc toc;
    if (!ParseToc(raw, size, toc)) {
        m_toc = DiscToc();
        m_record = DiscRecord();
        m_source = DiscSource::None;
        return false;
    }
    return Lookup(toc, (flags & kLookupCdText) != 0);
}

std::vector<uint8_t> CCddbService::CdTextFor(const DiscToc& toc) {
    if (!(m_cdTextToc == toc)) {
        ForgetDrives();
        for (char letter : m_system.Drives()) {
            std::vector<uint8_t> raw;
            DiscToc other;
            if (m_system.ReadToc(letter, raw) && ParseToc(raw.data(), raw.size(), other) &&
                other == toc) {
                m_cdTextToc = toc;
                m_cdText = m_system.ReadCdText(letter);
                break;
            }
        }
    }
    return m_cdText;
}

bool CCddbService::Lookup(const DiscToc& toc, bool allowCdText) {
    const bool keepEdit = m_toc == toc && m_source == DiscSource::Edited;
    FoundEntry found;
    if (Database().Find(toc, found)) {
        m_toc = toc;
        m_record = RecordFromEntry(found.entry, toc.TrackCount());
        m_source = DiscSource::Database;
        m_category = found.category;
        m_revision = found.entry.revision;
        return true;
    }
    if (allowCdText && m_system.UseCdText()) {
        const std::vector<uint8_t> cdText = CdTextFor(toc);
        const CdTextAlbum album = DecodeCdText(cdText.data(), cdText.size());
        if (album.HasText()) {
            m_toc = toc;
            m_record = RecordFromCdText(album, toc);
            m_source = DiscSource::CdText;
            m_category.clear();
            m_revision = -1;
            return true;
        }
    }
    // The user's own texts stand in until the disc is known elsewhere.
    if (keepEdit)
        return true;
    m_toc = toc;
    m_record = DiscRecord();
    m_record.tracks.resize(toc.starts.size());
    m_source = DiscSource::None;
    m_category.clear();
    m_revision = -1;
    return false;
}

void CCddbService::ReplaceRecord(const DiscRecord& record) {
    m_record = record;
    m_record.tracks.resize(m_toc.starts.size());
    m_source = DiscSource::Edited;
}

std::string CCddbService::SubmitCategory() {
    if (!m_category.empty())
        return m_category;
    return Database().CategoryForGenre(m_record.genre);
}

bool CCddbService::Submit() {
    if (!HasDisc())
        return false;
    const std::string category = SubmitCategory();
    const XmcdEntry entry = EntryFromRecord(m_record, m_toc, m_revision + 1);
    if (!Database().Store(category, entry, m_toc))
        return false;
    m_category = category;
    m_revision = entry.revision;
    m_source = DiscSource::Database;
    return true;
}
