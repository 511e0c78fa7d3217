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
    EXPECT_EQ(label.Text(), "1234 MB");
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
    CClientPicture green(item);
    EXPECT_EQ(green.Pixel(275, 8), RGB(0, 128, 0));
}

TEST(ToolTip, MultiLineTipsStayUpForTwentySeconds) {
    CTestHost host("Tool tips", 200, 60);
    HWND button = host.AddChild("Button", "Browse...", 0, 1012, 10, 10, 80, 24);
    CToolTip tips;
    EXPECT_FALSE(tips.AddTool(button, "not yet created"));
    ASSERT_TRUE(tips.Create(host.Handle()));
    // Short enough to be read back whole (the control returns at most 80 characters).
    const char text[] = "Browse for a working directory\nusing a standard dialog.";
    ASSERT_TRUE(tips.AddTool(button, text));
    EXPECT_EQ(SendMessageA(tips.Handle(), TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 20000);
    EXPECT_EQ(SendMessageA(tips.Handle(), TTM_GETTOOLCOUNT, 0, 0), 1);
    // A maximum width is what lets the tip break at "\n".
    EXPECT_GT(SendMessageA(tips.Handle(), TTM_GETMAXTIPWIDTH, 0, 0), 0);

    char got[256] = {};
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = host.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = got;
    SendMessageA(tips.Handle(), TTM_GETTEXTA, sizeof got, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(got, text);
    MSG relayed = {button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {15, 15}};
    tips.RelayEvent(&relayed); // harmless for a subclassed tool
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
    for (int y = 0; y < 49 && solid.x < 0; ++y)
        for (int x = 0; x < 49 && solid.x < 0; ++x)
            if (GetPixel(source, x, y) != corner)
                solid = {x, y};
    ASSERT_GE(solid.x, 0);

    CClientPicture picture(item); // the button asks its parent to draw, which hands it back
    const int left = (3 + 68 - 49) / 2, top = (3 + 68 - 49) / 2; // centred in the face
    EXPECT_EQ(picture.Pixel(left + solid.x, top + solid.y), GetPixel(source, solid.x, solid.y));
    EXPECT_EQ(picture.Pixel(left, top), GetSysColor(COLOR_BTNFACE));
}

struct MenuProbe {
    static HWND popup;
    static void CALLBACK Close(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        popup = FindWindowA("#32768", nullptr);
        EndMenu();
    }
    static void CALLBACK ChooseFirst(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        popup = FindWindowA("#32768", nullptr);
        keybd_event(VK_DOWN, 0, 0, 0);
        keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
        keybd_event(VK_RETURN, 0, 0, 0);
        keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    }
};
HWND MenuProbe::popup = nullptr;

TEST(MenuButton, DropsItsMenuOnDownOrSpaceAndSendsTheChosenCommand) {
    CTestHost host("Menu button", 160, 60);
    HWND item = host.AddChild("Button", "CDDB", BS_PUSHBUTTON | WS_TABSTOP, 1090, 10, 10, 90, 24);
    CMenuButton button;
    ASSERT_TRUE(button.SubclassDlgItem(1090, host.Handle()));
    button.AddItem(40001, "Search CD information");
    button.AddSeparator();
    button.AddItem(40002, "Submit CD information...");
    button.SetGreyed(40002, true);
    EXPECT_TRUE(button.IsGreyed(40002));
    EXPECT_FALSE(button.IsGreyed(40001));
    EXPECT_EQ(GetMenuItemCount(button.Menu()), 3);

    for (WPARAM key : {VK_DOWN, VK_SPACE}) {
        MenuProbe::popup = nullptr;
        SetTimer(nullptr, 0, 200, MenuProbe::Close);
        SendMessageA(item, WM_KEYDOWN, key, 0);
        EXPECT_TRUE(MenuProbe::popup != nullptr) << key;
        EXPECT_EQ(SendMessageA(item, BM_GETSTATE, 0, 0) & BST_PUSHED, 0); // released again
    }

    SetForegroundWindow(host.Handle());
    SetFocus(item);
    MenuProbe::popup = nullptr;
    SetTimer(nullptr, 0, 300, MenuProbe::ChooseFirst);
    SendMessageA(item, WM_KEYDOWN, VK_DOWN, 0);
    PumpMessages(100);
    EXPECT_TRUE(MenuProbe::popup != nullptr);
    EXPECT_EQ(host.LastCommand(), 40001);
}

} // namespace
