#include "disc/CdTextPacks.h"

#include "disc/SectorData.h"

namespace CdTextPacks {
namespace {
constexpr uint8_t kSizeInfo = 0x8F;
constexpr uint8_t kEnglish = 0x09;
constexpr size_t kTextBytes = 12;
constexpr size_t kMaxPacks = 256; // sequence numbers of one block

class CPackWriter {
public:
    explicit CPackWriter(std::vector<uint8_t>& out) : m_out(out) {}

    size_t Count(uint8_t type) const { return m_counts[type & 0x0F]; }
    size_t Written() const { return m_sequence; }

    void Add(uint8_t type, uint8_t track, uint8_t position, const uint8_t* text) {
        if (m_sequence >= kMaxPacks)
            return;
        uint8_t p[kPackSize] = {type, track, static_cast<uint8_t>(m_sequence), position};
        for (size_t i = 0; i < kTextBytes; ++i)
            p[4 + i] = text[i];
        const uint16_t crc = SectorData::QCrc(p, 16);
        p[16] = static_cast<uint8_t>(crc >> 8);
        p[17] = static_cast<uint8_t>(crc);
        m_out.insert(m_out.end(), p, p + kPackSize);
        ++m_sequence;
        ++m_counts[type & 0x0F];
    }

private:
    std::vector<uint8_t>& m_out;
    size_t m_sequence = 0;
    size_t m_counts[16] = {};
};

// All texts of one type, disc first, each ending in a zero byte, cut into 12-byte pieces.
// Each pack names the text its first byte belongs to and how much of that text came
// before (15 for "15 or more").
void AddType(CPackWriter& writer, uint8_t type, const std::vector<std::string>& texts,
             int firstTrack) {
    std::vector<uint8_t> stream;
    std::vector<uint8_t> owner, offset;
    for (size_t t = 0; t < texts.size(); ++t) {
        const std::string& s = texts[t];
        for (size_t i = 0; i <= s.size(); ++i) {
            stream.push_back(i < s.size() ? static_cast<uint8_t>(s[i]) : 0);
            owner.push_back(
                static_cast<uint8_t>(t == 0 ? 0 : firstTrack + static_cast<int>(t) - 1));
            offset.push_back(static_cast<uint8_t>(i < 15 ? i : 15));
        }
    }
    // Room is kept for the size information that closes every block; texts beyond a
    // block's 256 packs are cut, which readers see as texts without an end.
    for (size_t pos = 0; pos < stream.size() && writer.Written() < kMaxPacks - 3;
         pos += kTextBytes) {
        uint8_t text[kTextBytes] = {};
        for (size_t i = 0; i < kTextBytes && pos + i < stream.size(); ++i)
            text[i] = stream[pos + i];
        writer.Add(type, owner[pos], offset[pos], text);
    }
}

void AddSizeInfo(CPackWriter& writer, int firstTrack, int lastTrack) {
    uint8_t info[36] = {};
    info[0] = 0x00; // ISO 8859-1
    info[1] = static_cast<uint8_t>(firstTrack);
    info[2] = static_cast<uint8_t>(lastTrack);
    for (int type = 0; type < 16; ++type)
        info[4 + type] = static_cast<uint8_t>(writer.Count(static_cast<uint8_t>(0x80 | type)));
    info[4 + 15] = 3;                                      // these three packs
    info[20] = static_cast<uint8_t>(writer.Written() + 2); // the last sequence number
    info[28] = kEnglish;
    for (uint8_t i = 0; i < 3; ++i)
        writer.Add(kSizeInfo, i, 0, info + kTextBytes * i);
}

bool AnyText(const std::vector<std::string>& texts) {
    for (const std::string& s : texts)
        if (!s.empty())
            return true;
    return false;
}
} // namespace

std::vector<uint8_t> FromSheet(const CueSheet& sheet) {
    std::vector<uint8_t> packs;
    if (sheet.tracks.empty())
        return packs;
    std::vector<std::string> titles{sheet.title}, performers{sheet.performer},
        songwriters{sheet.songwriter};
    for (const CueTrack& t : sheet.tracks) {
        titles.push_back(t.title);
        performers.push_back(t.performer);
        songwriters.push_back(t.songwriter);
    }
    const int first = sheet.tracks.front().number, last = sheet.tracks.back().number;
    CPackWriter writer(packs);
    uint8_t type = 0x80;
    for (const auto* texts : {&titles, &performers, &songwriters}) {
        if (AnyText(*texts))
            AddType(writer, type, *texts, first);
        ++type;
    }
    if (packs.empty())
        return packs;
    AddSizeInfo(writer, first, last);
    return packs;
}

bool FromFile(const std::string& bytes, std::vector<uint8_t>& packs) {
    size_t begin = 0, size = bytes.size();
    if (size >= 4 && size % kPackSize == 4 &&
        (static_cast<uint8_t>(bytes[0]) << 8 | static_cast<uint8_t>(bytes[1])) + 2u == size)
        begin = 4;
    else if (size % kPackSize == 1 && bytes.back() == '\0')
        --size;
    if (size - begin == 0 || (size - begin) % kPackSize)
        return false;
    packs.assign(bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                 bytes.begin() + static_cast<std::ptrdiff_t>(size));
    return true;
}

} // namespace CdTextPacks
