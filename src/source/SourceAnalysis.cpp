#include "source/SourceAnalysis.h"

#include "app/BuildJob.h"
#include "source/CdTypeCode.h"
#include "source/DiscLayout.h"

namespace {
constexpr int kAnalysingMessage = 176; // "Analyzing source CD..."
constexpr int kTocTimeout = 30;
constexpr int kQueryTimeout = 15;
// Dynamic speed changes never go below this factor.
constexpr uint32_t kSlowestDynamicSpeed = 4;
} // namespace

CSourceAnalysis::CSourceAnalysis(IDriveLibrary& drives, IEnvStore& store, IRegistry& registry,
                                 IWorkInfo& work, IFileSearch& files, IAlbumLookup& albums,
                                 IQuickCopyDefault& quickCopy)
    : m_drives(drives), m_work(work), m_dvdProbe(files), m_modelCache(store, registry),
      m_readTest(drives, m_modelCache), m_speeds(drives), m_estimate(drives), m_albums(albums),
      m_quickCopy(quickCopy) {}

bool CSourceAnalysis::Analyse(CBuildJob& job, const CZlxBuildSettings& settings, char letter,
                              uint16_t cdTypeCode) {
    CWorkInfoScope work(m_work, kAnalysingMessage);
    job.Reset();
    job.SourceDrive = letter;
    const bool read = ReadDisc(job, settings, cdTypeCode);
    job.Description.clear();
    job.NoProblemsFound = 1;
    if (read)
        SetReadDefaults(job, settings);
    ChooseJobCompression(job);
    ApplyCdExtraDefaultOrder(job, settings);
    m_quickCopy.Prepare(job);
    return read;
}

bool CSourceAnalysis::ReadDisc(CBuildJob& job, const CZlxBuildSettings& settings,
                               uint16_t cdTypeCode) {
    const char letter = job.SourceDrive;
    if (!m_drives.OpenDrive(letter))
        return false;
    job.Toc = _CDROM_TOC{};
    const int tocRead = settings.UseErrorCorrectedToc
                            ? m_drives.GetTocEC(letter, &job.Toc, kTocTimeout)
                            : m_drives.GetToc(letter, &job.Toc, kTocTimeout);
    if (!tocRead) {
        m_drives.CloseDrive(letter);
        return false;
    }
    job.TrackTitles.assign(job.Toc.LastTrack, std::string());
    job.CdType = cdTypeCode == kCdTypeDetect ? DetectKind(letter) : cdTypeCode;
    ReadSessions(job);
    ReadCapacity(job);
    m_speeds.ProbeMaximum(job, settings.EasyCopyMode != 0);
    m_speeds.BuildSpeedList(job);
    SetAreas(job);
    CountTracks(job);
    m_readTest.Run(job);
    // Without digital audio reads the audio can only be recorded from the drive's output.
    if (!IsDvd(job.CdType) && !job.RawAudioReadable) {
        job.AudioRecordMode = 1;
        job.AnalogRecording = 1;
    }
    m_estimate.Run(job);
    m_drives.CloseDrive(letter);
    return true;
}

uint16_t CSourceAnalysis::DetectKind(char letter) {
    uint16_t code = m_drives.GetCDType(letter);
    if (IsDvd(code))
        code |= m_dvdProbe.ContentBits(letter);
    return code;
}

void CSourceAnalysis::ReadSessions(CBuildJob& job) {
    if (!IsMultisession(job.CdType))
        return;
    MULTISESSION_INFO info{};
    SESSIONS_DETAILS details{};
    if (m_drives.GetMultiSessionInfo(job.SourceDrive, &info, kQueryTimeout) &&
        m_drives.GetSessionsDetails(&info, &details)) {
        job.MultiSession = info;
        job.SessionsDetails = details;
        job.MultisessionValid = 1;
    }
}

// A failed query leaves the sector 0; the analysis goes on with what it has.
void CSourceAnalysis::ReadCapacity(CBuildJob& job) {
    uint32_t lastSector = 0, blockSize = 0;
    m_drives.ReadCapaticity(job.SourceDrive, &lastSector, &blockSize, kQueryTimeout);
    ReconcileCapacity(job, lastSector);
}

void CSourceAnalysis::SetReadDefaults(CBuildJob& job, const CZlxBuildSettings& settings) {
    // Titles and the dynamic speed are offered on the pages, which a direct build never shows.
    if (!job.DriveBuild) {
        if (job.DynamicErrorHandling && SpeedListSlot(job, 0) != 0) {
            for (int i = 0; SpeedListSlot(job, i) != 0; ++i)
                if (SpeedListSlot(job, i) >= kSlowestDynamicSpeed)
                    job.DynamicReadSpeed = static_cast<int>(SpeedListSlot(job, i));
        }
        job.AlbumInfo = std::make_unique<CAlbumInfo>();
        m_albums.LoadAlbumInfo(job);
    }
    job.EjectAfterBuild = settings.EjectAfterBuild;
}
