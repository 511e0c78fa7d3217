#pragma once
// What zl4tool makes of an open image: the info text, a BIN/CUE of the sectors as imaged
// (with a .sub file of the Q bytes when stored), an ISO of the first data track and WAV
// files of the audio tracks stored as sectors.
#include "image/Zl4Reader.h"

#include <string>
#include <vector>

namespace zl4 {

std::string InfoText(const Reader& reader, uint64_t fileSize);

// Each returns false with `error` set; the files written so far are listed in `written`.
bool ExtractBinCue(Reader& reader, const std::string& basePath, std::vector<std::string>& written,
                   std::string& error);
bool ExtractIso(Reader& reader, const std::string& path, std::string& error);
bool ExtractWavs(Reader& reader, const std::string& basePath, std::vector<std::string>& written,
                 std::string& error);

// The 44-byte header of a CD-audio PCM WAV file holding `dataBytes` bytes.
std::vector<uint8_t> CdWavHeader(uint32_t dataBytes);

// "mm:ss:ff" of a sector count at 75 sectors a second.
std::string CueTime(uint32_t sectors);

} // namespace zl4
