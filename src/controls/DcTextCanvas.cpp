#include "controls/DcTextCanvas.h"

TextSize CDcTextCanvas::Measure(const std::string& text) {
    SIZE size = {};
    GetTextExtentPoint32A(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
        // An empty text still has the height of a line.
        TEXTMETRICA metrics = {};
        GetTextMetricsA(m_dc, &metrics);
        size.cy = metrics.tmHeight;
    }
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

void CDcTextCanvas::Write(int x, int y, const std::string& text) {
    TextOutA(m_dc, x, y, text.c_str(), static_cast<int>(text.size()));
}
