#include "source/SourceAnalysis.h"

#include "app/BuildJob.h"

// For now the analysis takes the table of contents, the kind and the capacity; the
// drive read tests and the size estimate build on it.
bool CSourceAnalysis::Analyse(CBuildJob& job, const CZlxBuildSettings& settings, char letter,
                              uint16_t cdTypeCode) {
    job.Reset();
    job.SourceDrive = letter;
    job.EjectAfterBuild = settings.EjectAfterBuild;
    const int tocRead = settings.UseErrorCorrectedToc ? m_drives.GetTocEC(letter, &job.Toc, 30)
                                                        : m_drives.GetToc(letter, &job.Toc, 30);
    if (!tocRead)
        job.Toc = _CDROM_TOC{};
    job.CdType = cdTypeCode == 65535 ? m_drives.GetCDType(letter) : cdTypeCode;
    uint32_t lastSector = 0, blockSize = 0;
    m_drives.ReadCapaticity(letter, &lastSector, &blockSize, 30);
    job.LastSector = lastSector;
    job.AudioTrackCount = job.DataTrackCount = 0;
    for (int t = 1; t <= job.Toc.LastTrack && t <= 99; ++t)
        (job.TrackIsData(t) ? job.DataTrackCount : job.AudioTrackCount)++;
    return tocRead != 0;
}
