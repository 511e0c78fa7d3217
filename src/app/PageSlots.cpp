#include "app/PageSlots.h"

#include <algorithm>

int CPageSlots::AddPage(int slot) {
    if (!Valid(slot) || Holds(slot) || !m_pages.CreateAndAppend(slot))
        return 0;
    m_filled[static_cast<size_t>(slot - 1)] = true;
    m_order.push_back(slot);
    return 1;
}

void CPageSlots::RemovePage(int slot) {
    if (!Holds(slot))
        return;
    m_pages.RemoveAndDestroy(slot);
    m_filled[static_cast<size_t>(slot - 1)] = false;
    m_order.erase(std::find(m_order.begin(), m_order.end(), slot));
}

bool CPageSlots::AddAllPages() {
    for (int slot = 1; slot <= kPageSlotCount; ++slot)
        if (!AddPage(slot))
            return false;
    return true;
}

int CPageSlots::PositionOf(int slot) const {
    auto it = std::find(m_order.begin(), m_order.end(), slot);
    return it == m_order.end() ? -1 : static_cast<int>(it - m_order.begin());
}
