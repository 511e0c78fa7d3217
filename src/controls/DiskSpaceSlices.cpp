#include "controls/DiskSpaceSlices.h"

#include <algorithm>

namespace {
int DegreesOf(uint64_t part, uint64_t total) {
    const double degrees = 360.0 / static_cast<double>(total) * static_cast<double>(part);
    return static_cast<int>(std::min(degrees, 360.0));
}
} // namespace

std::vector<DiskSpaceSlice> DiskSpaceSlices(uint64_t totalMB, uint64_t freeMB, uint64_t neededMB) {
    if (totalMB == 0)
        return {};
    const int free = DegreesOf(freeMB, totalMB);
    std::vector<DiskSpaceSlice> slices{{RgbColour(0, 0, 128), 360 - free, kSpaceInUseText}};
    if (neededMB <= freeMB) {
        // The image always shows, however small; on a full drive the available slice
        // shrinks to nothing rather than turning backwards.
        const int needed = std::max(1, DegreesOf(neededMB, totalMB));
        slices.push_back({RgbColour(128, 0, 128), std::max(0, free - needed), kSpaceAvailableText});
        slices.push_back({RgbColour(0, 128, 0), needed, kSpaceForImageText});
    } else {
        slices.push_back({RgbColour(255, 0, 0), free, kSpaceForImageText});
    }
    return slices;
}
