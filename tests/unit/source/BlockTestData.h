#pragma once
// Sample blocks of the kinds a disc holds, for the coder and compressor tests.
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "source/CdSector.h"

namespace BlockTestData {

inline std::vector<uint8_t> Random(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) {
        b = static_cast<uint8_t>(rng());
    }
    return v;
}

// English-like text: words drawn unevenly from a small vocabulary, with line breaks.
inline std::vector<uint8_t> Text(size_t n, uint32_t seed) {
    static const char* const kWords[] = {
        "the",    "image", "disc",    "sector", "track",  "of",      "and",    "drive",
        "a",      "block", "read",    "write",  "copy",   "session", "audio",  "data",
        "to",     "is",    "in",      "file",   "folder", "size",    "method", "compress",
        "wizard", "table", "content", "mode",   "raw",    "cooked",  "speed",  "error"};
    std::mt19937 rng(seed);
    std::geometric_distribution<int> pick(0.12);
    std::string s;
    while (s.size() < n) {
        s += kWords[pick(rng) % 32];
        s += (rng() % 11 == 0) ? ".\r\n" : " ";
    }
    return std::vector<uint8_t>(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

constexpr double kPi = 3.14159265358979323846;

// 16-bit stereo PCM: two sines with a little noise, as ripped audio looks.
inline std::vector<uint8_t> Pcm(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 40.0);
    std::vector<uint8_t> v(n);
    for (size_t f = 0; f + 4 <= n; f += 4) {
        const double t = static_cast<double>(f / 4) / 44100.0;
        for (int ch = 0; ch < 2; ++ch) {
            const double x = 9000.0 * std::sin(2 * kPi * (440.0 + 110.0 * ch) * t) +
                             4000.0 * std::sin(2 * kPi * 1234.5 * t) + noise(rng);
            const auto s = static_cast<int16_t>(std::lround(x));
            v[f + 2 * ch] = static_cast<uint8_t>(s);
            v[f + 2 * ch + 1] = static_cast<uint8_t>(static_cast<uint16_t>(s) >> 8);
        }
    }
    return v;
}

// Sixteen Mode 1 raw sectors with real EDC and ECC around `user` (16 x 2048 bytes).
inline std::vector<uint8_t> RawSectors(const std::vector<uint8_t>& user, uint32_t lba) {
    std::vector<uint8_t> v(16 * CdSector::kRawSize);
    for (uint32_t k = 0; k < 16; ++k) {
        CdSector::BuildMode1(lba + k, user.data() + k * CdSector::kUserSize,
                             v.data() + k * CdSector::kRawSize);
    }
    return v;
}

} // namespace BlockTestData
