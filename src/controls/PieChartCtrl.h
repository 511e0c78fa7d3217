#pragma once
// A pie of coloured slices with a percentage inside every large slice and a legend of
// labelled colour boxes at the right edge; dragging with the left button turns it.
// Templates place it as a custom control of class "PIE_CHART_CTRL": construct the object
// before the dialog is created (that registers the class), then SubclassDlgItem.
#include "controls/ControlWindow.h"
#include "controls/PieGeometry.h"
#include "toolkit/Gdi.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern const char kPieChartClass[];

class CPieChartPiece {
public:
    CPieChartPiece(COLORREF fill, COLORREF text, int degrees, std::string label);
    COLORREF Fill() const { return m_fill; }
    COLORREF TextColour() const { return m_text; }
    HBRUSH FillBrush() const { return m_brush; }
    int Degrees() const { return m_degrees; }
    const std::string& Label() const { return m_label; }

private:
    COLORREF m_fill;
    COLORREF m_text;
    Brush m_brush;
    int m_degrees;
    std::string m_label;
};

class CPieChartCtrl : public CPaintedControl {
public:
    CPieChartCtrl(); // registers the window class
    // A chart of its own where no template places one.
    bool Create(HWND parent, const RECT& rect, int id);

    // Appends a slice of 0..360 degrees; returns 1.
    int AddPiece(COLORREF fill, COLORREF text, int degrees, const std::string& label);
    void RemoveAllPieces();
    // The disk-space picture of a drive (space in use, available, needed for the image),
    // labelled from the string table; empty when the total is 0.
    void SetValues(uint64_t totalMB, uint64_t freeMB, uint64_t neededMB);

    const std::vector<std::unique_ptr<CPieChartPiece>>& Pieces() const { return m_pieces; }
    // Start angle of the first slice in degrees (0 straight up).
    int Rotation() const { return m_rotation; }
    // Where the pie is drawn in the client area.
    PieRect PieArea();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    void Layout();
    void DrawLegendRow(HDC dc, const RECT& client, const CPieChartPiece& piece, int row) const;

    int m_rotation = 0;
    COLORREF m_discColour = RGB(0, 0, 255);
    COLORREF m_outlineColour = RGB(0, 0, 0);
    std::vector<std::unique_ptr<CPieChartPiece>> m_pieces;
    Font m_font;
    PieRect m_pie;
    bool m_dragging = false;
    POINT m_last = {};
};
