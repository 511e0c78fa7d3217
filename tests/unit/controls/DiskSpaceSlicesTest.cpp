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

TEST(DiskSpaceSlices, ImageIsCutFromTheAvailableSpaceOrFillsItInRed) {
    const uint32_t navy = RgbColour(0, 0, 128), purple = RgbColour(128, 0, 128),
                   green = RgbColour(0, 128, 0), red = RgbColour(255, 0, 0);
    // A quarter of 1024 MB free (90 degrees); the image needs 22.5 degrees, truncated.
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 256, 64)), (Slices{{navy, 270, kSpaceInUseText},
                                                          {purple, 68, kSpaceAvailableText},
                                                          {green, 22, kSpaceForImageText}}));
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 256, 300)),
              (Slices{{navy, 270, kSpaceInUseText}, {red, 90, kSpaceForImageText}}));
    // A tiny image still shows, and a full drive never goes negative.
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 256, 0)), (Slices{{navy, 270, kSpaceInUseText},
                                                         {purple, 89, kSpaceAvailableText},
                                                         {green, 1, kSpaceForImageText}}));
    EXPECT_EQ(Of(DiskSpaceSlices(1024, 0, 0)), (Slices{{navy, 360, kSpaceInUseText},
                                                       {purple, 0, kSpaceAvailableText},
                                                       {green, 1, kSpaceForImageText}}));
    EXPECT_TRUE(DiskSpaceSlices(0, 0, 100).empty()); // unknown drive size
}

} // namespace
