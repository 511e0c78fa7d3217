#include "disc/Iso9660.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
constexpr size_t kSector = 2048;
constexpr size_t kMaxFolders = 256;
constexpr uint32_t kMaxFolderBytes = 256 * 1024;

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string Text(const uint8_t* p, size_t n) {
    std::string s(reinterpret_cast<const char*>(p), n);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.pop_back();
    return s;
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

struct Folder {
    std::string path;
    uint32_t lba;
    uint32_t size;
    int depth;
};

// Lists the sub-folders of one directory; records never cross a sector boundary.
void ListFolders(const UserSectorReader& read, const Folder& dir, std::vector<Folder>& out) {
    const uint32_t size = std::min(dir.size, kMaxFolderBytes);
    uint8_t sector[kSector];
    for (uint32_t done = 0; done < size; done += kSector) {
        if (!read(int64_t(dir.lba) + done / kSector, sector))
            return;
        size_t pos = 0;
        while (pos + 33 < kSector) {
            const uint8_t length = sector[pos];
            if (length < 34 || pos + length > kSector)
                break; // zero padding up to the next sector
            const uint8_t nameLength = sector[pos + 32];
            const bool isFolder = (sector[pos + 25] & 2) != 0;
            if (isFolder && nameLength > 0 && 33u + nameLength <= length &&
                !(nameLength == 1 && sector[pos + 33] <= 1)) {
                std::string name = Upper(Text(sector + pos + 33, nameLength));
                out.push_back({dir.path.empty() ? name : dir.path + "/" + name,
                               Le32(sector + pos + 2), Le32(sector + pos + 10), dir.depth + 1});
            }
            pos += length;
        }
    }
}
} // namespace

bool IsoVolume::HasFolder(const std::string& path) const {
    return std::find(folders.begin(), folders.end(), path) != folders.end();
}

bool IsoVolume::Mentions(const std::string& text) const {
    for (const std::string* s : {&systemId, &volumeId, &applicationId, &systemArea})
        if (Upper(*s).find(text) != std::string::npos)
            return true;
    return false;
}

IsoVolume ReadIsoVolume(const UserSectorReader& read, int64_t first) {
    IsoVolume volume;
    uint8_t pvd[kSector];
    if (!read(first + 16, pvd))
        return volume;
    volume.standardId = std::string(reinterpret_cast<const char*>(pvd + 1), 5);
    if (volume.standardId != "CD001" && volume.standardId != "CD-I ")
        return volume;
    volume.found = true;
    volume.systemId = Text(pvd + 8, 32);
    volume.volumeId = Text(pvd + 40, 32);
    volume.applicationId = Text(pvd + 574, 128);
    uint8_t sector[kSector];
    for (int64_t i = 0; i < 16; ++i)
        if (read(first + i, sector))
            volume.systemArea.append(reinterpret_cast<const char*>(sector), kSector);
    volume.systemArea.append(reinterpret_cast<const char*>(pvd + 883), 512);
    if (volume.standardId != "CD001")
        return volume; // a CD-i disc label has no ISO 9660 tree
    // Breadth first, two levels: the kinds are told by folders at the root or just below.
    std::vector<Folder> queue{{"", Le32(pvd + 156 + 2), Le32(pvd + 156 + 10), 0}};
    for (size_t i = 0; i < queue.size() && queue.size() < kMaxFolders; ++i) {
        if (queue[i].depth >= 2)
            continue;
        std::vector<Folder> found;
        ListFolders(read, queue[i], found);
        for (const Folder& f : found) {
            if (queue.size() >= kMaxFolders)
                break;
            volume.folders.push_back(f.path);
            queue.push_back(f);
        }
    }
    return volume;
}
