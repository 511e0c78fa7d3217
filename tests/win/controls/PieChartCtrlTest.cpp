// The pie chart as a window: slices, painting and turning it with the mouse.
#include "WinTestSupport.h"

#include "controls/PieChartCtrl.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct PieFixture : ::testing::Test {
    CTestHost host{"Pie chart", 320, 220};
    CPieChartCtrl chart;
    PieFixture() { EXPECT_TRUE(chart.Create(host.Handle(), {10, 10, 310, 210}, 1090)); }

    // A point `share` of the radius out from the centre at `degrees` (0 up, clockwise).
    POINT At(int degrees, double share) {
        const PieRect pie = chart.PieArea();
        const double radians = degrees * 3.14159265358979 / 180;
        const double r = (pie.bottom - pie.top) / 2.0 * share;
        return {static_cast<LONG>((pie.left + pie.right) / 2 + std::sin(radians) * r),
                static_cast<LONG>((pie.top + pie.bottom) / 2 - std::cos(radians) * r)};
    }
};

TEST_F(PieFixture, TemplatesFindTheClassAndSetValuesGivesTheDiskSpaceSlices) {
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "PIE_CHART_CTRL", &wc));
    EXPECT_TRUE(wc.style & CS_GLOBALCLASS);

    chart.SetValues(1024, 256, 64);
    const auto& pieces = chart.Pieces();
    ASSERT_EQ(pieces.size(), 3u);
    // Labels from the string table; the degrees are those of the disk-space rule.
    EXPECT_EQ(pieces[2]->Label(), "Space for the Zelvane");
    EXPECT_EQ(pieces[2]->Degrees(), 22);
    chart.SetValues(0, 0, 300); // replaces the slices
    EXPECT_TRUE(chart.Pieces().empty());
}

TEST_F(PieFixture, PaintsSlicesClockwiseFromTheTopOnTheBlueDisc) {
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 160, 0);
    chart.AddPiece(red, RGB(255, 255, 255), 90, "Red");
    chart.AddPiece(green, RGB(255, 255, 255), 0, ""); // radii only, no legend row
    chart.AddPiece(green, RGB(255, 255, 255), 20, "Green");
    CClientPicture picture(chart);
    const POINT inRed = At(30, 0.85), inGreen = At(100, 0.85), uncovered = At(200, 0.85);
    EXPECT_EQ(picture.Pixel(inRed.x, inRed.y), red);
    EXPECT_EQ(picture.Pixel(inGreen.x, inGreen.y), green);
    EXPECT_EQ(picture.Pixel(uncovered.x, uncovered.y), RGB(0, 0, 255));
    EXPECT_EQ(picture.Pixel(2, 2), GetSysColor(COLOR_BTNFACE));
    // The percentage of the 90-degree slice is written in its text colour; the
    // 20-degree slice gets none.
    const POINT percent = At(45, 0.6);
    EXPECT_TRUE(picture.Contains(RGB(255, 255, 255),
                                 {percent.x - 8, percent.y - 6, percent.x + 8, percent.y + 6}));
    const POINT small = At(100, 0.6);
    EXPECT_FALSE(
        picture.Contains(RGB(255, 255, 255), {small.x - 4, small.y - 4, small.x + 4, small.y + 4}));
    // Legend boxes at the right edge: row 0 red, row 1 green (the unlabelled slice
    // takes no row).
    EXPECT_EQ(picture.Pixel(293, 7), red);
    EXPECT_TRUE(picture.Contains(green, {286, 16, 300, 30}));
}

TEST_F(PieFixture, DraggingTurnsThePieOneDegreePerPixel) {
    chart.AddPiece(RGB(255, 0, 0), RGB(255, 255, 255), 90, "Red");
    SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    EXPECT_EQ(GetCapture(), chart.Handle());
    SendMessageA(chart, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 80));
    EXPECT_EQ(chart.Rotation(), 30);
    SendMessageA(chart, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 80));
    EXPECT_EQ(chart.Rotation(), 350);
    SendMessageA(chart, WM_LBUTTONUP, 0, MAKELPARAM(90, 80));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(chart, WM_MOUSEMOVE, 0, MAKELPARAM(150, 80));
    EXPECT_EQ(chart.Rotation(), 350);
    // Turned 10 degrees back: the red slice now covers 350 to 80 degrees.
    CClientPicture picture(chart);
    const POINT turnedIn = At(355, 0.85), turnedOut = At(85, 0.85);
    EXPECT_EQ(picture.Pixel(turnedIn.x, turnedIn.y), RGB(255, 0, 0));
    EXPECT_EQ(picture.Pixel(turnedOut.x, turnedOut.y), RGB(0, 0, 255));
}

} // namespace
