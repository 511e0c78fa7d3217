#include "pages/SourcePageLogic.h"
#include "settings/ZlxBuildSettings.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

struct SourceNextFixture : ::testing::Test, FakeServices {
    CBuildJob job{store, registry};
    CZlxBuildSettings settings{store, registry};
    SourceNextResult Next(const std::optional<std::string>& row, uint16_t code) {
        return SourcePageNext(row, code, job, analysis, settings);
    }
};

TEST_F(SourceNextFixture, NothingSelectedOrAFailedAnalysisKeepsTheUserOnThePage) {
    EXPECT_EQ(Next(std::nullopt, 0).messageId, 109);
    EXPECT_TRUE(analysis.analysed.empty());
    analysis.failing = "E";
    const auto result = Next(std::string("[E:] DISC "), 2);
    EXPECT_FALSE(result.goOn);
    EXPECT_EQ(result.messageId, 135);
}

TEST_F(SourceNextFixture, RawOnlyDiscsNeedARawReadingDrive) {
    analysis.kinds['E'] = 5; // Video CD
    auto result = Next(std::string("[E:] VCD "), 5);
    EXPECT_FALSE(result.goOn);
    EXPECT_EQ(result.messageId, 180);
    EXPECT_TRUE(job.Label.empty());

    analysis.rawReadable = "E";
    EXPECT_TRUE(Next(std::string("[E:] VCD "), 5).goOn);
    EXPECT_EQ(job.Label, "VCD ");
    EXPECT_EQ(job.SourceDiscName, "VCD ");
    EXPECT_EQ(analysis.lastCode, 5) << "the list's type code goes to the analysis";

    EXPECT_TRUE(Next(std::string("[F:] "), 2).goOn); // a row without a name
    EXPECT_EQ(analysis.analysed.back(), 'F');
    EXPECT_TRUE(job.Label.empty());
    EXPECT_TRUE(job.SourceDiscName.empty());
}

} // namespace
