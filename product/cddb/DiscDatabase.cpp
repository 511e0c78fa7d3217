#include "cddb/DiscDatabase.h"

#include "cddb/TextCodec.h"

#include <algorithm>
#include <cctype>

const char* const kFreedbCategories[11] = {"blues",  "classical", "country",   "data",
                                           "folk",   "jazz",      "misc",      "newage",
                                           "reggae", "rock",      "soundtrack"};

namespace {
std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Folder names that can be used as a category when writing: letters and digits only, so
// no genre text can reach outside the database folder.
bool PlainName(const std::string& s) {
    if (s.empty() || s.size() > 32)
        return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// 2: the entry lists this disc's frame offsets; 1: it lists none; 0: other offsets for
// as many tracks; -1: another number of tracks.
int Match(const XmcdEntry& entry, const DiscToc& toc) {
    if (entry.frameOffsets.empty())
        return 1;
    if (entry.frameOffsets.size() != toc.starts.size())
        return -1;
    for (size_t i = 0; i < toc.starts.size(); ++i)
        if (entry.frameOffsets[i] != toc.starts[i] + kLeadInFrames)
            return 0;
    return 2;
}
} // namespace

CDiscDatabase::CDiscDatabase(IDatabaseFiles& files, std::string root)
    : m_files(files), m_root(std::move(root)) {
    if (!m_root.empty() && m_root.back() != '\\' && m_root.back() != '/')
        m_root += '\\';
}

std::vector<std::string> CDiscDatabase::Categories() {
    if (m_root.empty())
        return {};
    std::vector<std::string> folders = m_files.Folders(m_root);
    std::sort(folders.begin(), folders.end());
    return folders;
}

bool CDiscDatabase::ReadEntry(const std::string& path, XmcdEntry& entry) {
    std::string bytes;
    return m_files.Read(path, bytes, kLargestEntry) && ParseXmcd(Cp1252FromEntryText(bytes), entry);
}

bool CDiscDatabase::Find(const DiscToc& toc, FoundEntry& found) {
    const std::string id = DiscIdText(FreedbDiscId(toc));
    int best = -1;
    for (const std::string& category : Categories()) {
        XmcdEntry entry;
        if (!ReadEntry(m_root + category + "\\" + id, entry))
            continue;
        const int match = Match(entry, toc);
        if (match > best) {
            best = match;
            found.category = category;
            found.entry = std::move(entry);
        }
    }
    return best >= 0;
}

bool CDiscDatabase::Store(const std::string& category, const XmcdEntry& entry, const DiscToc& toc) {
    if (m_root.empty() || !PlainName(category))
        return false;
    return m_files.Write(m_root + category + "\\", DiscIdText(FreedbDiscId(toc)),
                         Utf8FromCp1252(FormatXmcd(entry, "Zelvane 5")));
}

std::string CDiscDatabase::CategoryForGenre(const std::string& genre) {
    const std::string wanted = Lower(genre);
    for (const char* c : kFreedbCategories)
        if (wanted == c)
            return wanted;
    for (const std::string& folder : Categories())
        if (PlainName(folder) && Lower(folder) == wanted)
            return folder;
    return "misc";
}

std::vector<ListedEntry> CDiscDatabase::List(size_t limit) {
    std::vector<ListedEntry> list;
    for (const std::string& category : Categories()) {
        const std::string folder = m_root + category + "\\";
        std::vector<std::string> names = m_files.Files(folder, limit - list.size());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            uint32_t id = 0;
            XmcdEntry entry;
            if (list.size() >= limit || !ParseDiscIdText(name, id) ||
                !ReadEntry(folder + name, entry))
                continue;
            ListedEntry e;
            e.category = category;
            e.discId = DiscIdText(id);
            SplitArtistTitle(entry.dtitle, e.artist, e.title);
            list.push_back(e);
        }
        if (list.size() >= limit)
            break;
    }
    return list;
}

size_t CDiscDatabase::Count(size_t limit) {
    size_t count = 0;
    for (const std::string& category : Categories()) {
        for (const std::string& name : m_files.Files(m_root + category + "\\", limit - count)) {
            uint32_t id = 0;
            if (ParseDiscIdText(name, id))
                ++count;
        }
        if (count >= limit)
            break;
    }
    return count;
}
