#pragma once
// The disc-type code a drive library reports: the kind in the low byte and 4096 when the disc
// has more than one session.
#include "disc/DiscImage.h"

#include <cstdint>

namespace DiscKind {
constexpr uint16_t kData = 0;
constexpr uint16_t kMixedMode = 1;
constexpr uint16_t kAudio = 2;
constexpr uint16_t kCdi = 4;
constexpr uint16_t kVideoCd = 5;
constexpr uint16_t kCdExtra = 6;
constexpr uint16_t kCdText = 7;
constexpr uint16_t kPhotoCd = 8;
constexpr uint16_t kSuperVideoCd = 16;
constexpr uint16_t kDvd = 32;
constexpr uint16_t kMultisession = 4096;
} // namespace DiscKind

uint16_t ClassifyDisc(CDiscImage& disc);
