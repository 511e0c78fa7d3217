#pragma once
// The disk-space picture of a target drive as pie slices: space in use, space still
// available and the space the image will take (red when it does not fit).
#include <cstdint>
#include <vector>

// Colours in the platform's 0x00BBGGRR layout.
constexpr uint32_t RgbColour(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

// String-table ids of the slice labels.
constexpr int kSpaceInUseText = 263;
constexpr int kSpaceAvailableText = 264;
constexpr int kSpaceForImageText = 265;

struct DiskSpaceSlice {
    uint32_t colour = 0;
    int degrees = 0;
    int labelId = 0;
};

// Whole degrees of a 360-degree pie; no slices for a drive of 0 MB.
std::vector<DiskSpaceSlice> DiskSpaceSlices(uint64_t totalMB, uint64_t freeMB, uint64_t neededMB);
