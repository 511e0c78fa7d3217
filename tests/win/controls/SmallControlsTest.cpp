// Label, separator, tool tip, image button and menu button as a page uses them.
#include "WinTestSupport.h"

#include "controls/ImageButton.h"
#include "controls/Label.h"
#include "controls/MenuButton.h"
#include "controls/Separator.h"
#include "controls/ToolTip.h"
#include "toolkit/Gdi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

LONG FontWeight(HWND window) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfWeight;
}

TEST(Label, ShowsItsTextInItsColourAndWeight) {
    CTestHost host("Label", 200, 60);
    HWND item = host.AddChild("Static", "", 0, 1076, 10, 10, 180, 20);
    CLabel label;
    label.SetBold(true); // before binding, as dialogs often configure members first
    ASSERT_TRUE(label.SubclassDlgItem(1076, host.Handle()));
    EXPECT_EQ(FontWeight(item), FW_BOLD);
    label.SetText("1234 MB");
    label.SetTextColour(RGB(255, 0, 0));
    CClientPicture picture(item);
    EXPECT_TRUE(picture.Contains(RGB(255, 0, 0), {0, 0, 60, 20}));
    EXPECT_EQ(picture.Pixel(170, 10), GetSysColor(COLOR_BTNFACE));
    label.SetBold(false);
    EXPECT_EQ(FontWeight(item), FontWeight(host.AddChild("Static", "", 0, -1, 0, 0, 1, 1)));
}

TEST(Separator, DrawsHeadingAndLineInTheActiveCaptionColour) {
    CTestHost host("Separator", 300, 40);
    HWND item =
        host.AddChild("Static", "Settings for inserting the Zelvane:", 0, 1096, 10, 10, 280, 16);
    CSeparator separator;
    ASSERT_TRUE(separator.SubclassDlgItem(1096, host.Handle()));
    const COLORREF caption = GetSysColor(COLOR_ACTIVECAPTION);
    CClientPicture picture(item);
    EXPECT_EQ(picture.Pixel(275, 8), caption);              // the line, right of the text
    EXPECT_TRUE(picture.Contains(caption, {0, 0, 40, 16})); // the heading's letters
    separator.SetColour(RGB(0, 128, 0));
    EXPECT_EQ(CClientPicture(item).Pixel(275, 8), RGB(0, 128, 0));
}

TEST(ToolTip, MultiLineTipsStayUpForTwentySeconds) {
    CTestHost host("Tool tips", 200, 60);
    HWND button = host.AddChild("Button", "Browse...", 0, 1012, 10, 10, 80, 24);
    CToolTip tips;
    EXPECT_FALSE(tips.AddTool(button, "not yet created"));
    ASSERT_TRUE(tips.Create(host.Handle()));
    ASSERT_TRUE(tips.AddTool(button, "Browse for a working directory\nusing a standard dialog."));
    EXPECT_EQ(SendMessageA(tips.Handle(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 20000);
    EXPECT_EQ(SendMessageA(tips.Handle(), TTM_GETTOOLCOUNT, 0, 0), 1);
    // A maximum width is what lets the tip break at "\n".
    EXPECT_GT(SendMessageA(tips.Handle(), TTM_GETMAXTIPWIDTH, 0, 0), 0);
}

TEST(ImageButton, ShowsTheBitmapWithItsTransparentColourLeftOut) {
    CTestHost host("Image button", 120, 90);
    HWND item = host.AddChild("Button", "", BS_PUSHBUTTON, 1011, 10, 10, 71, 71);
    CImageButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1011, host.Handle()));
    EXPECT_EQ(GetWindowLongA(item, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    ASSERT_TRUE(button.SetBitmap(173, RGB(255, 255, 255))); // the 49 x 49 header bitmap
    EXPECT_FALSE(CImageButton().SetBitmap(9999, RGB(255, 255, 255)));

    // Take the bitmap's own corner colour as the transparent one and find a pixel that
    // differs from it.
    MemoryDc source(nullptr);
    SelectScope in(source, button.BitmapHandle());
    const COLORREF corner = GetPixel(source, 0, 0);
    button.SetBitmap(173, corner);
    POINT solid = {-1, -1};
    for (int i = 0; i < 49 * 49 && solid.x < 0; ++i)
        if (GetPixel(source, i % 49, i / 49) != corner)
            solid = {i % 49, i / 49};
    ASSERT_GE(solid.x, 0);

    CClientPicture picture(item); // the button asks its parent to draw, which hands it back
    const int left = (3 + 68 - 49) / 2, top = (3 + 68 - 49) / 2; // centred in the face
    EXPECT_EQ(picture.Pixel(left + solid.x, top + solid.y), GetPixel(source, solid.x, solid.y));
    EXPECT_EQ(picture.Pixel(left, top), GetSysColor(COLOR_BTNFACE));
}

// Notes the popup menu once it is open, then closes it or chooses its first item.
HWND g_popup = nullptr;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_popup = FindWindowA("#32768", nullptr);
    EndMenu();
}
void CALLBACK ChooseFirst(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_popup = FindWindowA("#32768", nullptr);
    for (BYTE key : {VK_DOWN, VK_RETURN}) {
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    }
}

TEST(MenuButton, DropsItsMenuOnDownOrSpaceAndSendsTheChosenCommand) {
    CTestHost host("Menu button", 160, 60);
    HWND item = host.AddChild("Button", "CDDB", BS_PUSHBUTTON | WS_TABSTOP, 1090, 10, 10, 90, 24);
    CMenuButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1090, host.Handle()));
    button.AddItem(40001, "Search CD information");
    button.AddSeparator();
    button.AddItem(40002, "Submit CD information...");
    for (WPARAM key : {VK_DOWN, VK_SPACE}) {
        g_popup = nullptr;
        SetTimer(nullptr, 0, 200, CloseMenu);
        SendMessageA(item, WM_KEYDOWN, key, 0);
        EXPECT_TRUE(g_popup != nullptr) << key;
        EXPECT_EQ(SendMessageA(item, BM_GETSTATE, 0, 0) & BST_PUSHED, 0); // released again
    }

    SetForegroundWindow(host.Handle());
    SetFocus(item);
    SetTimer(nullptr, 0, 300, ChooseFirst);
    SendMessageA(item, WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages(100);
    EXPECT_EQ(host.LastCommand(), 40001);
}

} // namespace
