#include "disc/DiscImage.h"

#include "disc/CdTextPacks.h"
#include "disc/CueSheet.h"
#include "disc/SectorData.h"

#include <cctype>
#include <cstring>

namespace {
// Eight blocks of 256 packs with a header: the most a disc's lead-in can hold.
constexpr size_t kLargestCdTextFile = 8 * 256 * CdTextPacks::kPackSize + 5;

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size())
        return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i])
            return false;
    return true;
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string FolderOf(const std::string& path) {
    size_t end = path.size();
    while (end > 0 && !IsSeparator(path[end - 1]))
        --end;
    return path.substr(0, end);
}

bool IsAbsolute(const std::string& path) {
    return (!path.empty() && IsSeparator(path[0])) || (path.size() > 1 && path[1] == ':');
}

// Sheets name their files relative to themselves; many name a folder that has since moved,
// so the bare file name beside the sheet is tried as well.
std::string ResolveBeside(const std::string& sheetPath, const std::string& name) {
    const std::string folder = FolderOf(sheetPath);
    const std::string direct = IsAbsolute(name) ? name : folder + name;
    if (FileExists(direct))
        return direct;
    size_t cut = name.size();
    while (cut > 0 && !IsSeparator(name[cut - 1]))
        --cut;
    const std::string beside = folder + name.substr(cut);
    return FileExists(beside) ? beside : direct;
}

std::unique_ptr<CDiscImage> OpenCue(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text)) {
        error = "cannot read " + path;
        return nullptr;
    }
    CueSheet sheet;
    if (!ParseCueSheet(text, sheet, error))
        return nullptr;
    std::vector<std::unique_ptr<IByteSource>> files;
    std::vector<uint64_t> sizes;
    for (const std::string& name : sheet.files) {
        const std::string filePath = ResolveBeside(path, name);
        auto file = CFileByteSource::Open(filePath);
        if (!file) {
            error = "missing file " + filePath;
            return nullptr;
        }
        sizes.push_back(file->Size());
        files.push_back(std::move(file));
    }
    CDiscLayout layout;
    if (!BuildCueLayout(sheet, sizes, layout, error))
        return nullptr;
    DiscFacts facts;
    facts.discKind = sheet.discKind;
    facts.title = sheet.title;
    facts.cdText = sheet.cdTextLines;
    facts.cdTextPacks = CdTextPacks::FromSheet(sheet);
    if (!sheet.cdTextFile.empty()) {
        // A CD-Text file holds the packs as they were read off a disc; they win over the
        // sheet's own lines, which are usually a copy of them.
        const std::string cdTextPath = ResolveBeside(path, sheet.cdTextFile);
        auto cdText = CFileByteSource::Open(cdTextPath);
        facts.cdText = facts.cdText || (cdText && cdText->Size() > 0);
        std::string bytes;
        std::vector<uint8_t> packs;
        if (ReadTextFile(cdTextPath, bytes, kLargestCdTextFile) &&
            CdTextPacks::FromFile(bytes, packs))
            facts.cdTextPacks = std::move(packs);
    }
    return std::unique_ptr<CDiscImage>(
        new CDiscImage(std::move(layout), std::move(files), std::move(facts)));
}

std::unique_ptr<CDiscImage> OpenIso(const std::string& path, MediaHint hint, std::string& error) {
    auto file = CFileByteSource::Open(path);
    if (!file) {
        error = "cannot open " + path;
        return nullptr;
    }
    const uint64_t sectors = file->Size() / SectorData::kUserSize;
    uint8_t descriptor[SectorData::kUserSize];
    if (sectors <= 16 || !file->Read(16 * SectorData::kUserSize, descriptor, sizeof(descriptor)) ||
        (memcmp(descriptor + 1, "CD001", 5) && memcmp(descriptor + 1, "BEA01", 5) &&
         memcmp(descriptor + 1, "CD-I ", 5))) {
        error = "no volume descriptor in " + path;
        return nullptr;
    }
    const bool dvd =
        hint == MediaHint::Dvd || (hint == MediaHint::Auto && file->Size() > kLargestCdImage);
    std::vector<std::unique_ptr<IByteSource>> files;
    files.push_back(std::move(file));
    return std::unique_ptr<CDiscImage>(new CDiscImage(
        BuildIsoLayout(static_cast<int64_t>(sectors), dvd), std::move(files), DiscFacts()));
}
} // namespace

CDiscImage::CDiscImage(CDiscLayout layout, std::vector<std::unique_ptr<IByteSource>> files,
                       DiscFacts facts)
    : m_layout(std::move(layout)), m_files(std::move(files)), m_facts(std::move(facts)) {}

bool CDiscImage::IsAudio(int64_t lba) const {
    const Extent* e = m_layout.ExtentAt(lba);
    return e && e->kind == SectorKind::Audio;
}

bool CDiscImage::ReadRaw(int64_t lba, uint8_t* raw) {
    const Extent* e = m_layout.ExtentAt(lba);
    if (!e || m_layout.dvd)
        return false;
    const uint64_t n = static_cast<uint64_t>(lba - e->firstLba);
    switch (e->storage) {
    case Storage::Synthetic:
        SectorData::BuildGap(lba, e->kind, raw);
        return true;
    case Storage::Raw2352:
        return m_files[static_cast<size_t>(e->file)]->Read(e->byteOffset + n * SectorData::kRawSize,
                                                           raw, SectorData::kRawSize);
    case Storage::Cooked2048: {
        uint8_t user[SectorData::kUserSize];
        if (!m_files[static_cast<size_t>(e->file)]->Read(e->byteOffset + n * SectorData::kUserSize,
                                                         user, sizeof(user)))
            return false;
        SectorData::BuildMode1(lba, user, raw);
        return true;
    }
    }
    return false;
}

bool CDiscImage::ReadUser(int64_t lba, uint8_t* user) {
    const Extent* e = m_layout.ExtentAt(lba);
    if (!e || e->kind == SectorKind::Audio)
        return false;
    if (e->storage == Storage::Cooked2048)
        return m_files[static_cast<size_t>(e->file)]->Read(
            e->byteOffset + static_cast<uint64_t>(lba - e->firstLba) * SectorData::kUserSize, user,
            SectorData::kUserSize);
    uint8_t raw[SectorData::kRawSize];
    const uint8_t* data = nullptr;
    if (!ReadRaw(lba, raw) || !SectorData::UserData(raw, data))
        return false;
    memcpy(user, data, SectorData::kUserSize);
    return true;
}

const IsoVolume& CDiscImage::Volume() {
    if (m_volumeRead)
        return m_volume;
    m_volumeRead = true;
    for (auto s = m_layout.sessions.rbegin(); s != m_layout.sessions.rend(); ++s) {
        for (const LayoutTrack& t : m_layout.tracks) {
            if (t.session != s->number || !t.IsData())
                continue;
            m_volume = ReadIsoVolume(
                [this](int64_t lba, uint8_t* user) { return ReadUser(lba, user); }, t.startLba);
            return m_volume;
        }
    }
    return m_volume;
}

std::string CDiscImage::Label() {
    const IsoVolume& volume = Volume();
    if (volume.found && !volume.volumeId.empty())
        return volume.volumeId;
    if (!m_facts.title.empty())
        return m_facts.title;
    for (const LayoutTrack& t : m_layout.tracks)
        if (t.IsData())
            return "";
    return "Audio CD";
}

std::unique_ptr<CDiscImage> OpenDiscImage(const std::string& path, MediaHint hint,
                                          std::string& error) {
    if (path.empty()) {
        error = "no image";
        return nullptr;
    }
    return EndsWithNoCase(path, ".cue") ? OpenCue(path, error) : OpenIso(path, hint, error);
}
