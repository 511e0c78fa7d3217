#include "controls/PieGeometry.h"

#include <gtest/gtest.h>

namespace {

const PieRect kPie{0, 0, 100, 100}; // centre (50, 50), radius 50

TEST(PieGeometry, SquareStandsCentredOnTheBottomAndRimPointsRunClockwiseFromTheTop) {
    auto corners = [](const PieRect& r) {
        return std::vector<int>{r.left, r.top, r.right, r.bottom};
    };
    EXPECT_EQ(corners(PieSquare({0, 0, 200, 100})), (std::vector<int>{50, 0, 150, 100}));
    EXPECT_EQ(corners(PieSquare({0, 0, 100, 160})), (std::vector<int>{0, 60, 100, 160}));
    EXPECT_TRUE(PieSquare({0, 0, 0, 50}).Empty());

    EXPECT_EQ(RimPoint(kPie, 0), (PiePoint{50, 0}));
    EXPECT_EQ(RimPoint(kPie, 90), (PiePoint{100, 50}));
    EXPECT_EQ(RimPoint(kPie, 180), (PiePoint{50, 100}));
    EXPECT_EQ(RimPoint(kPie, 45), (PiePoint{85, 14})); // 35.36 from the centre, truncated
    EXPECT_EQ(RimPoint(kPie, -90), (PiePoint{0, 50})); // angles outside 0..359 wrap
    EXPECT_EQ(RimPoint(kPie, 450), RimPoint(kPie, 90));
    EXPECT_EQ(RimPoint(kPie, 90, kPercentRadius), (PiePoint{80, 50}));
}

TEST(PieGeometry, PlanDrawsRadiiOfEmptySlicesAndNumbersOnlyLabelledLegendRows) {
    EXPECT_EQ(PercentText(25), ""); // a percentage only in slices above 25 degrees
    EXPECT_EQ(PercentText(26), "7%");
    EXPECT_EQ(PercentText(360), "100%");

    const auto plan = PlanPie(kPie, 0, {{0, true}, {90, false}, {90, true}});
    ASSERT_EQ(plan.size(), 3u);
    // 0 degrees: no segment, but its radius and its legend row.
    EXPECT_FALSE(plan[0].segment);
    EXPECT_EQ(plan[0].from, plan[0].to);
    EXPECT_EQ(plan[0].legendRow, 0);
    EXPECT_EQ(plan[0].percent, "");
    // An unlabelled slice takes no row; the next labelled one gets row 1.
    EXPECT_TRUE(plan[1].segment);
    EXPECT_EQ(plan[1].from, (PiePoint{50, 0}));
    EXPECT_EQ(plan[1].to, (PiePoint{100, 50}));
    EXPECT_EQ(plan[1].legendRow, -1);
    EXPECT_EQ(plan[1].percent, "25%");
    EXPECT_EQ(plan[1].percentAt, RimPoint(kPie, 45, kPercentRadius));
    EXPECT_EQ(plan[2].from, plan[1].to);
    EXPECT_EQ(plan[2].to, (PiePoint{50, 100}));
    EXPECT_EQ(plan[2].legendRow, 1);
}

} // namespace
