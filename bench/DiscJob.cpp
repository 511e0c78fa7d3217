#include "DiscJob.h"

#include "disc/DiscClassifier.h"
#include "disc/DiscRecords.h"
#include "source/CdTypeCode.h"
#include "source/DiscLayout.h"

void SetUpJob(CDiscImage& disc, CBuildJob& job) {
    job.Reset();
    job.SourceDrive = 'E';
    // A DVD's content bits come from its file system and do not change the estimate.
    job.CdType = ClassifyDisc(disc);
    BuildToc(disc.Layout(), job.Toc);
    if (IsMultisession(job.CdType)) {
        BuildSessionDetails(disc.Layout(), job.SessionsDetails);
        job.MultisessionValid = 1;
    }
    ReconcileCapacity(job, static_cast<uint32_t>(disc.LastSector()));
    SetAreas(job);
    CountTracks(job);
    // The drive test finds READ CD on any CD and then skips the normal-read tests, which
    // leaves Force Unit Access off; a DVD has no raw sectors and reads with it.
    const int cd = IsDvd(job.CdType) ? 0 : 1;
    job.RawDataReadable = job.RawAudioReadable = cd;
    job.RawDataType = job.RawAudioType = cd;
    job.ReadFUA = 1 - cd;
}

std::vector<SectorRange> DataTrackRanges(const CBuildJob& job) {
    std::vector<SectorRange> ranges;
    for (int t = 1; t <= TrackCount(job); ++t)
        if (job.TrackIsData(t) && TrackSectors(job, t) > 0)
            ranges.push_back({TrackStart(job, t), TrackStart(job, t) + TrackSectors(job, t) - 1});
    return ranges;
}
