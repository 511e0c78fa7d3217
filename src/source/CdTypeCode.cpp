#include "source/CdTypeCode.h"

namespace {
constexpr int kMultisessionTextId = 132;
constexpr int kUnknownTextId = 116;

int CdTextId(uint8_t kind, bool multisession) {
    switch (kind) {
    case CdKind::Data:
        return 110;
    case CdKind::MixedMode:
        return 111;
    case CdKind::Audio:
        return 112;
    case CdKind::CdI:
        return 113;
    case CdKind::VideoCd:
        return 114;
    case CdKind::CdExtra:
        return 115;
    case CdKind::CdText:
        return 131;
    case CdKind::PhotoCd:
        return 151;
    case CdKind::SuperVideoCd:
        return 258;
    default:
        return multisession ? kMultisessionTextId : kUnknownTextId;
    }
}

// The most specific combination wins, so the order of the tests matters.
int DvdTextId(uint16_t code) {
    const bool video = code & kDvdVideoTs, audio = code & kDvdAudioTs,
               other = code & kDvdOtherContent;
    if (video && audio && other)
        return 124;
    if (audio && video)
        return 125;
    if (audio && other)
        return 123;
    if (video && other)
        return 119;
    if (other)
        return 117;
    if (video)
        return 118;
    if (audio)
        return 122;
    return 0;
}
} // namespace

CdKindTextIds KindTextIds(uint16_t cdTypeCode) {
    const uint8_t kind = KindByte(cdTypeCode);
    const bool multisession = IsMultisession(cdTypeCode);
    CdKindTextIds ids;
    ids.kind = kind == CdKind::Dvd ? DvdTextId(cdTypeCode) : CdTextId(kind, multisession);
    if (multisession && kind != CdKind::NoSuffix)
        ids.suffix = kMultisessionTextId;
    return ids;
}

std::string KindText(uint16_t cdTypeCode, const std::function<std::string(int)>& text) {
    const CdKindTextIds ids = KindTextIds(cdTypeCode);
    std::string result = ids.kind ? text(ids.kind) : std::string();
    if (ids.suffix)
        result += " (" + text(ids.suffix) + ")";
    return result;
}
