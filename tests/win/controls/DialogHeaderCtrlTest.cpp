// The header band with the fonts it really draws with.
#include "WinTestSupport.h"

#include "controls/DialogHeaderCtrl.h"
#include "res/controls_ids.h"
#include "toolkit/Gdi.h"

#include <gtest/gtest.h>

namespace {

const char kLongSubtitle[] =
    "Use the \"Comment\" function to store additional information about the Zelvane,\n"
    "such as installation details, serial numbers or where the original disc is kept.";

// Width of a text in the subtitle font (Tahoma, 13 pixels).
int TextWidth(const std::string& text) {
    Font font(CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, "Tahoma"));
    WindowDc screen(nullptr);
    SelectScope in(screen, font);
    SIZE size = {};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

struct HeaderFixture : ::testing::Test {
    CTestHost host{"Edit comment", 330, 140};
    CDialogHeaderCtrl header;
    HeaderFixture() {
        host.AddChild("Static", "", 0, IDC_DIALOG_HEADER, 0, 0, 330, 46);
        EXPECT_TRUE(header.SubclassDlgItem(IDC_DIALOG_HEADER, host.Handle()));
        header.SetTitle("Edit comment");
        header.SetSubtitle(kLongSubtitle);
        header.SetIcon(IDI_HARD_DISC_INFO);
    }
};

TEST_F(HeaderFixture, SubtitleWrapsWithinTheBandAndEndsWithEllipsis) {
    const auto lines = header.SubtitleLines();
    ASSERT_EQ(lines.size(), 2u); // the band holds two lines below the title
    EXPECT_EQ(lines[0].x, 52);
    EXPECT_EQ(lines[0].y, 18);
    EXPECT_GT(lines[1].y, lines[0].y);
    for (const WrittenText& line : lines) {
        EXPECT_EQ(line.text.find('\n'), std::string::npos);
        EXPECT_LE(line.x + TextWidth(line.text), 330) << line.text;
    }
    EXPECT_EQ(lines[1].text.substr(lines[1].text.size() - 3), "...");
    // Together the lines are the start of the subtitle, the break turned into a blank.
    const std::string shown = lines[0].text + lines[1].text.substr(0, lines[1].text.size() - 3);
    std::string flowing = kLongSubtitle;
    flowing[flowing.find('\n')] = ' ';
    EXPECT_EQ(flowing.compare(0, shown.size(), shown), 0) << shown;
}

TEST_F(HeaderFixture, WiderBandNeedsFewerLines) {
    SetWindowPos(header, nullptr, 0, 0, 1000, 46, SWP_NOMOVE | SWP_NOZORDER);
    const auto lines = header.SubtitleLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text.find("..."), std::string::npos);
}

TEST_F(HeaderFixture, PaintsWindowColouredBandWithShadowLineIconAndBoldTitle) {
    CClientPicture picture(header);
    EXPECT_EQ(picture.Pixel(200, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(picture.Pixel(10, 45), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(picture.Pixel(329, 45), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_TRUE(header.HasIcon());
    bool iconDrawn = false;
    for (int y = 5; y < 37 && !iconDrawn; ++y)
        for (int x = 5; x < 37 && !iconDrawn; ++x)
            iconDrawn = picture.Pixel(x, y) != GetSysColor(COLOR_WINDOW);
    EXPECT_TRUE(iconDrawn);
    // The title's text starts right of the icon area, at 52.
    EXPECT_TRUE(picture.Contains(GetSysColor(COLOR_WINDOWTEXT), {52, 5, 150, 17}));
    EXPECT_FALSE(picture.Contains(GetSysColor(COLOR_WINDOWTEXT), {38, 5, 51, 17}));

    header.SetIcon(0);
    EXPECT_FALSE(header.HasIcon());
    CClientPicture without(header);
    EXPECT_FALSE(without.Contains(GetSysColor(COLOR_WINDOWTEXT), {0, 0, 50, 40}));
}

TEST_F(HeaderFixture, Screenshot) {
    HWND text = host.AddChild("Static", "Comment:", 0, -1, 10, 58, 200, 16);
    HWND edit = host.AddChild("Edit", "Bought in 2003; the case is in the attic.", WS_BORDER, 1041,
                              10, 76, 310, 22);
    HWND ok = host.AddChild("Button", "OK", BS_DEFPUSHBUTTON, IDOK, 164, 108, 75, 23);
    HWND cancel = host.AddChild("Button", "Cancel", 0, IDCANCEL, 245, 108, 75, 23);
    ASSERT_TRUE(text && edit && ok && cancel);
    const std::string path = SaveScreenshot(host.Handle(), "dialog_header");
    EXPECT_FALSE(path.empty());
}

} // namespace
