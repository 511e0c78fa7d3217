#include "pages/ToDoPageLogic.h"

#include "app/FileNames.h"
#include "source/CdTypeCode.h"

#include <algorithm>

namespace {
enum TextId {
    kLoadingAlbumData = 134, // "Loading information from CDDB..."
    kUnknown = 140,          // "Unknown"
    kCannotStartExplorer = 171,
    kRawReadRequired = 180,
    kEditorSource = 210, // "Editor"
    kNoAdvancedInfo = 215,
    kNoProblems = 216,
    kNoQuickCopyFile = 282,    // "No Quick Copy file found."
    kNoQuickCopyForDisc = 293, // "No Quick Copy file available for this CD."
    kQuickCopyNotActive = 300,
};
constexpr size_t kLongestNameDescription = 30;

bool IsKind(uint16_t cdType, std::initializer_list<uint8_t> kinds) {
    return std::find(kinds.begin(), kinds.end(), KindByte(cdType)) != kinds.end();
}

// Discs that carry album information: the album title names them.
bool IsAlbumKind(uint16_t cdType) {
    return IsKind(cdType, {CdKind::Audio, CdKind::CdExtra, CdKind::CdText});
}

// Data CDs, mixed mode CDs and DVDs with more than video and audio may hold unwritten
// areas or copy-protection rings, so they are offered raw reading.
bool OffersAdvanced(uint16_t cdType) {
    if (IsDvd(cdType))
        return (cdType & kDvdOtherContent) != 0;
    return IsKind(cdType, {CdKind::Data, CdKind::MixedMode});
}

} // namespace

PresetList PresetsForDisc(uint16_t cdType) {
    PresetList list;
    list.codes.push_back(kPresetNormal);
    if (OffersAdvanced(cdType)) {
        list.codes.push_back(kPresetAdvanced);
        list.codes.push_back(kPresetUnwritten);
        // A DVD is read cooked whatever the preset says, so the plain one stays first choice.
        if (!IsDvd(cdType))
            list.defaultCode = kPresetAdvanced;
    }
    return list;
}

bool LabelEditable(const CZlxBuildSettings& settings, uint16_t cdType) {
    // An audio CD's label is not a volume label a user would know; the album names it.
    return settings.AllowLabelChange != 0 && !IsKind(cdType, {CdKind::Audio, CdKind::CdText});
}

int ToDoButtons(bool expert, bool editorMode, bool spaceShort) {
    if (expert)
        return editorMode ? kWizNext : kWizBack | kWizNext;
    if (spaceShort)
        return kWizBack | kWizNext;
    return editorMode ? kWizFinish : kWizBack | kWizFinish;
}

std::string PathRoot(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\')
        return path.substr(0, 3);
    if (path.rfind("\\\\", 0) == 0) {
        const size_t server = path.find('\\', 2);
        if (server == std::string::npos)
            return {};
        const size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return {};
}

// The name is the description when it is a sensible file name length; otherwise what
// names the disc best: the album for audio discs (unless a CD Extra was not found by the
// disc information service, whose album is then "Unknown"), else the disc's label.
std::string MakeDefaultImageName(const CBuildJob& job, const ImageNameInputs& inputs,
                                 IFolderQuery& folders) {
    std::string folder = inputs.imageFolder;
    if (folder.empty())
        folder = folders.CurrentDirectory() + "\\";

    std::string name = inputs.description;
    if (name.empty() || name.size() > kLongestNameDescription) {
        if (inputs.editorMode)
            name = job.SourceDiscName;
        else if (IsAlbumKind(job.CdType))
            name = job.AlbumTitle;
        else
            name = job.SourceDiscName;
        if (!inputs.editorMode && KindByte(job.CdType) == CdKind::CdExtra && !job.AlbumInfoFound)
            name = job.SourceDiscName;
    }
    name = TrimSpace(name);
    if (name.empty())
        name = inputs.unknownText;
    const std::string base = folder + CleanFileName(name);

    // The writer makes a folder of the image's name; an existing one must not be reused.
    std::string candidate = base;
    for (int counter = 1; folders.DirectoryExists(candidate) && counter < 100000; ++counter)
        candidate = base + std::to_string(counter);
    return candidate + ".zl4";
}

SlotPlan ToDoNextPlan(const CBuildJob& job, bool editorMode, bool expert, bool spaceShort) {
    SlotPlan plan;
    if (!editorMode && !job.RawDataReadable && KindNeedsRawRead(job.CdType)) {
        plan.messageId = kRawReadRequired;
        return plan;
    }
    plan.remove = {kSlotProperties, kSlotDestination, kSlotDataSettings, kSlotAudio, kSlotTracks};
    if (!expert) {
        if (spaceShort)
            plan.add.push_back(kSlotDestination);
        return plan;
    }
    if (!editorMode) {
        if (IsKind(job.CdType,
                   {CdKind::Audio, CdKind::CdExtra, CdKind::CdText, CdKind::MixedMode})) {
            plan.clearTrackOrder = true;
            plan.add.push_back(kSlotTracks);
        }
        if (job.AudioTrackCount > 0)
            plan.add.push_back(kSlotAudio);
        if (job.DataTrackCount > 0)
            plan.add.push_back(kSlotDataSettings);
    }
    plan.add.push_back(kSlotDestination);
    plan.add.push_back(kSlotProperties);
    return plan;
}

CToDoPageModel::CToDoPageModel(const PageContext& context, IQuickCopyAccess& quickCopy,
                               IFolderQuery& folders, TextById text)
    : m_context(context), m_quickCopy(quickCopy), m_folders(folders), m_text(std::move(text)) {
    m_view.expert = context.buildSettings.EasyCopyMode == 0;
    m_view.editorMode = context.EditorMode();
    m_buttons = context.EditorMode() ? kWizNext : kWizBack | kWizNext;
}

int CToDoPageModel::Activate() {
    const bool editorMode = m_context.EditorMode();
    m_spaceShort = false;
    if (!m_view.expert)
        CheckSpace();
    m_buttons = ToDoButtons(m_view.expert, editorMode, m_spaceShort);
    if (m_refillAllowed && m_initialised)
        Fill();
    return m_buttons;
}

void CToDoPageModel::CheckSpace() {
    CBuildJob& job = m_context.job;
    job.DestinationFile = MakeDefaultImageName(job, NameInputs(), m_folders);
    uint64_t freeBytes = 0;
    const std::string root = PathRoot(job.DestinationFile);
    const bool known = !root.empty() && m_folders.FreeBytes(root, freeBytes);
    const uint64_t freeMB = freeBytes / 1024 / 1024;
    const uint64_t neededMB =
        uint64_t{job.EstimatedDataSizeMB()} + uint64_t{job.EstimatedAudioSizeMB()};
    m_spaceShort = !known || freeMB < neededMB;
}

ImageNameInputs CToDoPageModel::NameInputs() const {
    return {m_view.description, m_context.settings.ImagePath, m_context.EditorMode(),
            m_text(kUnknown)};
}

void CToDoPageModel::Fill() {
    if (m_filled)
        return;
    m_view.presets.clear();
    m_view.selected = -1;
    if (m_context.EditorMode())
        FillForEditor();
    else
        FillFromAnalysis();
    PresetChanged();
    m_filled = true;
}

void CToDoPageModel::FillFromAnalysis() {
    CBuildJob& job = m_context.job;
    if (job.QuickCopyMatchCount == 0)
        m_quickCopy.Find(job, 0);

    const PresetList presets = PresetsForDisc(job.CdType);
    m_view.presets = presets.codes;
    int defaultCode = presets.defaultCode;
    m_view.sourceText = std::string(1, job.SourceDrive) + ":";
    m_view.resultText = m_text(kNoProblems);

    if (job.QuickCopyMatchCount > 0) {
        m_view.presets.push_back(kPresetQuickCopy);
        if (job.QuickCopyInUse)
            defaultCode = kPresetQuickCopy;
        m_quickCopy.Load(job);
        m_view.quickCopyText = job.QuickCopyDisplayName;
    } else {
        m_view.quickCopyText = m_text(kNoQuickCopyFile);
    }

    m_view.label = TrimTrailingSpace(job.Label);
    m_view.labelEnabled = LabelEditable(m_context.buildSettings, job.CdType);
    m_view.description = TrimTrailingSpace(job.Description);
    if (m_view.description.empty()) {
        if (IsAlbumKind(job.CdType)) {
            // The titles were looked up with the analysis; the dialog says why we pause.
            CWorkInfoScope work(m_context.services.workInfo, kLoadingAlbumData);
            m_view.description = FormatText("%s (%s)", {job.Artist, job.AlbumTitle});
        } else {
            m_view.description = m_view.label;
        }
    }
    const auto found = std::find(m_view.presets.begin(), m_view.presets.end(), defaultCode);
    m_view.selected = static_cast<int>(found - m_view.presets.begin());
}

void CToDoPageModel::FillForEditor() {
    CBuildJob& job = m_context.job;
    m_view.presets = {kPresetEditor};
    m_view.selected = 0;
    m_view.sourceText = m_text(kEditorSource);
    m_view.resultText = m_text(kNoAdvancedInfo);
    const auto data = ReadStoreText(m_context.services.store, "ZlxBuildEditorData", 10);
    // The editor says whether its compilation may be renamed here.
    m_view.labelEnabled = data && !data->empty() && (*data)[0] == '1';
    m_view.label = TrimTrailingSpace(job.SourceDiscName);
    m_view.description = job.Description;
    m_view.quickCopyText = m_text(kNoQuickCopyFile);
}

int CToDoPageModel::SelectedCode() const {
    if (m_view.selected < 0 || m_view.selected >= static_cast<int>(m_view.presets.size()))
        return -1;
    return m_view.presets[static_cast<size_t>(m_view.selected)];
}

void CToDoPageModel::ShowQuickCopyText(int code) {
    const CBuildJob& job = m_context.job;
    if (code == kPresetQuickCopy)
        m_view.quickCopyText = job.QuickCopyDisplayName;
    else
        m_view.quickCopyText =
            m_text(job.QuickCopyMatchCount == 0 ? kNoQuickCopyFile : kQuickCopyNotActive);
}

void CToDoPageModel::PresetChanged() {
    const int code = SelectedCode();
    if (code < 0)
        return;
    CBuildJob& job = m_context.job;
    ShowQuickCopyText(code);
    if (code == kPresetQuickCopy) {
        m_quickCopy.Load(job);
    } else {
        job.ApplyPreset(code);
        job.QuickCopySettingsLoaded = 0;
    }
}

void CToDoPageModel::BrowseQuickCopy() {
    CBuildJob& job = m_context.job;
    m_quickCopy.Find(job, 0);
    if (job.QuickCopyMatchCount == 0) {
        m_view.quickCopyText = m_text(kNoQuickCopyFile);
        m_context.Messages().Show(kNoQuickCopyForDisc, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    m_quickCopy.Find(job, 2);
    // Files may have been deleted in the dialog.
    m_quickCopy.Find(job, 0);
    const bool listed = !m_view.presets.empty() && m_view.presets.back() == kPresetQuickCopy;
    if (job.QuickCopyMatchCount > 0) {
        m_quickCopy.Load(job);
        m_view.quickCopyText = job.QuickCopyDisplayName;
        if (!listed)
            m_view.presets.push_back(kPresetQuickCopy);
        m_view.selected = static_cast<int>(m_view.presets.size()) - 1;
        return;
    }
    if (listed)
        m_view.presets.pop_back();
    // The Quick Copy options are gone with the file: the entry now selected gives the
    // job its options, so what the list shows is what will be read.
    m_view.selected = std::min(1, static_cast<int>(m_view.presets.size()) - 1);
    PresetChanged();
    m_view.quickCopyText = m_text(kNoQuickCopyFile);
}

bool CToDoPageModel::StartExplorer() {
    const std::string command = "explorer.exe " + std::string(1, m_context.job.SourceDrive) + ":";
    if (m_context.services.system.RunCommandLine(command) >= 32)
        return true;
    m_context.Messages().Show(kCannotStartExplorer, MsgIcon::Error, MsgButtons::Ok);
    return false;
}

int CToDoPageModel::ToggleExpert() {
    CZlxBuildSettings& settings = m_context.buildSettings;
    settings.EasyCopyMode = m_view.expert ? 0 : 1;
    settings.m_modified = 1;
    settings.Save();
    m_refillAllowed = false;
    Activate();
    m_refillAllowed = true;
    return m_buttons;
}

void CToDoPageModel::StoreValues() {
    CBuildJob& job = m_context.job;
    m_view.label = m_view.label.substr(0, kMaxLabel);
    m_view.description = m_view.description.substr(0, kMaxDescription);
    job.Description = m_view.description;
    if (!m_context.EditorMode())
        job.LabelChanged = m_view.label != TrimTrailingSpace(job.SourceDiscName) ? 1 : 0;
    job.Label = m_view.label;
    job.DestinationFile = MakeDefaultImageName(job, NameInputs(), m_folders);
}

bool CToDoPageModel::Next() {
    CBuildJob& job = m_context.job;
    StoreValues();
    const SlotPlan plan = ToDoNextPlan(job, m_context.EditorMode(), m_view.expert, m_spaceShort);
    if (plan.messageId) {
        m_context.Messages().Show(plan.messageId, MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    if (plan.clearTrackOrder)
        job.TrackOrder.clear();
    for (int slot : plan.remove)
        m_context.slots.RemovePage(slot);
    for (int slot : plan.add)
        m_context.slots.AddPage(slot);
    return true;
}

void CToDoPageModel::Finish() {
    StoreValues();
    if (m_context.startWriter)
        m_context.startWriter();
}
