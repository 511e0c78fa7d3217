#include "controls/DialogHeaderCtrl.h"

#include "controls/DcTextCanvas.h"
#include "res/controls_ids.h"
#include "toolkit/ResourceModule.h"

namespace {
Font HeaderFont(int weight) {
    return Font(CreateFontA(13, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

// The subtitle starts this far below the title's top.
constexpr int kSubtitleOffset = 11;
// The title starts this far right of the icon area.
constexpr int kTitleIndent = 2;

void Draw3dRect(HDC dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    FillSolidRect(dc, {x, y, x + cx - 1, y + 1}, topLeft);
    FillSolidRect(dc, {x, y, x + 1, y + cy - 1}, topLeft);
    FillSolidRect(dc, {x + cx - 1, y, x + cx, y + cy}, bottomRight);
    FillSolidRect(dc, {x, y + cy - 1, x + cx, y + cy}, bottomRight);
}
} // namespace

CDialogHeaderCtrl::CDialogHeaderCtrl()
    : m_titleFont(HeaderFont(FW_BOLD)), m_subtitleFont(HeaderFont(FW_NORMAL)) {
    m_paragraph.SetAlignment(ParagraphAlignment::Left);
}

CDialogHeaderCtrl::~CDialogHeaderCtrl() {
    if (m_icon)
        DestroyIcon(m_icon);
}

void CDialogHeaderCtrl::SetTitle(const std::string& text) {
    m_title = text;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CDialogHeaderCtrl::SetSubtitle(const std::string& text) {
    m_subtitle = text;
    m_paragraph.SetText(text);
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CDialogHeaderCtrl::SetIcon(int resourceId) {
    if (m_icon)
        DestroyIcon(m_icon);
    m_icon = nullptr;
    if (resourceId)
        m_icon = static_cast<HICON>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(resourceId),
                                               IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CDialogHeaderCtrl::PlaceSubtitle(const RECT& r) const {
    m_paragraph.SetPosition(r.left + m_iconArea, r.top + m_topMargin + kSubtitleOffset);
    m_paragraph.SetWidth(r.right - m_iconArea - r.left - 1);
    m_paragraph.SetHeight(r.bottom - r.top - m_topMargin);
}

std::vector<WrittenText> CDialogHeaderCtrl::SubtitleLines() const {
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    PlaceSubtitle(client);
    WindowDc screen(nullptr);
    MemoryDc dc(screen);
    SelectScope font(dc, m_subtitleFont);
    CDcTextCanvas measure(dc);
    CTextRecorder recorder(measure);
    m_paragraph.Draw(recorder);
    return recorder.Written();
}

void CDialogHeaderCtrl::Paint(HDC dc) {
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    const int width = r.right - r.left + 2, height = r.bottom - r.top;
    // The frame's light edges run off the right and are covered by the fill below: only
    // the shadow line along the bottom stays, separating the band from the dialog.
    Draw3dRect(dc, r.left, r.top, width, height, GetSysColor(COLOR_BTNHIGHLIGHT),
               GetSysColor(COLOR_BTNSHADOW));
    FillSolidRect(dc, {r.left, r.top, r.left + width, r.top + height - 1},
                  GetSysColor(COLOR_WINDOW));
    if (m_icon)
        DrawIconEx(dc, m_topMargin, m_topMargin, m_icon, 0, 0, 0, nullptr, DI_NORMAL);

    SavedDc saved(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    {
        SelectScope font(dc, m_titleFont);
        TextOutA(dc, r.left + m_iconArea + kTitleIndent, r.top + m_topMargin, m_title.c_str(),
                 static_cast<int>(m_title.size()));
    }
    SelectScope font(dc, m_subtitleFont);
    PlaceSubtitle(r);
    CDcTextCanvas canvas(dc);
    m_paragraph.Draw(canvas);
}

bool CDialogHeaderCtrl::Bind(HWND dialog, int titleStringId, int subtitleStringId, int iconId) {
    if (!SubclassDlgItem(IDC_DIALOG_HEADER, dialog))
        return false;
    SetTitle(LoadResourceString(titleStringId));
    SetSubtitle(LoadResourceString(subtitleStringId));
    SetIcon(iconId);
    return true;
}
