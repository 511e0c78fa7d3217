#pragma once
// The build job: everything the analysis finds and the pages choose, and the value
// sequence that hands it to the writer program.
#include "audio/AudioFormatRecord.h"
#include "discinfo/AlbumInfo.h"
#include "settings/ZlxPreSettings.h"
#include "source/CdTypeCode.h"
#include "source/DriveTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SectorRange {
    uint32_t first = 0;
    uint32_t last = 0;
};

// Estimate figures: four groups of five (uncompressed, block coder, zlib 1, 3, 6).
enum EstimateGroup { kWholeDiscCooked = 0, kWholeDiscRaw = 5, kDataCooked = 10, kDataRaw = 15 };
constexpr int kEstimateFigures = 20;

// CD-i, Video CD, CD Extra and Super Video CD can only be copied with raw sector reads.
bool KindNeedsRawRead(uint16_t cdType);

struct QuickCopyServices;
class IQuickCopyFiles;

struct TitleLookupContext;

class CBuildJob {
public:
    CBuildJob(IEnvStore& store, IRegistry& registry);
    ~CBuildJob();
    CBuildJob(const CBuildJob&) = delete;
    CBuildJob& operator=(const CBuildJob&) = delete;

    void Reset();
    void LoadEditorValues(bool withInfo);
    // The read options of a copy method preset (0 normal, 1 advanced, 3 unwritten areas,
    // 5 editor) with the disc's and the drive's overrides; other codes change nothing.
    void ApplyPreset(int code);
    void WriteToStore();

    uint32_t SelectedSizeMB() const;
    uint32_t EstimatedDataSizeMB() const;
    uint32_t EstimatedAudioSizeMB() const;
    // Length in sectors of track t (1-based) from the table of contents; 0 outside it.
    uint32_t TrackLength(int track) const;
    bool TrackIsData(int track) const;
    // The two-digit track numbers of the track order, in writing order.
    std::vector<int> OrderedTracks() const;
    // Album, artist and track titles from the disc information service, or the generic
    // ones; `window` owns the service's dialogs.
    void LookupTitles(const TitleLookupContext& context, void* window);

    // The Quick Copy files that belong to the source disc (mode: QuickCopySearch in
    // app/QuickCopy.h); returns the match count.
    int FindQuickCopyFiles(int mode, const QuickCopyServices& services);
    // Takes the read options of the chosen Quick Copy file (QuickCopyFileName); true when
    // a whole record was read, otherwise nothing changes.
    bool LoadQuickCopySettings(IQuickCopyFiles& files);

    int UnchangedDisc = 1;
    int FastRead = 1;
    int ReadSubChannel = 0;
    int EjectAfterBuild = 0;
    int FastErrorSkip = 1;
    int AutoCreateFolder = 1;
    int LabelChanged = 0;
    int AnalogRecording = 0;
    int PreCaching = 0;
    int AlbumInfoFound = 0;
    int RawDataReadable = 0;
    int RawAudioReadable = 0;
    int SubChannelReadable = 0;
    int DriveBuild = 0;
    int EditorWizard = 0;
    int EditorBuild = 0;
    int NoProblemsFound = 0;
    int ReadFUA = 0;
    int MultisessionValid = 0;
    int InsertIntoNet = 0;
    int DynamicErrorHandling = 1;
    int QuickCopyInUse = 0;
    int WriteQuickCopyFile = 0;
    int QuickCopySettingsLoaded = 0;

    std::string DestinationFile;
    std::string SourceDiscName;
    std::string Label;
    std::string AlbumTitle;
    std::string Artist;
    std::string Description;
    std::string TrackOrder;
    std::string Password;
    std::string StartProgram;
    std::string StartPath;
    std::string InfoText;
    std::string AutoInsertDrive;
    std::string AudioFileFormat;
    std::string QuickCopyFileName;
    std::string QuickCopyDisplayName;

    char SourceDrive = 0;
    int CompressionType = 0;
    int CompressionLevel = 0;
    int SectorSize = 2048;
    int MaxReadSpeed = 0;
    int SelReadSpeed = 0;
    int DynamicReadSpeed = 0;
    int AudioRecordMode = 1;
    int AudioTrackCount = 0;
    int DataTrackCount = 0;
    int TimesToValidate = 1;
    int RawDataType = 0;
    int RawAudioType = 0;
    int DataReadMethod = 0;
    int SkipRange = 1;
    int QuickCopyMatchCount = 0;
    uint16_t CdType = 0;
    uint16_t SectorType = 0;
    uint16_t HotkeyVirtualCode = 0;
    uint16_t HotkeyModifiers = 0;
    uint32_t LastSector = 0;
    uint32_t DataSectors = 0;
    uint32_t AudioSectors = 0;
    uint32_t Estimate[kEstimateFigures] = {};
    uint32_t BytesPerAudioSector = 0;
    SectorRange AudioArea;
    SectorRange DataArea;
    _CDROM_TOC Toc{};
    std::vector<std::string> TrackTitles;
    AudioFormatRecord AudioFormat = CdAudioFormat();
    MULTISESSION_INFO MultiSession{};
    SESSIONS_DETAILS SessionsDetails{};
    uint32_t SpeedTable[100] = {};
    CZlxPreSettings Presets;
    std::unique_ptr<CAlbumInfo> AlbumInfo;

private:
    void ApplyEditorAudioValues();
    void WriteZlxType();
    void WriteTrackNames();
    IEnvStore& m_store;
};
