#pragma once
// The page of each wizard slot.
#include "app/TTPage.h"

#include <memory>

std::unique_ptr<CTTPage> CreateSlotPage(int slot, const PageContext& context);
