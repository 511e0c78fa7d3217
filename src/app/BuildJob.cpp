#include "app/BuildJob.h"

#include "discinfo/TitleLookup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char* Flag(int value) {
    return value ? "1" : "0";
}

// Number of the first (or last) two characters of the track order.
int OrderNumber(const std::string& text) {
    return static_cast<int>(DecimalValue(text));
}
} // namespace

bool KindNeedsRawRead(uint16_t cdType) {
    switch (KindByte(cdType)) {
    case CdKind::CdI:
    case CdKind::VideoCd:
    case CdKind::CdExtra:
    case CdKind::SuperVideoCd:
        return true;
    default:
        return false;
    }
}

CBuildJob::CBuildJob(IEnvStore& store, IRegistry& registry)
    : Presets(store, registry), m_store(store) {
    Reset();
    m_store.WriteText("ZLXBuildDataReady", "0");
}

CBuildJob::~CBuildJob() = default;

void CBuildJob::Reset() {
    MaxReadSpeed = SelReadSpeed = DynamicReadSpeed = 0;
    DriveBuild = EditorWizard = EditorBuild = 0;
    switch (ReadStoreNumber(m_store, "ZLXBuildEditor", 2, 0)) {
    case 1:
        DriveBuild = 1;
        break;
    case 2:
        EditorWizard = 1;
        break;
    case 3:
        EditorBuild = 1;
        break;
    default:
        break;
    }

    UnchangedDisc = 1;
    FastRead = 1;
    ReadSubChannel = 0;
    EjectAfterBuild = 0;
    FastErrorSkip = 1;
    AutoCreateFolder = 1;
    LabelChanged = 0;
    AnalogRecording = PreCaching = 0;
    AlbumInfoFound = 0;
    RawDataReadable = RawAudioReadable = SubChannelReadable = 0;
    MultisessionValid = 0;
    InsertIntoNet = 0;
    DynamicErrorHandling = 1;
    QuickCopyInUse = WriteQuickCopyFile = QuickCopySettingsLoaded = 0;

    if (auto v = ReadStoreText(m_store, "ZlxDisabelUseOfLoacalImages", 2);
        v && !v->empty() && (*v)[0] == '1')
        InsertIntoNet = 1;

    for (std::string* s :
         {&DestinationFile, &AlbumTitle, &Artist, &TrackOrder, &Password, &StartProgram, &StartPath,
          &AutoInsertDrive, &Label, &Description, &AudioFileFormat})
        s->clear();

    CompressionType = CompressionLevel = 0;
    SectorSize = 2048;
    AudioRecordMode = Presets.AudioAsDataTracks ? 2 : 1;
    AudioTrackCount = DataTrackCount = 0;
    RawDataType = RawAudioType = 0;
    SkipRange = 1;
    QuickCopyMatchCount = 0;
    SectorType = 0;
    TimesToValidate = 1;
    BytesPerAudioSector = 0;
    HotkeyVirtualCode = HotkeyModifiers = 0;
    CdType = 0;

    AlbumInfo.reset();
    MultiSession = MULTISESSION_INFO{};
    SessionsDetails = SESSIONS_DETAILS{};

    const bool forEditor = DriveBuild || EditorWizard;
    if (forEditor) {
        UnchangedDisc = 0;
        SectorType = 256;
        SectorSize = 2352;
        CompressionSetting c = FixedCompression(Presets.GroupNumber(kEditorPresetGroup));
        CompressionType = c.type;
        CompressionLevel = c.level;
    }
    AudioFormat = Presets.AudioFormat;
    if (forEditor)
        ApplyEditorAudioValues();
}

// The editor either tells how audio is stored, or learns the wizard's own choice.
void CBuildJob::ApplyEditorAudioValues() {
    if (auto mode = ReadStoreText(m_store, "ZlxEditorAudioRecordMode", 20)) {
        AudioRecordMode = static_cast<int>(DecimalValue(*mode));
        if (AudioRecordMode == 1)
            AudioFormatValues::Read(m_store, "ZlxEditorAcm", AudioFormat, false, 20);
        return;
    }
    m_store.WriteText("ZlxEditorAudioRecordMode", AudioRecordMode == 1 ? "1" : "2");
    if (AudioRecordMode == 1)
        AudioFormatValues::Write(m_store, "ZlxEditorAcm", AudioFormat);
}

void CBuildJob::ApplyPreset(int code) {
    struct ReadOptions {
        int fastRead, subChannel, fastErrorSkip, raw, skipRange;
    };
    ReadOptions options{};
    switch (code) {
    case 0:
        options = {1, 0, 1, 0, 1};
        break;
    case 1:
        options = {1, 1, 1, 1, 1};
        break;
    case 3:
        // Unwritten areas take long to skip: a wide skip range, and the options are kept in
        // a Quick Copy file so the next copy of this disc starts from them.
        options = {1, 0, 1, 0, 500};
        break;
    case 5:
        options = {0, 0, 0, AudioRecordMode == 2, 1};
        break;
    default:
        return;
    }
    FastRead = options.fastRead;
    ReadSubChannel = options.subChannel;
    FastErrorSkip = options.fastErrorSkip;
    WriteQuickCopyFile = code == 3 && QuickCopyMatchCount == 0 ? 1 : 0;
    SectorSize = options.raw ? 2352 : 2048;
    SectorType = options.raw ? 256 : 0;
    SkipRange = options.skipRange;

    const uint8_t kind = KindByte(CdType);
    if (IsDvd(CdType)) {
        SectorSize = 2048;
        SectorType = 0;
    }
    const bool audioKind =
        kind == CdKind::Audio || kind == CdKind::CdText || kind == CdKind::CdExtra;
    // These discs hold audio or Mode 2 sectors that only raw reading copies whole.
    if (audioKind || kind == CdKind::CdI || kind == CdKind::VideoCd ||
        kind == CdKind::SuperVideoCd) {
        SectorSize = 2352;
        SectorType = 256;
    }
    if (Presets.SubChannelForAudioDiscs && audioKind)
        ReadSubChannel = 1;
    // Sound files have no place for sub-channel data; a drive that cannot read it neither.
    if (AudioRecordMode == 1 || !SubChannelReadable)
        ReadSubChannel = 0;
}

void CBuildJob::LoadEditorValues(bool withInfo) {
    if (auto v = ReadStoreText(m_store, "ZLXBuildZLXLabel", 260))
        SourceDiscName = *v;
    if (auto v = ReadStoreText(m_store, "ZlxBuildDescription", 260))
        Description = *v;
    if (withInfo) {
        if (auto v = ReadStoreText(m_store, "ZlxBuildInfoText", 2048))
            InfoText = *v;
        if (auto v = ReadStoreText(m_store, "CDETotalSectors", 260))
            LastSector = static_cast<uint32_t>(DecimalValue(*v));
    } else {
        if (auto v = ReadStoreText(m_store, "ZLXBuildDestinationFile", 260))
            DestinationFile = *v;
        Label = SourceDiscName;
    }
}

void CBuildJob::WriteZlxType() {
    const uint8_t kind = CdType & 0xFF;
    const char* type = nullptr;
    if (kind == CdKind::CdExtra) {
        const std::string last =
            TrackOrder.size() >= 2 ? TrackOrder.substr(TrackOrder.size() - 2) : TrackOrder;
        if (OrderNumber(last) != Toc.LastTrack)
            type = "2";
    } else if (kind == CdKind::MixedMode) {
        const int first = OrderNumber(TrackOrder.substr(0, 2));
        if (first != 1)
            type = "2";
        else if (TrackOrder.size() == 2)
            type = "0";
    }
    if (type)
        m_store.WriteText("ZlxBuildZLXType", type);
}

void CBuildJob::WriteTrackNames() {
    if ((AudioRecordMode != 1 && AudioRecordMode != 2) || DriveBuild || Toc.LastTrack == 0)
        return;
    const int tracks = Toc.LastTrack < 100 ? Toc.LastTrack : 99;
    for (int i = 0; i < tracks; ++i) {
        if (TocIsData(Toc.TrackData[i]))
            continue;
        char name[40];
        std::snprintf(name, sizeof name, "%s%d", "ZlxBuildNameOfAudioTrack", i + 1);
        const size_t index = static_cast<size_t>(i);
        m_store.WriteText(name, index < TrackTitles.size() ? TrackTitles[index].c_str() : "");
    }
}

void CBuildJob::WriteToStore() {
    IEnvStore& s = m_store;
    auto decimal = [&](const char* name, long value) {
        s.WriteText(name, std::to_string(value).c_str());
    };
    const char drive[2] = {SourceDrive, '\0'};

    s.WriteText("ZLXBuildSourceCDDrive", drive);
    s.WriteText("ZLXBuildDestinationFile", DestinationFile.c_str());
    decimal("ZlxBuildCompressionType", CompressionType);
    decimal("ZlxBuildCompressionLevel", CompressionLevel);
    s.WriteText("ZlxBuildReadFUA", Flag(ReadFUA));
    if (RawDataReadable)
        s.WriteText("ZlxBuildRAWDataType", RawDataType == 1 ? "1" : "2");
    if (RawAudioReadable)
        s.WriteText("ZlxBuildRAWAudioType", RawAudioType == 1   ? "1"
                                            : RawAudioType == 2 ? "2"
                                                                : "3");
    decimal("ZlxBuildSectorSize", SectorSize);
    decimal("ZlxBuildSectorType", SectorType);
    if (!UnchangedDisc)
        WriteZlxType();
    decimal("ZlxBuildCDType", CdType);
    decimal("ZlxBuildSkipRange", SkipRange);
    decimal("ZlxBuildAudioRecordMode", AudioRecordMode);
    s.WriteText("ZlxBuildCreateCustomCD", UnchangedDisc ? "0" : "1");
    s.WriteText("ZlxBuildFastReadMethod", Flag(FastRead));
    s.WriteText("ZlxBuildReadSZQ", Flag(ReadSubChannel));
    s.WriteText("ZlxBuildFastErrorSkip", Flag(FastErrorSkip));
    s.WriteText("ZlxBuildAutoCreateFolder", Flag(AutoCreateFolder));
    s.WriteText("ZlxBuildEjectAfterBuild", Flag(EjectAfterBuild));
    s.WriteText("ZlxBuildChangeZLXLabel", Flag(LabelChanged));
    s.WriteText("ZlxBuildInsertIntoNet", Flag(InsertIntoNet));
    s.WriteText("ZlxBuildDynamicErrorHandling", Flag(DynamicErrorHandling));
    s.WriteText("ZLXBuildZLXLabel", Label.c_str());
    s.WriteText("ZlxBuildDescription", Description.c_str());
    decimal("ZlxBuildTimesToValidate", TimesToValidate);
    if (!InfoText.empty())
        s.WriteText("ZlxBuildInfoText", InfoText.c_str());
    if (!Password.empty())
        s.WriteText("ZlxBuildPassword", Password.c_str());
    if (!StartProgram.empty()) {
        s.WriteText("ZlxBuildStartProgram", StartProgram.c_str());
        if (!StartPath.empty())
            s.WriteText("ZlxBuildStartPath", StartPath.c_str());
    }
    if (!AutoInsertDrive.empty())
        s.WriteText("ZlxBuildAutoInsertDrive", AutoInsertDrive.c_str());
    if (HotkeyVirtualCode != 0) {
        decimal("ZlxBuildHotkeyVirtualCode", HotkeyVirtualCode);
        decimal("ZlxBuildHotkeyModifiers", HotkeyModifiers);
    }
    if (!Artist.empty())
        s.WriteText("ZlxBuildAudioArtist", Artist.c_str());
    if (!AlbumTitle.empty())
        s.WriteText("ZlxBuildAudioRecord", AlbumTitle.c_str());
    WriteTrackNames();
    if (!TrackOrder.empty())
        s.WriteText("ZlxBuildTrackOrder", TrackOrder.c_str());
    if (SelReadSpeed != 0) {
        decimal("ZlxBuildMaxReadSpeed", MaxReadSpeed);
        decimal("ZlxBuildSelReadSpeed", SelReadSpeed);
        decimal("ZlxBuildDynamicReadSpeed", DynamicReadSpeed);
    }
    if (AudioRecordMode == 1 && (EditorWizard || AudioTrackCount > 0)) {
        s.WriteText("ZlxBuildAudioFileFormat", AudioFileFormat.c_str());
        const char acm[3] = {Flag(AnalogRecording)[0], Flag(PreCaching)[0], '\0'};
        s.WriteText("ZlxBuildACMSettings", acm);
        AudioFormatValues::Write(s, "ZlxBuildAcm", AudioFormat);
    }
    if (!EditorWizard && !EditorBuild)
        s.WriteBinary("ZlxBuildTOC", &Toc, sizeof Toc);
    s.WriteText("ZlxBuildWriteZQCFile", Flag(WriteQuickCopyFile));
    if (QuickCopyInUse && QuickCopySettingsLoaded)
        s.WriteText("ZlxBuildZQCFileName", QuickCopyFileName.c_str());
    s.WriteText("ZLXBuildDataReady", "1");
}

void CBuildJob::LookupTitles(const TitleLookupContext& context, void* window) {
    LookupAlbumTitles(*this, context, window);
}

uint32_t CBuildJob::TrackLength(int track) const {
    if (track < 1 || track > Toc.LastTrack || track > 99)
        return 0;
    const uint32_t start = TocAddress(Toc.TrackData[track - 1]);
    const uint32_t next = TocAddress(Toc.TrackData[track]);
    return next > start ? next - 1 - start : 0;
}

bool CBuildJob::TrackIsData(int track) const {
    return track >= 1 && track <= 100 && TocIsData(Toc.TrackData[track - 1]);
}

std::vector<int> CBuildJob::OrderedTracks() const {
    std::vector<int> tracks;
    for (size_t i = 0; i + 1 < TrackOrder.size(); i += 2)
        tracks.push_back(OrderNumber(TrackOrder.substr(i, 2)));
    return tracks;
}

uint32_t CBuildJob::SelectedSizeMB() const {
    if (UnchangedDisc)
        return (LastSector / 1024) * 2;
    uint64_t sectors = 0;
    for (int t : OrderedTracks())
        sectors += TrackLength(t);
    return static_cast<uint32_t>(sectors / 1024 * 2);
}

uint32_t CBuildJob::EstimatedDataSizeMB() const {
    if (EditorWizard || EditorBuild) {
        uint64_t total =
            static_cast<uint64_t>(ReadStoreNumber(m_store, "CDETotalSectors", 40, 0) & 0xFFFFFFFF);
        return static_cast<uint32_t>(total * 2 / 1024);
    }
    int column = 0;
    if (CompressionType == 1)
        column = 1;
    else if (CompressionType == 2)
        column = CompressionLevel == 1   ? 2
                 : CompressionLevel == 3 ? 3
                 : CompressionLevel == 6 ? 4
                                         : 0;

    int group = kDataCooked;
    if (AudioRecordMode == 2 && AudioTrackCount > 0 && !IsDvd(CdType))
        group = kWholeDiscRaw;
    else if (SectorSize == 2352)
        group = kDataRaw;
    uint32_t figure = Estimate[group + column];
    if (figure != 0 && ReadSubChannel)
        figure += LastSector / 65536;
    if (UnchangedDisc)
        return figure;

    uint64_t selected = 0;
    for (int t : OrderedTracks())
        if (TrackIsData(t) || AudioRecordMode == 2)
            selected += TrackLength(t);
    const uint32_t divisor = AudioRecordMode == 1 ? DataSectors : LastSector;
    if (divisor == 0)
        return 0; // no share of nothing
    const long long percent = static_cast<long long>(static_cast<double>(selected) / divisor * 100);
    // The share is scaled with the single-precision 0.01, so 100 % can come out one
    // megabyte below the figure; the writer's expectations were set by that rounding.
    const float onePercent = 0.01f;
    return static_cast<uint32_t>(static_cast<double>(percent) * figure *
                                 static_cast<double>(onePercent));
}

uint32_t CBuildJob::EstimatedAudioSizeMB() const {
    if (AudioRecordMode != 1 || EditorWizard || EditorBuild)
        return 0;
    uint64_t sectors = 0;
    if (UnchangedDisc) {
        sectors = AudioSectors;
    } else {
        for (int t : OrderedTracks())
            if (!TrackIsData(t))
                sectors += TrackLength(t);
    }
    return static_cast<uint32_t>(uint64_t{BytesPerAudioSector} * sectors >> 20);
}
