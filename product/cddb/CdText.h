#pragma once
// The disc's CD-Text as a drive returns it (READ TOC format 5: a 4-byte header, then 18-byte
// packs: type, track, sequence number, block and character position, 12 text bytes and a
// CRC-16). Only the first block's single-byte titles and performers are used.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kCdTextPackSize = 18;
constexpr size_t kCdTextHeaderSize = 4;

struct CdTextAlbum {
    // [0] is the disc, [n] track n; empty where the disc has no such text.
    std::vector<std::string> titles;
    std::vector<std::string> performers;

    bool HasText() const;
    const std::string& Title(int track) const { return At(titles, track); }
    const std::string& Performer(int track) const { return At(performers, track); }

private:
    static const std::string& At(const std::vector<std::string>& list, int track);
};

// CRC-16 (CCITT, inverted) over a pack's first 16 bytes.
uint16_t CdTextCrc(const uint8_t* pack);
// Packs whose CRC does not match are left out; a text that loses a piece to one is dropped
// rather than shown cut.
CdTextAlbum DecodeCdText(const uint8_t* answer, size_t size);
