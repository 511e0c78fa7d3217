#include "cddb/CdText.h"

#include <set>

namespace {
constexpr uint8_t kTitlePack = 0x80;
constexpr uint8_t kPerformerPack = 0x81;
constexpr int kTracks = 100; // the disc and tracks 1 to 99
constexpr size_t kMaxText = 160;
constexpr int kAtLeastFifteen = 15; // character position meaning "started before the last pack"

// One text being put together from consecutive packs.
struct Piece {
    std::string text;
    bool complete = false;
    bool broken = false;
};

class CTextCollector {
public:
    CTextCollector() : m_pieces(kTracks) {}

    void Pack(const uint8_t* p) {
        int track = p[1] & 0x7F;
        const int position = p[3] & 0x0F;
        // Packs of one type follow each other in sequence: a gap means the text being put
        // together when it opened has lost a piece.
        if (m_lastSequence >= 0 && p[2] != m_lastSequence + 1)
            m_pieces[static_cast<size_t>(m_open)].broken = true;
        m_lastSequence = p[2];
        if (track >= kTracks)
            return;
        Piece* piece = &m_pieces[static_cast<size_t>(track)];
        // The pack says how many characters of its first text came before it; a different
        // count means a pack in between was lost.
        if (!piece->complete && position < kAtLeastFifteen &&
            piece->text.size() != static_cast<size_t>(position))
            piece->broken = true;
        for (int i = 4; i < 16; ++i) {
            const char c = static_cast<char>(p[i]);
            if (c == '\0') {
                piece->complete = true;
                if (++track >= kTracks)
                    return;
                piece = &m_pieces[static_cast<size_t>(track)];
                if (!piece->text.empty() || piece->complete)
                    piece->broken = true; // the same text twice: a copy out of step
                continue;
            }
            if (piece->text.size() < kMaxText)
                piece->text += c;
        }
        m_open = track;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts(kTracks);
        for (size_t t = 0; t < m_pieces.size(); ++t) {
            const Piece& piece = m_pieces[t];
            if (!piece.complete || piece.broken)
                continue;
            // A lone tab repeats the text of the track before.
            texts[t] = piece.text == "\t" && t > 0 ? texts[t - 1] : Printable(piece.text);
        }
        return texts;
    }

private:
    static std::string Printable(const std::string& s) {
        std::string out;
        for (char c : s)
            out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        return out;
    }

    std::vector<Piece> m_pieces;
    int m_lastSequence = -1;
    int m_open = 0; // the track whose text the next pack continues
};
} // namespace

bool CdTextAlbum::HasText() const {
    for (const auto* list : {&titles, &performers})
        for (const std::string& s : *list)
            if (!s.empty())
                return true;
    return false;
}

const std::string& CdTextAlbum::At(const std::vector<std::string>& list, int track) {
    static const std::string none;
    return track >= 0 && static_cast<size_t>(track) < list.size() ? list[static_cast<size_t>(track)]
                                                                  : none;
}

uint16_t CdTextCrc(const uint8_t* pack) {
    uint16_t crc = 0;
    for (int i = 0; i < 16; ++i) {
        crc = static_cast<uint16_t>(crc ^ pack[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<uint16_t>(crc & 0x8000 ? crc << 1 ^ 0x1021 : crc << 1);
    }
    return static_cast<uint16_t>(~crc);
}

CdTextAlbum DecodeCdText(const uint8_t* answer, size_t size) {
    CdTextAlbum album;
    if (!answer || size < kCdTextHeaderSize)
        return album;
    // The header's length counts the two bytes after itself; never read past either bound.
    const size_t declared = (size_t(answer[0]) << 8 | answer[1]);
    size_t bytes = size - kCdTextHeaderSize;
    if (declared >= 2 && declared - 2 < bytes)
        bytes = declared - 2;
    CTextCollector titles, performers;
    std::set<uint8_t> seen; // drives may hand out a pack more than once
    for (size_t off = 0; off + kCdTextPackSize <= bytes; off += kCdTextPackSize) {
        const uint8_t* p = answer + kCdTextHeaderSize + off;
        const uint16_t stored = static_cast<uint16_t>(p[16] << 8 | p[17]);
        const bool firstBlock = (p[3] & 0x70) == 0, singleByte = (p[3] & 0x80) == 0;
        if (CdTextCrc(p) != stored || !firstBlock || !singleByte || !seen.insert(p[2]).second)
            continue;
        if (p[0] == kTitlePack)
            titles.Pack(p);
        else if (p[0] == kPerformerPack)
            performers.Pack(p);
    }
    album.titles = titles.Texts();
    album.performers = performers.Texts();
    return album;
}
