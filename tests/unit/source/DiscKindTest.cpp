#include "source/AnalysisFakes.h"
#include "source/CdTypeCode.h"
#include "source/DvdContentProbe.h"

#include <gtest/gtest.h>

namespace {

std::string Text(int id) {
    return "<" + std::to_string(id) + ">";
}

TEST(KindText, DvdContentCombinationsAndTheMultisessionSuffix) {
    // The most specific DVD content wins; unknown CD kinds have a text of their own.
    const std::pair<uint16_t, int> kinds[] = {{32 | 1792, 124}, {32 | 768, 125},  {32 | 1280, 123},
                                              {32 | 1536, 119}, {32 | 1024, 117}, {32 | 512, 118},
                                              {32 | 256, 122},  {3, 116}};
    for (const auto& [code, id] : kinds)
        EXPECT_EQ(KindTextIds(code).kind, id) << code;
    EXPECT_EQ(KindText(32, Text), ""); // a DVD without content has no text
    EXPECT_EQ(KindText(0 | kMultisessionFlag, Text), "<110> (<132>)");
    EXPECT_EQ(KindText(3 | kMultisessionFlag, Text), "<132> (<132>)");
    EXPECT_EQ(KindText(64 | kMultisessionFlag, Text), "<132>");
    EXPECT_EQ(KindText(64, Text), "<116>");
}

TEST(DvdContentProbe, StandardFoldersAloneMakeAPlainVideoOrAudioDvd) {
    CFakeFileSearch files;
    CDvdContentProbe probe{files};
    files.filePatterns = {"E:\\VIDEO_TS\\*.*"};
    files.folders["E:\\*.*"] = {"VIDEO_TS", "audio_ts"}; // an empty AUDIO_TS counts for nothing
    EXPECT_EQ(probe.ContentBits('E'), kDvdVideoTs);

    files.folders["E:\\*.*"].push_back("Extras");
    EXPECT_EQ(probe.ContentBits('E'), kDvdVideoTs | kDvdOtherContent);

    files.folders.clear();
    files.filePatterns = {"E:\\AUDIO_TS\\*.*", "E:\\*.*"}; // and a file in the root
    EXPECT_EQ(probe.ContentBits('E'), kDvdAudioTs | kDvdOtherContent);
}

} // namespace
