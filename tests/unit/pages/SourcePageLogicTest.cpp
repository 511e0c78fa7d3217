#include "pages/SourcePageLogic.h"
#include "settings/ZlxBuildSettings.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

struct SourceNextFixture : ::testing::Test, FakeServices {
    CBuildJob job{store, registry};
    CZlxBuildSettings settings{store, registry};

    struct FailingAnalysis : ISourceAnalysis {
        bool Analyse(CBuildJob&, const CZlxBuildSettings&, char, uint16_t) override { return false; }
    };
};

TEST_F(SourceNextFixture, NothingSelectedOrAFailedAnalysisKeepsTheUserOnThePage) {
    EXPECT_EQ(SourcePageNext(std::nullopt, 0, job, analysis, settings).messageId, 109);
    EXPECT_TRUE(analysis.analysed.empty());

    FailingAnalysis failing;
    auto result = SourcePageNext(std::string("[E:] DISC "), 2, job, failing, settings);
    EXPECT_FALSE(result.goOn);
    EXPECT_EQ(result.messageId, 135);
}

TEST_F(SourceNextFixture, RawOnlyDiscsNeedARawReadingDrive) {
    analysis.kinds['E'] = 5; // Video CD
    auto result = SourcePageNext(std::string("[E:] VCD "), 5, job, analysis, settings);
    EXPECT_FALSE(result.goOn);
    EXPECT_EQ(result.messageId, 180);
    EXPECT_TRUE(job.Label.empty());

    analysis.rawReadable = "E";
    result = SourcePageNext(std::string("[E:] VCD "), 5, job, analysis, settings);
    EXPECT_TRUE(result.goOn);
    EXPECT_EQ(job.Label, "VCD ");
    EXPECT_EQ(job.SourceDiscName, "VCD ");
    EXPECT_EQ(analysis.lastCode, 5) << "the list's type code goes to the analysis";
}

TEST_F(SourceNextFixture, ARowWithoutANameGivesEmptyNameAndLabel) {
    auto result = SourcePageNext(std::string("[F:] "), 2, job, analysis, settings);
    EXPECT_TRUE(result.goOn);
    EXPECT_EQ(analysis.analysed, "F");
    EXPECT_TRUE(job.Label.empty());
    EXPECT_TRUE(job.SourceDiscName.empty());
}

} // namespace
