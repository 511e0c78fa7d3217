#include "disc/DiscClassifier.h"

namespace {
// Kinds that live in the file system of an all-data disc, in the order they are told apart:
// a Super Video CD also carries Video CD markers, and Video and Photo CDs are CD-i Bridge
// discs, so the plain CD-i test comes last.
uint16_t DataKind(const DiscFacts& facts, const IsoVolume& v) {
    const std::string& k = facts.discKind;
    if (k == "SVCD" || k == "SUPER-VIDEO-CD")
        return DiscKind::kSuperVideoCd;
    if (k == "VCD" || k == "VIDEO-CD")
        return DiscKind::kVideoCd;
    if (k == "PHOTO-CD" || k == "PHOTOCD")
        return DiscKind::kPhotoCd;
    if (k == "CD-I" || k == "CDI")
        return DiscKind::kCdi;
    if (!v.found)
        return DiscKind::kData;
    if (v.HasFolder("SVCD") || v.Mentions("SUPERVCD") || v.Mentions("HQ-VCD"))
        return DiscKind::kSuperVideoCd;
    if (v.HasFolder("MPEGAV") || v.HasFolder("VCD") || v.Mentions("VIDEO_CD"))
        return DiscKind::kVideoCd;
    if (v.HasFolder("PHOTO_CD"))
        return DiscKind::kPhotoCd;
    if (v.standardId == "CD-I " || v.systemId.find("CD-I") != std::string::npos ||
        v.applicationId.find("CD-I") != std::string::npos)
        return DiscKind::kCdi;
    return DiscKind::kData;
}
} // namespace

uint16_t ClassifyDisc(CDiscImage& disc) {
    const CDiscLayout& layout = disc.Layout();
    if (layout.dvd)
        return DiscKind::kDvd;
    const uint16_t multisession = layout.sessions.size() > 1 ? DiscKind::kMultisession : 0;
    bool firstSessionAudio = true, anyAudio = false, anyData = false, laterData = false;
    for (const LayoutTrack& t : layout.tracks) {
        anyAudio = anyAudio || !t.IsData();
        anyData = anyData || t.IsData();
        if (t.session == 1)
            firstSessionAudio = firstSessionAudio && !t.IsData();
        else
            laterData = laterData || t.IsData();
    }
    if (multisession && firstSessionAudio && laterData)
        return DiscKind::kCdExtra | multisession;
    if (!anyData)
        return (disc.Facts().cdText ? DiscKind::kCdText : DiscKind::kAudio) | multisession;
    if (anyAudio)
        return DiscKind::kMixedMode | multisession;
    return DataKind(disc.Facts(), disc.Volume()) | multisession;
}
