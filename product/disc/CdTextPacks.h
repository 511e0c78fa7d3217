#pragma once
// CD-Text as a disc carries it in its lead-in: 18-byte packs (type, track, sequence number,
// block and character position, 12 text bytes, CRC-16), made here from a CUE sheet's
// TITLE, PERFORMER and SONGWRITER lines, or taken from a CDTEXTFILE.
#include "disc/CueSheet.h"

#include <cstdint>
#include <string>
#include <vector>

namespace CdTextPacks {

constexpr size_t kPackSize = 18;

// One block of ISO 8859-1 text in English: the title, performer and songwriter packs of the
// disc and every track, closed by the three size-information packs. Empty when the sheet
// has no such text.
std::vector<uint8_t> FromSheet(const CueSheet& sheet);
// The packs of a CD-Text file: bare packs, packs behind a 4-byte header whose length counts
// the rest of the file, or bare packs with one trailing zero byte. False for anything else.
bool FromFile(const std::string& bytes, std::vector<uint8_t>& packs);

} // namespace CdTextPacks
