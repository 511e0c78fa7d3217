#include "pages/TracksPageLogic.h"

#include "app/FileNames.h"
#include "app/Texts.h"
#include "discinfo/TitleLookup.h"
#include "source/CdTypeCode.h"
#include "source/DiscLayout.h"

#include <algorithm>
#include <cstdio>

namespace {
enum TextId {
    kCdExtraNeedsAllAudio = 103,
    kDataTrackFixed = 104,
    kDataTrackTitle = 139,
};
// Both bits together: the user changed the disc's data in the service's dialog.
constexpr int kDiscDataChanged = 0x100 | 0x400;
constexpr int kViewMode = 1;
constexpr int kEditMode = 2;
constexpr int kMaxTitles = 99;

bool Active(const TrackRow& row) {
    return row.active != 0;
}
} // namespace

int TrackRow::Image() const {
    if (data)
        return Active(*this) ? kImageActiveData : kImageBlockedData;
    return Active(*this) ? kImageActiveAudio : kImageBlockedAudio;
}

std::string TrackTimeText(const CBuildJob& job, int track) {
    const int seconds = std::max(0, TrackSeconds(job, track));
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60,
                  seconds % 60);
    return text;
}

CTracksPageModel::CTracksPageModel(const PageContext& context, TextById text)
    : m_context(context), m_text(std::move(text)) {}

void CTracksPageModel::Initialise(void* window) {
    m_view.menu.visible = !DiscInfoServiceDisabled(m_context.services.store);
    CZlxSettings& settings = m_context.settings;
    if (settings.UseDiscInfoService) {
        m_context.services.discInfo.Init(window);
        settings.UseDiscInfoService = 1;
        settings.m_modified = 1;
    }
    m_initialised = true;
}

void CTracksPageModel::Activate(void* window) {
    if (!m_initialised)
        return;
    if (m_context.settings.UseDiscInfoService)
        m_context.services.discInfo.Init(window);
    // A track order means the rows hold the user's choices (coming back from a later page);
    // the copy method page empties it whenever the disc or the copy method may have changed.
    if (m_context.job.TrackOrder.empty() || m_view.rows.empty())
        FillList();
    UpdateDiscMenu();
    UpdateButtons();
}

void CTracksPageModel::SelectionChanged() {
    std::vector<int>& selected = m_view.selected;
    const int count = static_cast<int>(m_view.rows.size());
    selected.erase(std::remove_if(selected.begin(), selected.end(),
                                  [count](int row) { return row < 0 || row >= count; }),
                   selected.end());
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    m_view.focused = -1;
    if (!selected.empty())
        m_view.toggleImage = m_view.rows[static_cast<size_t>(selected.front())].Image();
    UpdateButtons();
}

void CTracksPageModel::FillList() {
    CBuildJob& job = m_context.job;
    m_view.rows.clear();
    m_view.selected.clear();
    m_view.focused = -1;
    const int count = TrackCount(job);
    // Leaving out a CD Extra's data track is a setting: the copy starts without it.
    const bool omitData = IsCdExtra() && m_context.buildSettings.OmitCdExtraDataTrack != 0;
    for (int i = 0; i < count; ++i)
        m_view.rows.push_back(MakeRow(i, omitData && i == count - 1));
    if (omitData && !m_view.rows.empty() && m_view.rows.back().data) {
        job.UnchangedDisc = 0;
        RebuildTrackOrder();
    }
    m_view.toggleImage =
        !m_view.rows.empty() && m_view.rows.front().data ? kImageActiveData : kImageActiveAudio;
}

TrackRow CTracksPageModel::MakeRow(int index, bool startsBlocked) const {
    const CBuildJob& job = m_context.job;
    TrackRow row;
    row.track = index + 1;
    row.data = job.TrackIsData(row.track);
    row.active = startsBlocked && row.data ? 0 : 1;
    row.title = TitleOf(row);
    row.time = TrackTimeText(job, row.track);
    row.number = TwoDigits(row.track);
    row.session = std::to_string(SessionOfTrack(job, index));
    return row;
}

std::string CTracksPageModel::TitleOf(const TrackRow& row) const {
    if (row.data)
        return m_text(kDataTrackTitle);
    const auto& titles = m_context.job.TrackTitles;
    const size_t index = static_cast<size_t>(row.track - 1);
    return row.track >= 1 && index < titles.size() ? titles[index] : std::string();
}

void CTracksPageModel::RefreshTitles() {
    for (TrackRow& row : m_view.rows)
        row.title = TitleOf(row);
}

void CTracksPageModel::RebuildTrackOrder() {
    std::string order;
    for (const TrackRow& row : m_view.rows)
        if (Active(row))
            order += TwoDigits(row.track);
    m_context.job.TrackOrder = order;
}

void CTracksPageModel::UpdateButtons() {
    TrackButtons& b = m_view.buttons;
    const std::vector<int>& selected = m_view.selected;
    if (selected.size() > 1) {
        // Moving and naming work on one track; blocking works on each selected one.
        b = TrackButtons{};
        b.toggle = true;
        return;
    }
    const int s = FirstSelected();
    const int last = static_cast<int>(m_view.rows.size()) - 1;
    b.toTop = b.up = s > 0;
    b.down = b.toEnd = s >= 0 && s < last;
    b.toggle = s >= 0;
    b.edit = s >= 0 && !m_view.rows[static_cast<size_t>(s)].data;
}

void CTracksPageModel::UpdateDiscMenu() {
    const uint8_t kind = KindByte(m_context.job.CdType);
    DiscMenuState& menu = m_view.menu;
    menu.enabled = m_context.settings.UseDiscInfoService != 0 &&
                   (kind == CdKind::Audio || kind == CdKind::CdExtra || kind == CdKind::CdText);
    const bool found = m_context.job.AlbumInfoFound != 0;
    menu.submitGreyed = found;
    menu.showGreyed = !found;
}

int CTracksPageModel::FirstSelected() const {
    if (m_view.selected.empty())
        return -1;
    const int s = m_view.selected.front();
    return s >= 0 && s < static_cast<int>(m_view.rows.size()) ? s : -1;
}

bool CTracksPageModel::IsCdExtra() const {
    return KindByte(m_context.job.CdType) == CdKind::CdExtra;
}

bool CTracksPageModel::IsMixedMode() const {
    return KindByte(m_context.job.CdType) == CdKind::MixedMode;
}

// A Mixed Mode CD's data track leads the disc and a CD Extra's closes it in its own
// session; neither can be written anywhere else.
int CTracksPageModel::FixedDataRow() const {
    const auto& rows = m_view.rows;
    if (rows.empty())
        return -1;
    if (IsMixedMode() && rows.front().data)
        return 0;
    if (IsCdExtra() && rows.back().data)
        return static_cast<int>(rows.size()) - 1;
    return -1;
}

void CTracksPageModel::MoveToTop() {
    MoveSelectedTo(FixedDataRow() == 0 ? 1 : 0);
}

void CTracksPageModel::MoveUp() {
    MoveSelectedTo(FirstSelected() - 1);
}

void CTracksPageModel::MoveDown() {
    const int s = FirstSelected();
    MoveSelectedTo(s < 0 ? -1 : s + 1);
}

void CTracksPageModel::MoveToEnd() {
    const int last = static_cast<int>(m_view.rows.size()) - 1;
    MoveSelectedTo(IsCdExtra() && FixedDataRow() == last ? last - 1 : last);
}

void CTracksPageModel::MoveSelectedTo(int target) {
    const int s = FirstSelected();
    if (s < 0)
        return;
    const int fixed = FixedDataRow();
    if (s == fixed) {
        m_context.Messages().Show(kDataTrackFixed, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    const int count = static_cast<int>(m_view.rows.size());
    if (target < 0 || target >= count || target == s || target == fixed)
        return;
    auto& rows = m_view.rows;
    const TrackRow moved = rows[static_cast<size_t>(s)];
    rows.erase(rows.begin() + s);
    rows.insert(rows.begin() + target, moved);
    m_view.selected = {target};
    m_view.focused = target;
    RebuildTrackOrder();
    UpdateButtons();
}

void CTracksPageModel::ToggleActive() {
    auto& rows = m_view.rows;
    const int dataRow = IsCdExtra() ? FixedDataRow() : -1;
    auto audioBlocked = [&] {
        return std::any_of(rows.begin(), rows.begin() + std::max(dataRow, 0),
                           [](const TrackRow& row) { return !Active(row); });
    };
    for (int r : m_view.selected) {
        if (r < 0 || r >= static_cast<int>(rows.size()))
            continue;
        TrackRow& row = rows[static_cast<size_t>(r)];
        // A CD Extra's data session only makes sense on top of the whole audio session.
        if (r == dataRow && !Active(row) && audioBlocked()) {
            m_context.Messages().Show(kCdExtraNeedsAllAudio, MsgIcon::Information, MsgButtons::Ok);
            continue;
        }
        row.active = Active(row) ? 0 : 1;
    }
    // For the same reason, blocking an audio track blocks the data track with it.
    if (dataRow >= 0 && Active(rows[static_cast<size_t>(dataRow)]) && audioBlocked())
        rows[static_cast<size_t>(dataRow)].active = 0;
    if (FirstSelected() >= 0)
        m_view.toggleImage = rows[static_cast<size_t>(FirstSelected())].Image();
    RebuildTrackOrder();
    UpdateButtons();
}

void CTracksPageModel::EditTitle(const TitleEditor& editor) {
    const int s = FirstSelected();
    if (s < 0 || m_view.rows[static_cast<size_t>(s)].data)
        return;
    const int track = m_view.rows[static_cast<size_t>(s)].track;
    const auto& titles = m_context.job.TrackTitles;
    std::string title = static_cast<size_t>(track - 1) < titles.size()
                            ? titles[static_cast<size_t>(track - 1)]
                            : "";
    editor(std::to_string(track).substr(0, kMaxNumberDigits), title);
    // Cancel hands the title back as it was; storing it again changes nothing.
    SetTrackTitle(track - 1, title);
    RefreshTitles();
}

bool CTracksPageModel::CanEditInPlace(int row) const {
    // Only audio tracks carry titles into the image.
    return row >= 0 && row < static_cast<int>(m_view.rows.size()) &&
           !m_view.rows[static_cast<size_t>(row)].data;
}

bool CTracksPageModel::EndInPlaceEdit(int row, const std::string& text, size_t bufferLength) {
    if (!CanEditInPlace(row))
        return false;
    const std::string title = TrimTrailingSpace(text);
    if (title.empty())
        return false;
    TrackRow& shown = m_view.rows[static_cast<size_t>(row)];
    SetTrackTitle(shown.track - 1, title);
    shown.title = TitleOf(shown);
    if (bufferLength > 0 && shown.title.size() >= bufferLength)
        shown.title.resize(bufferLength - 1);
    return true;
}

void CTracksPageModel::SetTrackTitle(int index, const std::string& text) {
    if (index < 0 || index >= kMaxTitles)
        return;
    auto& titles = m_context.job.TrackTitles;
    if (titles.size() <= static_cast<size_t>(index))
        titles.resize(static_cast<size_t>(index) + 1);
    titles[static_cast<size_t>(index)] = CleanFileName(text);
}

void CTracksPageModel::MenuCommand(DiscInfoCommand command, void* window) {
    const DiscMenuState& menu = m_view.menu;
    const bool greyed = (command == kDiscInfoSubmit && menu.submitGreyed) ||
                        ((command == kDiscInfoShow || command == kDiscInfoEdit) && menu.showGreyed);
    if (!menu.visible || !menu.enabled || greyed)
        return;
    IDiscInfoLibrary& library = m_context.services.discInfo;
    switch (command) {
    case kDiscInfoAbout:
        library.InvokeAboutDlg();
        break;
    case kDiscInfoShow:
        ShowDiscInfo(kViewMode, window);
        break;
    case kDiscInfoEdit:
        ShowDiscInfo(kEditMode, window);
        break;
    case kDiscInfoSubmit: {
        char drive[8];
        std::snprintf(drive, sizeof drive, "%c:", m_context.job.SourceDrive & 0xDF);
        library.InvokeSubmitDisc(drive);
        break;
    }
    case kDiscInfoBrowser:
        library.ShowInfoBrowser(window);
        break;
    case kDiscInfoOptions:
        library.InvokeOptionsDialog();
        break;
    }
}

void CTracksPageModel::ShowDiscInfo(int mode, void* window) {
    IDiscInfoLibrary& library = m_context.services.discInfo;
    const int flags = library.DisplayDiskInfo(mode);
    if (mode == kViewMode || library.IsLocked() != 0)
        return;
    if ((flags & kDiscDataChanged) == kDiscDataChanged) {
        library.SubmitDisc();
        CBuildJob& job = m_context.job;
        // The lookup appends its titles to the info text; they replace the earlier ones.
        job.InfoText.clear();
        job.LookupTitles(TitleLookupContext{library, m_context.services.store, m_context.settings,
                                            m_context.buildSettings, m_text},
                         window);
        RefreshTitles();
    }
    UpdateDiscMenu();
}

void CTracksPageModel::Next() {
    CBuildJob& job = m_context.job;
    bool unchanged = true;
    std::string info;
    int line = 1;
    const bool withTitles = m_context.buildSettings.AddTitlesToInfoText != 0;
    const auto& rows = m_view.rows;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].track != static_cast<int>(r) + 1 || !Active(rows[r]))
            unchanged = false;
        if (withTitles && Active(rows[r]))
            info += TwoDigits(line++) + " " + rows[r].title + "\r\n";
    }
    job.InfoText = info;
    job.UnchangedDisc = unchanged ? 1 : 0;
    if (unchanged)
        job.TrackOrder.clear();
    else
        job.ReadSubChannel = 0; // the sub-channel follows the disc's own layout only
}
