#pragma once
// The wizard's seven page slots. A slot number, not the position in the sheet, names a
// page; the position is the order in which pages were appended.
#include <array>
#include <cstddef>
#include <vector>

constexpr int kPageSlotCount = 7;
enum PageSlot {
    kSlotSource = 1,
    kSlotCopyMethod = 2,
    kSlotTracks = 3,
    kSlotAudio = 4,
    kSlotDataSettings = 5,
    kSlotDestination = 6,
    kSlotProperties = 7
};

// What the slot table asks of the sheet that shows the pages.
class ISlotPages {
public:
    virtual ~ISlotPages() = default;
    // Creates the slot's page and appends it to the sheet; false when that failed.
    virtual bool CreateAndAppend(int slot) = 0;
    // Removes the slot's page from the sheet and destroys it.
    virtual void RemoveAndDestroy(int slot) = 0;
};

class CPageSlots {
public:
    explicit CPageSlots(ISlotPages& pages) : m_pages(pages) {}

    // 1 on success; 0 for a slot outside 1 to 7, a slot already holding a page, or a page
    // that could not be created (nothing is appended then).
    int AddPage(int slot);
    // Removing an empty slot is no error.
    void RemovePage(int slot);
    // Slots 1 to 7 in order, stopping at the first that fails.
    bool AddAllPages();
    bool Holds(int slot) const {
        return Valid(slot) && m_filled[static_cast<std::size_t>(slot - 1)];
    }
    // Slots in sheet order.
    const std::vector<int>& Order() const { return m_order; }
    // Position of a slot's page in the sheet, or -1.
    int PositionOf(int slot) const;

private:
    static bool Valid(int slot) { return slot >= 1 && slot <= kPageSlotCount; }
    ISlotPages& m_pages;
    std::array<bool, kPageSlotCount> m_filled{};
    std::vector<int> m_order;
};
