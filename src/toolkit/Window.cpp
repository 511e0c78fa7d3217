#include "toolkit/Window.h"

#include <vector>

namespace {
std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const int n = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}
} // namespace

std::string CWindow::Text() const {
    return TextOf(m_hWnd);
}

std::string CWindow::ItemText(int id) const {
    return TextOf(Item(id));
}

void CWindow::CenterOver(HWND other) const {
    RECT mine, area;
    GetWindowRect(m_hWnd, &mine);
    if (other && IsWindowVisible(other) && !IsIconic(other))
        GetWindowRect(other, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const int width = mine.right - mine.left, height = mine.bottom - mine.top;
    SetWindowPos(m_hWnd, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
