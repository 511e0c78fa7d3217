#include "controls/PieChartCtrl.h"

#include "controls/DiskSpaceSlices.h"
#include "toolkit/ResourceModule.h"

const char kPieChartClass[] = "PIE_CHART_CTRL";

namespace {
// Global, so templates of any module can place the chart. Registering twice is harmless.
void RegisterPieChartClass() {
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = kPieChartClass;
    RegisterClassA(&wc);
}

RECT ToRect(const PieRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Mouse positions are signed: left of or above the window while captured.
POINT MousePoint(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
} // namespace

CPieChartPiece::CPieChartPiece(COLORREF fill, COLORREF text, int degrees, std::string label)
    : m_fill(fill), m_text(text), m_brush(CreateSolidBrush(fill)), m_degrees(degrees),
      m_label(std::move(label)) {}

CPieChartCtrl::CPieChartCtrl()
    : m_font(CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_SWISS, "Arial")) {
    RegisterPieChartClass();
}

bool CPieChartCtrl::Create(HWND parent, const RECT& rect, int id) {
    HWND window = CreateWindowExA(0, kPieChartClass, "", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return false;
    if (Subclass(window))
        return true;
    DestroyWindow(window);
    return false;
}

int CPieChartCtrl::AddPiece(COLORREF fill, COLORREF text, int degrees, const std::string& label) {
    m_pieces.push_back(std::make_unique<CPieChartPiece>(fill, text, degrees, label));
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

void CPieChartCtrl::RemoveAllPieces() {
    m_pieces.clear();
    // A cleared chart must not go on showing the old slices.
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPieChartCtrl::SetValues(uint64_t totalMB, uint64_t freeMB, uint64_t neededMB) {
    RemoveAllPieces();
    for (const DiskSpaceSlice& slice : DiskSpaceSlices(totalMB, freeMB, neededMB))
        AddPiece(slice.colour, RGB(255, 255, 255), slice.degrees,
                 LoadResourceString(slice.labelId));
}

void CPieChartCtrl::Layout() {
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    m_pie = PieSquare({client.left, client.top, client.right, client.bottom});
}

PieRect CPieChartCtrl::PieArea() {
    if (m_pie.Empty())
        Layout();
    return m_pie;
}

void CPieChartCtrl::DrawLegendRow(HDC dc, const RECT& client, const CPieChartPiece& piece,
                                  int row) const {
    SIZE text = {};
    GetTextExtentPoint32A(dc, piece.Label().c_str(), static_cast<int>(piece.Label().size()), &text);
    const int h = text.cy;
    RECT box = {client.right - h, client.top + h * row, client.right, client.top + h * (row + 1)};
    FillRect(dc, &box, piece.FillBrush());
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    RECT label = {client.left, box.top, box.left - 3, box.bottom};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, piece.Label().c_str(), static_cast<int>(piece.Label().size()), &label,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CPieChartCtrl::Paint(HDC target) {
    RECT client = {};
    GetClientRect(m_hWnd, &client);
    const PieRect pie = PieArea();
    const RECT pieRect = ToRect(pie);

    // Drawn off screen and copied in one go, so turning the pie does not flicker.
    MemoryDc dc(target);
    Bitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
    SelectScope bitmapIn(dc, bitmap);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    Brush disc(CreateSolidBrush(m_discColour));
    Pen outline(CreatePen(PS_SOLID, 1, m_outlineColour));
    {
        SelectScope noPen(dc, GetStockObject(NULL_PEN));
        SelectScope discBrush(dc, disc);
        Ellipse(dc, pieRect.left, pieRect.top, pieRect.right, pieRect.bottom);
    }

    std::vector<PieSliceInput> inputs;
    for (const auto& piece : m_pieces)
        inputs.push_back({piece->Degrees(), !piece->Label().empty()});
    const std::vector<PieSlicePlan> plan = PlanPie(pie, m_rotation, inputs);
    const POINT centre = {(pie.left + pie.right) / 2, (pie.top + pie.bottom) / 2};

    SelectScope font(dc, m_font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < plan.size(); ++i) {
        const PieSlicePlan& slice = plan[i];
        const CPieChartPiece& piece = *m_pieces[i];
        if (slice.segment) {
            // Pie runs counter-clockwise from its first radial to its second.
            SelectScope noPen(dc, GetStockObject(NULL_PEN));
            SelectScope brush(dc, piece.FillBrush());
            Pie(dc, pieRect.left, pieRect.top, pieRect.right, pieRect.bottom, slice.to.x,
                slice.to.y, slice.from.x, slice.from.y);
        }
        {
            SelectScope pen(dc, outline);
            MoveToEx(dc, slice.from.x, slice.from.y, nullptr);
            LineTo(dc, centre.x, centre.y);
            LineTo(dc, slice.to.x, slice.to.y);
        }
        if (slice.legendRow >= 0)
            DrawLegendRow(dc, client, piece, slice.legendRow);
        if (!slice.percent.empty()) {
            SIZE size = {};
            GetTextExtentPoint32A(dc, slice.percent.c_str(), static_cast<int>(slice.percent.size()),
                                  &size);
            SetTextColor(dc, piece.TextColour());
            TextOutA(dc, slice.percentAt.x - size.cx / 2, slice.percentAt.y - size.cy / 2,
                     slice.percent.c_str(), static_cast<int>(slice.percent.size()));
        }
    }
    {
        SelectScope pen(dc, outline);
        SelectScope hollow(dc, GetStockObject(HOLLOW_BRUSH));
        Ellipse(dc, pieRect.left, pieRect.top, pieRect.right, pieRect.bottom);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

LRESULT CPieChartCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Layout();
        InvalidateRect(m_hWnd, nullptr, FALSE);
        break;
    case WM_LBUTTONDOWN:
        SetCapture(m_hWnd);
        m_last = MousePoint(lParam);
        m_dragging = true;
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging) {
            const POINT at = MousePoint(lParam);
            // One degree per pixel; dragging to the right turns clockwise.
            m_rotation = WrapDegrees(m_rotation + at.x - m_last.x);
            const RECT pieRect = ToRect(PieArea());
            InvalidateRect(m_hWnd, &pieRect, FALSE);
            m_last = at;
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_dragging) {
            m_dragging = false;
            ReleaseCapture();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        break;
    default:
        break;
    }
    return CPaintedControl::WindowProc(message, wParam, lParam);
}
