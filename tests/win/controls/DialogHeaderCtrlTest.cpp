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

    // A wider band needs fewer lines.
    SetWindowPos(header, nullptr, 0, 0, 1000, 46, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(header.SubtitleLines().size(), 1u);
    EXPECT_EQ(header.SubtitleLines()[0].text.find("..."), std::string::npos);
}

TEST_F(HeaderFixture, PaintsWindowColouredBandWithShadowLineIconAndBoldTitle) {
    CClientPicture picture(header);
    EXPECT_EQ(picture.Pixel(200, 1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(picture.Pixel(10, 45), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(picture.Pixel(329, 45), GetSysColor(COLOR_BTNSHADOW));
    bool iconDrawn = false;
    for (int i = 0; i < 32 * 32 && !iconDrawn; ++i)
        iconDrawn = picture.Pixel(5 + i % 32, 5 + i / 32) != GetSysColor(COLOR_WINDOW);
    EXPECT_TRUE(iconDrawn);
    // The title's text starts right of the icon area, at 52.
    EXPECT_TRUE(picture.Contains(GetSysColor(COLOR_WINDOWTEXT), {52, 5, 150, 17}));
    EXPECT_FALSE(picture.Contains(GetSysColor(COLOR_WINDOWTEXT), {38, 5, 51, 17}));
    EXPECT_FALSE(SaveScreenshot(host.Handle(), "dialog_header").empty());

    header.SetIcon(0);
    EXPECT_FALSE(CClientPicture(header).Contains(GetSysColor(COLOR_WINDOWTEXT), {0, 0, 50, 40}));
}

} // namespace
