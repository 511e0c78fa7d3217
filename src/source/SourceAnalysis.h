#pragma once
// Analysis of the disc in the source drive: kind, table of contents, sessions, capacity,
// areas and track counts, the drive's read abilities and speeds, and the image size
// estimate, all into the build job; then the job's starting choices.
#include "app/AppServices.h"
#include "settings/ZlxBuildSettings.h"
#include "source/AnalysisSeams.h"
#include "source/DriveModelCache.h"
#include "source/DriveReadTest.h"
#include "source/DvdContentProbe.h"
#include "source/ReadSpeedProbe.h"
#include "source/SizeEstimate.h"
#include "source/WorkInfo.h"

class CSourceAnalysis : public ISourceAnalysis {
public:
    CSourceAnalysis(IDriveLibrary& drives, IEnvStore& store, IRegistry& registry, IWorkInfo& work,
                    IFileSearch& files, IAlbumLookup& albums = NoAlbumLookup(),
                    IQuickCopyDefault& quickCopy = NoQuickCopyDefault());

    // `cdTypeCode` as the drive list found it, or kCdTypeDetect. Shows the work dialog
    // meanwhile. False when the drive cannot be opened or its table of contents read.
    bool Analyse(CBuildJob& job, const CZlxBuildSettings& settings, char letter,
                 uint16_t cdTypeCode) override;

private:
    // Everything that needs the drive open; false when the disc cannot be read at all.
    bool ReadDisc(CBuildJob& job, const CZlxBuildSettings& settings, uint16_t cdTypeCode);
    uint16_t DetectKind(char letter);
    void ReadSessions(CBuildJob& job);
    void ReadCapacity(CBuildJob& job);
    // Choices that only make sense for a disc that was read.
    void SetReadDefaults(CBuildJob& job, const CZlxBuildSettings& settings);

    IDriveLibrary& m_drives;
    IWorkInfo& m_work;
    CDvdContentProbe m_dvdProbe;
    CDriveModelCache m_modelCache;
    CDriveReadTest m_readTest;
    CReadSpeedProbe m_speeds;
    CSizeEstimate m_estimate;
    IAlbumLookup& m_albums;
    IQuickCopyDefault& m_quickCopy;
};
