#include "source/DiscLayout.h"

#include "source/CdTypeCode.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kMaxTocTracks = 99;
// The most a CD can hold; larger capacities are misreported.
constexpr uint32_t kMaxCdLastSector = 360000;
// Lead-out, lead-in and pre-gap between the sessions of a CD Extra, plus the last audio
// sector itself: where the audio ends when the sessions are not known.
constexpr uint32_t kSessionGapAndLastSector = 11401;
constexpr int kSectorsPerSecond = 75;
} // namespace

int TrackCount(const CBuildJob& job) {
    return std::min<int>(job.Toc.LastTrack, kMaxTocTracks);
}

uint32_t TrackStart(const CBuildJob& job, int track) {
    return track >= 1 && track <= kMaxTocTracks + 1 ? TocAddress(job.Toc.TrackData[track - 1]) : 0;
}

uint32_t TrackSectors(const CBuildJob& job, int track) {
    const uint32_t start = TrackStart(job, track), next = TrackStart(job, track + 1);
    return next > start ? next - start : 0;
}

void ReconcileCapacity(CBuildJob& job, uint32_t capacityLastSector) {
    job.LastSector = capacityLastSector;
    TocTrackEntry& leadOut = job.Toc.TrackData[TrackCount(job)];
    if (IsDvd(job.CdType))
        SetTocAddress(leadOut, job.LastSector + 1);
    else if (job.LastSector > kMaxCdLastSector)
        job.LastSector = TocAddress(leadOut) - 1;
}

void SetAreas(CBuildJob& job) {
    job.AudioArea = job.DataArea = SectorRange{0, job.LastSector};
    switch (KindByte(job.CdType)) {
    case CdKind::MixedMode:
        job.AudioArea.first = TrackStart(job, 2);
        job.DataArea.last = TrackStart(job, 2) - 1;
        break;
    case CdKind::CdExtra:
        if (job.MultisessionValid) {
            job.AudioArea.last = job.SessionsDetails.Sessions[0].LastSector;
            job.DataArea.first = job.SessionsDetails.Sessions[1].FirstSector;
        } else {
            const uint32_t dataTrack = TrackStart(job, job.Toc.LastTrack);
            job.AudioArea.last = dataTrack - 1;
            job.DataArea.first = dataTrack;
        }
        break;
    default:
        break;
    }
}

void CountTracks(CBuildJob& job) {
    job.AudioTrackCount = job.DataTrackCount = 0;
    job.AudioSectors = job.DataSectors = 0;
    for (int t = 1; t <= TrackCount(job); ++t) {
        if (job.TrackIsData(t)) {
            ++job.DataTrackCount;
            job.DataSectors += TrackSectors(job, t);
        } else {
            ++job.AudioTrackCount;
            job.AudioSectors += TrackSectors(job, t);
        }
    }
}

// An entry's second byte is the last track of its session and its third byte the first,
// so the first entry whose range holds the track gives its session; a track no entry
// covers is reported in session 1.
int SessionOfTrack(const CBuildJob& job, int trackIndex) {
    if (!job.MultisessionValid)
        return 1;
    const int track = trackIndex + 1;
    for (const SessionDetail& s : job.SessionsDetails.Sessions)
        if (s.LastTrack >= track && s.FirstTrack <= track)
            return s.Session;
    return 1;
}

int TrackSeconds(const CBuildJob& job, int track) {
    const uint32_t start = TrackStart(job, track);
    uint32_t end = TrackStart(job, track + 1) - 1;
    // The audio session of a CD Extra ends well before the data track starts.
    if (KindByte(job.CdType) == CdKind::CdExtra && track == job.Toc.LastTrack - 1)
        end = job.MultisessionValid ? job.SessionsDetails.Sessions[0].LastSector
                                    : TrackStart(job, job.Toc.LastTrack) - kSessionGapAndLastSector;
    return static_cast<int>((static_cast<int64_t>(end) - start) / kSectorsPerSecond);
}

void ApplyCdExtraDefaultOrder(CBuildJob& job, const CZlxBuildSettings& settings) {
    if (KindByte(job.CdType) != CdKind::CdExtra || !job.TrackOrder.empty() ||
        !settings.OmitCdExtraDataTrack)
        return;
    for (int t = 1; t < job.Toc.LastTrack; ++t) {
        char number[8];
        std::snprintf(number, sizeof number, "%02d", t);
        job.TrackOrder += number;
    }
    job.UnchangedDisc = 0;
}
