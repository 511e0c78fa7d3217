#include "controls/DiskSpaceSlices.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Slices = std::vector<std::tuple<uint32_t, int, int>>; // colour, degrees, label

Slices Of(const std::vector<DiskSpaceSlice>& slices) {
    Slices out;
    for (const DiskSpaceSlice& s : slices)
        out.emplace_back(s.colour, s.degrees, s.labelId);
    return out;
}

const uint32_t kNavy = RgbColour(0, 0, 128), kPurple = RgbColour(128, 0, 128),
               kGreen = RgbColour(0, 128, 0), kRed = RgbColour(255, 0, 0);

TEST(DiskSpaceSlices, ImageThatFitsIsCutFromTheAvailableSpace) {
    // A quarter of 1024 MB free (90 degrees); the image needs 22.5 degrees, truncated.
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 256, 64)), (Slices{{kNavy, 270, kSpaceInUseText},
                                                          {kPurple, 68, kSpaceAvailableText},
                                                          {kGreen, 22, kSpaceForImageText}}));
}

TEST(DiskSpaceSlices, ImageThatDoesNotFitFillsTheFreeSpaceInRed) {
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 256, 300)),
              (Slices{{kNavy, 270, kSpaceInUseText}, {kRed, 90, kSpaceForImageText}}));
}

TEST(DiskSpaceSlices, TinyImageStillShowsAndAFullDriveNeverGoesNegative) {
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 256, 0)), (Slices{{kNavy, 270, kSpaceInUseText},
                                                         {kPurple, 89, kSpaceAvailableText},
                                                         {kGreen, 1, kSpaceForImageText}}));
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 0, 0)), (Slices{{kNavy, 360, kSpaceInUseText},
                                                       {kPurple, 0, kSpaceAvailableText},
                                                       {kGreen, 1, kSpaceForImageText}}));
}

TEST(DiskSpaceSlices, UnknownDriveSizeDrawsNothing) {
    EXPECT_TRUE(DiskSpaceSlices(0, 0, 100).empty());
}

} // namespace
