#include "pages/PageDataSettings.h"

#include "res/page_datasettings_ids.h"
#include "toolkit/DataExchange.h"
#include "toolkit/ResourceModule.h"

#include <commctrl.h>

namespace {
enum TipId {
    kTipFastRead = 233,
    kTipFastErrorSkip = 235,
    kTipRaw = 236,
    kTipSubChannel = 237,
    kTipRepeatReads = 238,
    kTipReadSpeed = 239,
    kTipDynamic = 256,
    kTipErrorSpeed = 309,
    kTipSkipRange = 310,
    kTipQuickCopy = 311,
};

void FillCombo(HWND combo, const std::vector<std::string>& entries) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}
} // namespace

CPageDataSettings::CPageDataSettings(const PageContext& context)
    : CTTPage(context, IDD_PAGE_DATASETTINGS, 272, 273), m_model(context, LoadResourceString) {}

BOOL CPageDataSettings::OnInitDialog() {
    CTTPage::OnInitDialog();
    std::vector<std::string> repeats;
    for (int count = 1; count <= CDataSettingsPageModel::kRepeatChoices; ++count)
        repeats.push_back(std::to_string(count) + " x");
    FillCombo(Item(IDC_DATA_REPEAT_READS), repeats);
    CDataExchange dx(*this, false);
    dx.UpDownRange(IDC_DATA_SKIP_SPIN, CDataSettingsPageModel::kMinSkipRange,
                   CDataSettingsPageModel::kMaxSkipRange);
    const int headings[] = {IDC_DATA_HEAD_CREATE, IDC_DATA_HEAD_DRIVE, IDC_DATA_HEAD_DYNAMIC,
                            IDC_DATA_HEAD_INFO};
    for (size_t i = 0; i < m_headings.size(); ++i)
        m_headings[i].SubclassDlgItem(headings[i], m_hWnd);
    AddTip(IDC_DATA_FAST_READ, kTipFastRead);
    AddTip(IDC_DATA_FAST_ERROR_SKIP, kTipFastErrorSkip);
    AddTip(IDC_DATA_RAW, kTipRaw);
    AddTip(IDC_DATA_SUBCHANNEL, kTipSubChannel);
    AddTip(IDC_DATA_REPEAT_READS, kTipRepeatReads);
    AddTip(IDC_DATA_READ_SPEED, kTipReadSpeed);
    AddTip(IDC_DATA_DYNAMIC, kTipDynamic);
    AddTip(IDC_DATA_ERROR_SPEED, kTipErrorSpeed);
    AddTip(IDC_DATA_SKIP_RANGE, kTipSkipRange);
    AddTip(IDC_DATA_SKIP_SPIN, kTipSkipRange);
    AddTip(IDC_DATA_QUICKCOPY, kTipQuickCopy);
    m_initialised = true;
    return TRUE;
}

bool CPageDataSettings::OnSetActive() {
    // Other pages may have changed the presets, the track layout or the audio mode.
    m_model.Activate();
    WriteControls();
    return CTTPage::OnSetActive();
}

int CPageDataSettings::OnWizardNext() {
    if (!DataExchange(true))
        return kStay;
    m_model.Next();
    WriteControls();
    return kGoOn;
}

bool CPageDataSettings::OnCommand(int id, int code, HWND) {
    if (id == IDC_DATA_SKIP_RANGE) {
        if (code != EN_CHANGE)
            return false;
        if (m_initialised && !m_writing)
            SkipRangeEdited();
        return true;
    }
    const bool speedList = id == IDC_DATA_READ_SPEED || id == IDC_DATA_ERROR_SPEED;
    if (speedList ? code != CBN_SELCHANGE : code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_DATA_RAW:
        DataExchange(true);
        m_model.RawClicked();
        break;
    case IDC_DATA_SUBCHANNEL:
        DataExchange(true);
        m_model.SubChannelClicked();
        break;
    case IDC_DATA_QUICKCOPY:
        DataExchange(true);
        m_model.QuickCopyClicked();
        break;
    case IDC_DATA_FAST_READ:
    case IDC_DATA_FAST_ERROR_SKIP:
    case IDC_DATA_DYNAMIC:
    case IDC_DATA_READ_SPEED:
    case IDC_DATA_ERROR_SPEED:
        DataExchange(true);
        m_model.StoreValues();
        break;
    default:
        return false;
    }
    WriteControls();
    return true;
}

// Every keystroke reaches the job once the text is a valid count; a half-typed or empty
// entry waits for the next one, and Next reports it if it stays wrong.
void CPageDataSettings::SkipRangeEdited() {
    Exchange(true, false);
    int value = 0;
    if (!ParseInt(ItemText(IDC_DATA_SKIP_RANGE), value) ||
        value < CDataSettingsPageModel::kMinSkipRange ||
        value > CDataSettingsPageModel::kMaxSkipRange)
        return;
    m_model.View().skipRange = value;
    m_model.StoreValues();
    WriteControls();
}

bool CPageDataSettings::DataExchange(bool save) {
    return Exchange(save, true);
}

bool CPageDataSettings::Exchange(bool save, bool checkSkipRange) {
    DataSettingsView& view = m_model.View();
    m_writing = !save;
    if (!save)
        ShowSpeeds();
    CDataExchange dx(*this, save, &m_context.Messages());
    const std::pair<int, bool*> checks[] = {{IDC_DATA_FAST_READ, &view.fastRead},
                                            {IDC_DATA_FAST_ERROR_SKIP, &view.fastErrorSkip},
                                            {IDC_DATA_RAW, &view.raw},
                                            {IDC_DATA_SUBCHANNEL, &view.subChannel},
                                            {IDC_DATA_DYNAMIC, &view.dynamic},
                                            {IDC_DATA_QUICKCOPY, &view.quickCopy}};
    for (const auto& [id, flag] : checks) {
        int value = *flag ? 1 : 0;
        dx.Check(id, value);
        *flag = value != 0;
    }
    dx.ComboIndex(IDC_DATA_REPEAT_READS, view.repeatReads);
    dx.ComboIndex(IDC_DATA_READ_SPEED, view.readSpeed);
    dx.ComboIndex(IDC_DATA_ERROR_SPEED, view.errorSpeed);
    // Last, as a failed check ends the pass. While the user types, SkipRangeEdited reads
    // it; rewriting the same number would put the caret back to the start.
    const bool typing = save && !checkSkipRange;
    int shown = 0;
    const bool unchanged =
        !save && ParseInt(ItemText(IDC_DATA_SKIP_RANGE), shown) && shown == view.skipRange;
    if (!typing && !unchanged)
        dx.Int(IDC_DATA_SKIP_RANGE, view.skipRange, CDataSettingsPageModel::kMinSkipRange,
               CDataSettingsPageModel::kMaxSkipRange);
    if (!save) {
        EnableItem(IDC_DATA_RAW, view.rawEnabled);
        EnableItem(IDC_DATA_SUBCHANNEL, view.subChannelEnabled);
        EnableItem(IDC_DATA_ERROR_SPEED, view.errorSpeedEnabled);
        EnableItem(IDC_DATA_QUICKCOPY, view.quickCopyEnabled);
    }
    m_writing = false;
    return dx.Ok();
}

// Both lists hold the drive's speeds; they are rebuilt only when those changed, so a
// selection survives a rewrite.
void CPageDataSettings::ShowSpeeds() {
    const std::vector<std::string>& speeds = m_model.View().speeds;
    if (speeds == m_shownSpeeds)
        return;
    FillCombo(Item(IDC_DATA_READ_SPEED), speeds);
    FillCombo(Item(IDC_DATA_ERROR_SPEED), speeds);
    m_shownSpeeds = speeds;
}
