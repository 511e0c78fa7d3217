#include "disc/DiscClassifier.h"

namespace {
// Kinds that live in the file system of an all-data disc, in the order they are told apart:
// a Super Video CD also carries Video CD markers, and Video and Photo CDs are CD-i Bridge
// discs, so the plain CD-i test comes last.
uint16_t DataKind(const DiscFacts& facts, const IsoVolume& v) {
    const std::string& k = facts.discKind;
    if (k == "SVCD" || k == "SUPER-VIDEO-CD")
        return CdKind::SuperVideoCd;
    if (k == "VCD" || k == "VIDEO-CD")
        return CdKind::VideoCd;
    if (k == "PHOTO-CD" || k == "PHOTOCD")
        return CdKind::PhotoCd;
    if (k == "CD-I" || k == "CDI")
        return CdKind::CdI;
    if (!v.found)
        return CdKind::Data;
    if (v.HasFolder("SVCD") || v.Mentions("SUPERVCD") || v.Mentions("HQ-VCD"))
        return CdKind::SuperVideoCd;
    if (v.HasFolder("MPEGAV") || v.HasFolder("VCD") || v.Mentions("VIDEO_CD"))
        return CdKind::VideoCd;
    if (v.HasFolder("PHOTO_CD"))
        return CdKind::PhotoCd;
    if (v.standardId == "CD-I " || v.systemId.find("CD-I") != std::string::npos ||
        v.applicationId.find("CD-I") != std::string::npos)
        return CdKind::CdI;
    return CdKind::Data;
}
} // namespace

uint16_t ClassifyDisc(CDiscImage& disc) {
    const CDiscLayout& layout = disc.Layout();
    if (layout.dvd)
        return CdKind::Dvd;
    const uint16_t multisession = layout.sessions.size() > 1 ? kMultisessionFlag : 0;
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
        return CdKind::CdExtra | multisession;
    if (!anyData)
        return (disc.Facts().cdText ? CdKind::CdText : CdKind::Audio) | multisession;
    if (anyAudio)
        return CdKind::MixedMode | multisession;
    return DataKind(disc.Facts(), disc.Volume()) | multisession;
}
