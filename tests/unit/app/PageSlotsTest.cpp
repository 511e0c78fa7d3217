#include "app/PageSlots.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct RecordingPages : ISlotPages {
    bool CreateAndAppend(int slot) override {
        if (failing.count(slot))
            return false;
        sheet.push_back(slot);
        return true;
    }
    void RemoveAndDestroy(int slot) override {
        sheet.erase(std::find(sheet.begin(), sheet.end(), slot));
    }
    std::vector<int> sheet;
    std::set<int> failing;
};

TEST(PageSlots, PagesFollowAppendOrderNotSlotNumbers) {
    RecordingPages pages;
    CPageSlots slots(pages);
    ASSERT_TRUE(slots.AddAllPages());
    EXPECT_EQ(pages.sheet, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));

    // The audio page's road without data track settings.
    for (int slot : {7, 6, 5})
        slots.RemovePage(slot);
    slots.AddPage(6);
    slots.AddPage(7);
    EXPECT_EQ(slots.Order(), (std::vector<int>{1, 2, 3, 4, 6, 7}));
    // Appending 5 afterwards puts it last.
    EXPECT_EQ(slots.AddPage(5), 1);
    EXPECT_EQ(slots.Order(), (std::vector<int>{1, 2, 3, 4, 6, 7, 5}));
    EXPECT_EQ(slots.PositionOf(5), 6);
    EXPECT_EQ(pages.sheet, slots.Order());
}

TEST(PageSlots, BadSlotsOccupiedSlotsAndEmptySlotsAreHarmless) {
    RecordingPages pages;
    CPageSlots slots(pages);
    EXPECT_EQ(slots.AddPage(0), 0);
    EXPECT_EQ(slots.AddPage(8), 0);
    EXPECT_EQ(slots.AddPage(3), 1);
    EXPECT_EQ(slots.AddPage(3), 0); // a slot holds one page
    slots.RemovePage(4);            // empty: nothing happens
    slots.RemovePage(9);
    EXPECT_EQ(pages.sheet, std::vector<int>{3});
    slots.RemovePage(3);
    EXPECT_FALSE(slots.Holds(3));
    EXPECT_EQ(slots.PositionOf(3), -1);

    // Adding all pages stops at the first that cannot be created.
    RecordingPages failing;
    failing.failing = {4};
    CPageSlots partial(failing);
    EXPECT_FALSE(partial.AddAllPages());
    EXPECT_EQ(partial.Order(), (std::vector<int>{1, 2, 3}));
}

} // namespace
