#include "controls/Paragraph.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<WrittenText>;

// Every character 6 pixels wide and every line 10 high, so "..." is 18 wide.
class FixedWidthCanvas : public ITextCanvas {
public:
    TextSize Measure(const std::string& text) override {
        return {static_cast<int>(text.size()) * 6, 10};
    }
    void Write(int, int, const std::string&) override {}
};

Lines Draw(const std::string& text, int width, int height,
           ParagraphAlignment alignment = ParagraphAlignment::Left, int x = 0, int y = 0) {
    CParagraph paragraph;
    paragraph.SetText(text);
    paragraph.SetAlignment(alignment);
    paragraph.SetPosition(x, y);
    paragraph.SetWidth(width);
    paragraph.SetHeight(height);
    FixedWidthCanvas measure;
    CTextRecorder recorder(measure);
    paragraph.Draw(recorder);
    return recorder.Written();
}

using Words = std::vector<std::string>;

Words WordsOf(const std::string& text) {
    CParagraph paragraph;
    paragraph.SetText(text);
    return paragraph.Words();
}

TEST(Paragraph, SplitsAfterEachBlankAfterNormalisingBreaksAndBlanks) {
    EXPECT_EQ(WordsOf("Please insert\r\nthe disc."),
              (Words{"Please ", "insert ", "the ", "disc."}));
    EXPECT_EQ(WordsOf("two   blanks"), (Words{"two ", "blanks"}));
    // A blank that stands for a line break is not part of a run of typed blanks.
    EXPECT_EQ(WordsOf("end.\n next"), (Words{"end. ", " ", "next"}));
    EXPECT_EQ(WordsOf("end. \nnext"), (Words{"end. ", " ", "next"}));
    // A trailing blank leaves an empty final word; no text at all leaves one empty word.
    EXPECT_EQ(WordsOf("trailing "), (Words{"trailing ", ""}));
    EXPECT_EQ(WordsOf(""), Words{""});
}

TEST(Paragraph, WrapsBeforeTheWordThatPassesTheRightEdge) {
    // A line break flows into the line; the text starts 2 pixels in.
    EXPECT_EQ(Draw("Check the\ndisk.", 200, 40, ParagraphAlignment::Left, 50, 16),
              (Lines{{52, 18, "Check the disk."}}));
    EXPECT_EQ(Draw("aaaa bbbb cccc", 70, 100), (Lines{{2, 2, "aaaa bbbb "}, {2, 12, "cccc"}}));
    // An empty final word and an empty text draw nothing extra.
    EXPECT_EQ(Draw("aaaa bbbb ", 200, 40), (Lines{{2, 2, "aaaa bbbb "}}));
    EXPECT_TRUE(Draw("", 200, 40).empty());
}

TEST(Paragraph, EndsWithEllipsisAfterTheLastWordThatFits) {
    // One line only (2 + 2 * 10 is not below 20): "cccc" would not fit after "bbbb ".
    EXPECT_EQ(Draw("aaaa bbbb cccc dddd", 90, 20), (Lines{{2, 2, "aaaa bbbb ..."}}));
    // Not even "bbbb ..." fits: the text ends before "bbbb".
    EXPECT_EQ(Draw("aaaa bbbb cccc", 70, 20), (Lines{{2, 2, "aaaa ..."}}));
    // A single word wider than the block shows as "..." alone.
    EXPECT_EQ(Draw("aaaaaaaaaaaa", 50, 20), (Lines{{2, 2, "..."}}));
    // The second line holds "bbbbbb " but neither "cccc" nor a third line.
    EXPECT_EQ(Draw("aaaaaa bbbbbb cccc", 65, 25),
              (Lines{{2, 2, "aaaaaa "}, {2, 12, "bbbbbb ..."}}));
    // No room for "..." either: the gathered words are still written.
    EXPECT_EQ(Draw("aaaaaa bbbbbb cc", 50, 25), (Lines{{2, 2, "aaaaaa "}, {2, 12, "bbbbbb "}}));
}

TEST(Paragraph, AlignmentPlacesTheLineByItsRightEnd) {
    // "aaaa bbbb ..." ends at x = 80 of a 90-pixel block placed at x = 10.
    EXPECT_EQ(Draw("aaaa bbbb cccc dddd", 90, 20, ParagraphAlignment::Centred, 10)[0].x, 17);
    EXPECT_EQ(Draw("aaaa bbbb cccc dddd", 90, 20, ParagraphAlignment::Right, 10)[0].x, 18);
}

} // namespace
