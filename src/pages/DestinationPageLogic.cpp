#include "pages/DestinationPageLogic.h"

#include "source/CdTypeCode.h"

#include <algorithm>

namespace {
enum TextId {
    kNoName = 154,
    kForbiddenCharacters = 155,
    kFileExists = 156,
    kWriteProtected = 157,
    kHardDiskOnly = 158,
    kNoFileName = 159,
    kSpaceShort = 160,
    kUnknownSize = 175, // "?"
    kMegabytes = 179,   // "%d MB"
};

constexpr CompressionChoice kCompressionTable[kCompressionEntries] = {
    {0, 0}, {1, 0}, {2, 1}, {2, 3}, {2, 6}};
constexpr char kImageExtension[] = ".zl4";

std::string TrimLeft(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first);
}

bool StartsWithOne(const std::optional<std::string>& text) {
    return text && !text->empty() && (*text)[0] == '1';
}

// Images live on drives a user can write files to for good; CDs and RAM disks are not.
bool HoldsImages(DriveKind kind) {
    return kind == DriveKind::Fixed || kind == DriveKind::Removable || kind == DriveKind::Remote;
}
} // namespace

CompressionChoice CompressionForEntry(int index) {
    if (index < 0 || index >= kCompressionEntries)
        return kCompressionTable[0];
    return kCompressionTable[index];
}

int CompressionEntry(int type, int level) {
    // The image format's own coder has no levels: whatever level a job carries, it is that.
    if (type == 1)
        return 1;
    for (int i = 0; i < kCompressionEntries; ++i)
        if (kCompressionTable[i].type == type && kCompressionTable[i].level == level)
            return i;
    return 0;
}

bool CompressionApplies(const CBuildJob& job, bool editorWizard, const std::string& editorData) {
    const uint8_t kind = KindByte(job.CdType);
    // Audio discs whose tracks become sound files: the sound format does the compressing.
    if (job.AudioRecordMode == 1 && (kind == CdKind::Audio || kind == CdKind::CdText))
        return false;
    if (kind == CdKind::MixedMode || kind == CdKind::CdExtra) {
        // Only data tracks are compressed; no order yet means the whole disc.
        const std::vector<int> tracks = job.OrderedTracks();
        return tracks.empty() ||
               std::any_of(tracks.begin(), tracks.end(), [&](int t) { return job.TrackIsData(t); });
    }
    if (!editorWizard)
        return true;
    // The editor says whether its compilation holds data; audio as data tracks counts too.
    return (!editorData.empty() && editorData[0] == '1') || job.AudioRecordMode == 2;
}

std::string DestinationRoot(const std::string& path, const std::string& currentFolder) {
    std::string trimmed = TrimLeft(path);
    // "C:/..." names the same drive as "C:\...".
    if (trimmed.size() >= 3 && trimmed[1] == ':' && trimmed[2] == '/')
        trimmed[2] = '\\';
    const std::string root = PathRoot(trimmed);
    return root.empty() ? PathRoot(currentFolder + "\\") : root;
}

std::string FileNamePart(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CompleteImageName(const std::string& path) {
    const std::string name = FileNamePart(path);
    if (name.empty() || name.find('.') != std::string::npos)
        return path;
    return path + kImageExtension;
}

std::string PathInOwnFolder(const std::string& path) {
    const size_t dot = path.rfind('.');
    const std::string folder = dot == std::string::npos ? path : path.substr(0, dot);
    return folder + "\\" + FileNamePart(path);
}

BrowseStart BrowseStartOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

CDestinationPageModel::CDestinationPageModel(const PageContext& context, IFolderQuery& folders,
                                             IDriveQuery& drives, TextById text)
    : m_context(context), m_folders(folders), m_drives(drives), m_text(std::move(text)) {}

void CDestinationPageModel::Initialise() {
    IEnvStore& store = m_context.services.store;
    m_view.viewIndex = 0;
    if (StartsWithOne(ReadStoreText(store, "ZlxDisabelUseOfLoacalImages", 260))) {
        m_view.viewIndex = 1;
        return;
    }
    // The network view needs the shared configuration the network folder holds.
    const auto netFolder = ReadStoreText(store, "ZlxConfigPathNet", 260);
    if (netFolder && !netFolder->empty() &&
        m_context.services.system.FileExists(*netFolder + "zlximg.dat"))
        m_view.viewIndex = m_context.job.InsertIntoNet ? 1 : 0;
}

int CDestinationPageModel::Activate() {
    const CBuildJob& job = m_context.job;
    m_buttons = Last() ? kWizBack | kWizFinish : kWizBack | kWizNext;
    const auto editorData = ReadStoreText(m_context.services.store, "ZlxBuildEditorData", 10);
    m_view.compressionShown =
        CompressionApplies(job, m_context.editorWizard, editorData.value_or(std::string()));
    m_view.path = job.DestinationFile;
    m_view.ownFolder = job.AutoCreateFolder != 0;
    RefreshSizes();
    m_view.compression = CompressionEntry(job.CompressionType, job.CompressionLevel);
    return m_buttons;
}

void CDestinationPageModel::PathChanged() {
    m_context.job.DestinationFile = m_view.path;
    RefreshSizes();
}

void CDestinationPageModel::Browsed(const std::string& chosen) {
    m_view.path = CompleteImageName(chosen);
    PathChanged();
}

void CDestinationPageModel::OwnFolderChanged() {
    m_context.job.AutoCreateFolder = m_view.ownFolder ? 1 : 0;
}

void CDestinationPageModel::CompressionChanged() {
    const CompressionChoice choice = CompressionForEntry(m_view.compression);
    m_context.job.CompressionType = choice.type;
    m_context.job.CompressionLevel = choice.level;
    RefreshSizes();
}

std::string CDestinationPageModel::Root(const std::string& path) {
    return DestinationRoot(path, m_folders.CurrentDirectory());
}

std::string CDestinationPageModel::SizeText(uint64_t megabytes) const {
    return megabytes ? MegabyteText(m_text(kMegabytes), megabytes) : m_text(kUnknownSize);
}

void CDestinationPageModel::RefreshSizes() {
    const CBuildJob& job = m_context.job;
    uint64_t totalBytes = 0, freeBytes = 0;
    if (!m_drives.Space(Root(job.DestinationFile), totalBytes, freeBytes))
        totalBytes = freeBytes = 0;
    m_view.totalMB = totalBytes / 1024 / 1024;
    m_view.freeMB = freeBytes / 1024 / 1024;
    m_view.neededMB = uint64_t{job.EstimatedDataSizeMB()} + job.EstimatedAudioSizeMB();
    m_view.freeText = SizeText(m_view.freeMB);
    m_view.neededText = SizeText(m_view.neededMB);
    m_view.neededRed = m_view.neededMB > m_view.freeMB;
}

bool CDestinationPageModel::Refused(int messageId, MsgIcon icon) {
    m_context.Messages().Show(messageId, icon, MsgButtons::Ok);
    return false;
}

bool CDestinationPageModel::Declined(int messageId, MsgIcon icon, const std::string& argument) {
    return m_context.Messages().Show(messageId, icon, MsgButtons::YesNo, argument) != kAnswerYes;
}

// Every check in turn; the first that fails keeps the user on the page. The job keeps the
// path as typed (with the extension added); the checks work on the path made absolute.
bool CDestinationPageModel::Validate() {
    CBuildJob& job = m_context.job;
    job.InsertIntoNet = m_view.viewIndex != 0 ? 1 : 0;

    m_view.path = TrimTrailingSpace(m_view.path);
    job.DestinationFile = m_view.path;
    if (m_view.path.empty())
        return Refused(kNoName, MsgIcon::Information);
    if (m_view.path.find_first_of("/*?<>") != std::string::npos)
        return Refused(kForbiddenCharacters, MsgIcon::Error);
    if (FileNamePart(m_view.path).empty())
        return Refused(kNoFileName, MsgIcon::Information);
    m_view.path = CompleteImageName(m_view.path);
    job.DestinationFile = m_view.path;

    std::string checked = TrimLeft(m_view.path);
    if (checked.find_first_of("\\:") == std::string::npos)
        checked = m_folders.CurrentDirectory() + "\\" + checked;
    // Network paths ("\\server\share\...") are taken as they are.
    if (checked[0] != '\\' && !HoldsImages(m_drives.Kind(checked.substr(0, 3))))
        return Refused(kHardDiskOnly, MsgIcon::Information);

    const std::string root = Root(job.DestinationFile);
    uint64_t totalBytes = 0, freeBytes = 0;
    if (!m_drives.Space(root, totalBytes, freeBytes))
        freeBytes = 0;
    const uint64_t neededMB = uint64_t{job.EstimatedDataSizeMB()} + job.EstimatedAudioSizeMB();
    if (neededMB >= freeBytes / 1024 / 1024 && Declined(kSpaceShort, MsgIcon::Information))
        return false;
    if (!m_drives.CanWrite(root))
        return Refused(kWriteProtected, MsgIcon::Information);

    const std::string final = m_view.ownFolder ? PathInOwnFolder(checked) : checked;
    if (m_context.services.system.FileExists(final) &&
        Declined(kFileExists, MsgIcon::Question, final))
        return false;
    return true;
}

bool CDestinationPageModel::Finish() {
    if (!Validate())
        return false;
    if (m_context.startWriter)
        m_context.startWriter();
    return true;
}
