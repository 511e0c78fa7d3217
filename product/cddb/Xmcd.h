#pragma once
// Database entries in freedb's xmcd text format: "# xmcd" on the first line, comments with
// the track frame offsets and the disc length, then KEYWORD=value lines. A keyword repeated
// on following lines continues its value; values carry \n, \t and \\ escapes.
#include <cstdint>
#include <string>
#include <vector>

struct XmcdEntry {
    std::vector<uint32_t> frameOffsets; // "# Track frame offsets:" (lead-in included)
    uint32_t discLength = 0;            // "# Disc length: N seconds"; 0 when not given
    int revision = 0;                   // "# Revision: N"
    std::string discIds;                // DISCID as written (freedb allows a list)
    std::string dtitle;                 // "artist / title"
    std::string year, genre, extd, playOrder;
    std::vector<std::string> titles;   // TTITLEn: [n] is track n + 1
    std::vector<std::string> extended; // EXTTn
};

// The texts a value or line may hold are bounded, so a hostile file cannot make the library
// hold more than a few times its own size.
constexpr size_t kXmcdMaxTracks = 99;
constexpr size_t kXmcdMaxValue = 16384;

// False when the text is not an xmcd entry (no "# xmcd" first line). Unknown keywords,
// broken lines and bad numbers are passed over.
bool ParseXmcd(const std::string& text, XmcdEntry& entry);
// The entry as a file: values escaped, lines kept to freedb's 256 characters.
std::string FormatXmcd(const XmcdEntry& entry, const std::string& submittedVia);

// "Artist / Title" into its halves; without the separator both halves are the whole text.
void SplitArtistTitle(const std::string& text, std::string& artist, std::string& title);
