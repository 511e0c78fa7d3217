#pragma once
// The database: a folder of category folders (rock, misc, data...), each holding one xmcd
// file per disc named by its disc ID in eight lower-case hex digits, the way freedb laid its
// database out, so that a freedb collection can be dropped in as it is.
#include "cddb/DiscId.h"
#include "cddb/Xmcd.h"

#include <string>
#include <vector>

// What the database needs of a file system. Paths are the root's prefix plus names joined
// by backslashes.
class IDatabaseFiles {
public:
    virtual ~IDatabaseFiles() = default;
    // Sub-folder names of `folder` (its path ends with a backslash).
    virtual std::vector<std::string> Folders(const std::string& folder) = 0;
    // File names in `folder`, at most `limit` of them.
    virtual std::vector<std::string> Files(const std::string& folder, size_t limit) = 0;
    // False when missing, unreadable or larger than `limit`.
    virtual bool Read(const std::string& path, std::string& bytes, size_t limit) = 0;
    // Creates the folder and its parents when needed; false unless the file was written whole.
    virtual bool Write(const std::string& folder, const std::string& name,
                       const std::string& bytes) = 0;
};

struct FoundEntry {
    std::string category;
    XmcdEntry entry; // texts in code page 1252
};

struct ListedEntry {
    std::string category, discId, artist, title;
};

// The eleven categories freedb used; a submission goes to the one its genre names.
extern const char* const kFreedbCategories[11];

class CDiscDatabase {
public:
    // `root`: the database folder; a missing trailing backslash is added. Empty: no database.
    CDiscDatabase(IDatabaseFiles& files, std::string root);

    const std::string& Root() const { return m_root; }
    // The entry for the disc. Disc IDs collide, so when several categories hold one, the
    // entry whose frame offsets match the disc wins; an entry listing a different number
    // of tracks is another disc.
    bool Find(const DiscToc& toc, FoundEntry& found);
    // Writes the entry as <root><category>\<disc id> (UTF-8); false when it could not.
    bool Store(const std::string& category, const XmcdEntry& entry, const DiscToc& toc);
    // The folder a submission goes to: the genre when it names a category (freedb's or
    // one the database has), else "misc".
    std::string CategoryForGenre(const std::string& genre);
    // Entries in category and ID order, at most `limit`.
    std::vector<ListedEntry> List(size_t limit);
    // Number of entry files, counting stops at `limit`.
    size_t Count(size_t limit);

    static constexpr size_t kLargestEntry = 256 * 1024;

private:
    std::vector<std::string> Categories();
    bool ReadEntry(const std::string& path, XmcdEntry& entry);

    IDatabaseFiles& m_files;
    std::string m_root;
};
