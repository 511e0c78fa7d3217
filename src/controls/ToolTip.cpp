#include "controls/ToolTip.h"

#include <commctrl.h>

namespace {
// Wide enough for the longest line of the tip texts; texts break only at their "\n".
constexpr int kMaxTipWidth = 400;
} // namespace

CToolTip::~CToolTip() {
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
}

bool CToolTip::Create(HWND parent) {
    if (m_hWnd)
        return false;
    m_hWnd = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!m_hWnd)
        return false;
    SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kAutoPopMilliseconds, 0));
    return true;
}

bool CToolTip::AddTool(HWND control, const std::string& text) {
    if (!m_hWnd || !control)
        return false;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE; // understood by every version of the control
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text.c_str()); // copied by the control
    return SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

void CToolTip::RelayEvent(MSG* message) const {
    if (m_hWnd && message)
        SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
}
