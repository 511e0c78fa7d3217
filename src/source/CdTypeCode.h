#pragma once
// The 16-bit disc-type code: the low byte is the kind the drive library reports, 4096 marks
// a multisession disc, and for DVDs the wizard adds what the file system holds.
#include <cstdint>
#include <functional>
#include <string>

namespace CdKind {
constexpr uint8_t Data = 0;
constexpr uint8_t MixedMode = 1;
constexpr uint8_t Audio = 2;
constexpr uint8_t CdI = 4;
constexpr uint8_t VideoCd = 5;
constexpr uint8_t CdExtra = 6;
constexpr uint8_t CdText = 7;
constexpr uint8_t PhotoCd = 8;
constexpr uint8_t SuperVideoCd = 16;
constexpr uint8_t Dvd = 32;
// The one kind whose text never gets the multisession suffix.
constexpr uint8_t NoSuffix = 64;
} // namespace CdKind

constexpr uint16_t kCdTypeDetect = 65535; // the caller does not know the kind: ask the drive
constexpr uint16_t kMultisessionFlag = 4096;
constexpr uint16_t kDvdAudioTs = 256;
constexpr uint16_t kDvdVideoTs = 512;
constexpr uint16_t kDvdOtherContent = 1024;

inline uint8_t KindByte(uint16_t cdTypeCode) {
    return static_cast<uint8_t>(cdTypeCode & 0xFF);
}
inline bool IsDvd(uint16_t cdTypeCode) {
    return KindByte(cdTypeCode) == CdKind::Dvd;
}
inline bool IsMultisession(uint16_t cdTypeCode) {
    return (cdTypeCode & kMultisessionFlag) != 0;
}

// String ids of the text describing a disc: the kind (0 for a DVD without content, which has
// no text) and, for multisession discs, the id whose text goes in parentheses after it.
struct CdKindTextIds {
    int kind = 0;
    int suffix = 0;
};

CdKindTextIds KindTextIds(uint16_t cdTypeCode);

// The full text, "kind (suffix)", with the texts taken from `text` by string id.
std::string KindText(uint16_t cdTypeCode, const std::function<std::string(int)>& text);
