#pragma once
// Test data for the block coder: sample blocks of the kinds a disc holds, inputs whose parse
// is known, and an expected-stream builder that lays items out one bit at a time (so it
// shares no packing code with the coder).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "source/CdSector.h"

namespace BlockTestData {

constexpr uint32_t kCookedMask = 8191;

inline std::vector<uint8_t> Random(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v)
        b = static_cast<uint8_t>(rng());
    return v;
}

// English-like text: words drawn unevenly from a small vocabulary, with line breaks.
inline std::vector<uint8_t> Text(size_t n, uint32_t seed) {
    std::istringstream words("the image disc sector track of and drive a block read write copy "
                             "session audio data to is in file folder size method wizard");
    const std::vector<std::string> vocabulary{std::istream_iterator<std::string>(words), {}};
    std::mt19937 rng(seed);
    std::geometric_distribution<size_t> pick(0.12);
    std::string s;
    while (s.size() < n)
        s += vocabulary[pick(rng) % vocabulary.size()] + (rng() % 11 ? " " : ".\r\n");
    return std::vector<uint8_t>(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
}

// 16-bit stereo PCM: two sines with a little noise, as ripped audio looks.
inline std::vector<uint8_t> Pcm(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 40.0);
    std::vector<uint8_t> v(n);
    for (size_t k = 0; k + 2 <= n; k += 2) {
        const double t = static_cast<double>(k / 4) / 44100.0 * 2 * 3.14159265358979;
        const auto s =
            static_cast<uint16_t>(std::lround(9000.0 * std::sin((440.0 + k % 4 * 50) * t) +
                                              4000.0 * std::sin(1234.5 * t) + noise(rng)));
        v[k] = static_cast<uint8_t>(s);
        v[k + 1] = static_cast<uint8_t>(s >> 8);
    }
    return v;
}

// Sixteen Mode 1 raw sectors with real EDC and ECC around `user` (16 x 2048 bytes).
inline std::vector<uint8_t> RawSectors(const std::vector<uint8_t>& user, uint32_t lba) {
    std::vector<uint8_t> v(16 * CdSector::kRawSize);
    for (uint32_t k = 0; k < 16; ++k)
        CdSector::BuildMode1(lba + k, &user[k * CdSector::kUserSize], &v[k * CdSector::kRawSize]);
    return v;
}

// `count` random bytes after `v`, none of them starting a 3-byte string seen before.
inline void AppendDistinct(std::vector<uint8_t>& v, size_t count, std::mt19937& rng,
                           std::set<uint32_t>& seen) {
    while (count > 0) {
        v.push_back(static_cast<uint8_t>(rng()));
        const size_t i = v.size() - 3;
        if (v.size() < 3 || seen.insert(v[i] | v[i + 1] << 8 | v[i + 2] << 16).second)
            --count;
        else
            v.pop_back();
    }
}

inline uint32_t Bucket(const std::vector<uint8_t>& v, size_t i) {
    auto at = [&](size_t k) { return k < v.size() ? uint32_t{v[k]} : 0u; };
    return ((at(i + 2) * 16 + at(i + 1)) * 16 + at(i)) & kCookedMask;
}

// A pattern P of `len` bytes, `gap` bytes, then P again at the end. P's repeat is the only
// repeated 3-byte string and at most one position between the two shares P's bucket, so
// all before the repeat is literal, P keeps one of its bucket's two entries, and the repeat
// lies len - 1 + gap token starts after P. With len 0, just `gap` such bytes.
inline std::vector<uint8_t> PatternGapPattern(size_t len, size_t gap, uint32_t seed) {
    for (;; ++seed) {
        std::mt19937 rng(seed);
        std::set<uint32_t> seen;
        std::vector<uint8_t> v;
        AppendDistinct(v, len + gap, rng, seen);
        if (len == 0)
            return v;
        v.insert(v.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(len));
        bool ok = true;
        for (size_t i = len + gap - 2; i < len + gap; ++i) // strings running into the repeat
            ok = ok && seen.insert(v[i] | v[i + 1] << 8 | v[i + 2] << 16).second;
        int sharing = 0;
        for (size_t i = 1; i < len + gap; ++i)
            sharing += Bucket(v, i) == Bucket(v, 0);
        if (ok && sharing <= 1)
            return v;
    }
}

class Builder {
public:
    Builder& N(uint32_t v) {
        if (nibbles_ == 8) {
            nibbleAt_ = Reserve();
            nibbles_ = 0;
        }
        out_[nibbleAt_ + nibbles_ / 2] |= static_cast<uint8_t>(v << (4 * (nibbles_ % 2)));
        ++nibbles_;
        return *this;
    }

    Builder& B(int count, uint32_t v) {
        for (int k = 0; k < count; ++k, ++bits_) {
            if (bits_ == 32) {
                bitAt_ = Reserve();
                bits_ = 0;
            }
            out_[bitAt_ + bits_ / 8] |= static_cast<uint8_t>(((v >> k) & 1) << (bits_ % 8));
        }
        return *this;
    }

    Builder& Raw(const uint8_t* p, size_t count) {
        out_.insert(out_.end(), p, p + count);
        return *this;
    }

    // Items in the format's notation: "N15 B2:3 Y253" is a nibble, two bits (count:value)
    // and a byte; "Rabc" a literal run of "abc" with its header; "E" the end token.
    Builder& Items(const std::string& notation) {
        std::istringstream in(notation);
        for (std::string item; in >> item;) {
            const auto v = static_cast<uint32_t>(std::atoi(item.c_str() + 1));
            if (item[0] == 'N')
                N(v);
            else if (item[0] == 'Y')
                out_.push_back(static_cast<uint8_t>(v));
            else if (item[0] == 'B')
                B(static_cast<int>(v), static_cast<uint32_t>(std::atoi(item.c_str() + 3)));
            else if (item[0] == 'R')
                Run(reinterpret_cast<const uint8_t*>(item.data() + 1), item.size() - 1);
            else
                Items("N15 B2:3 Y255");
        }
        return *this;
    }

    // One literal run: its header as the format's table gives it, then the bytes.
    Builder& Run(const uint8_t* p, size_t r) {
        static const char* const kShort[] = {"",         "N10",      "N11",
                                             "N12 B1:0", "N12 B1:1", "N13 B2:0",
                                             "N13 B2:2", "N13 B2:1", "N13 B2:3"};
        if (r <= 8)
            Items(kShort[r]);
        else if (r <= 24)
            N(14).N(static_cast<uint32_t>(r - 9));
        else
            N(15).B(2, 1).Items("Y" + std::to_string(r - 25));
        return Raw(p, r);
    }

    // A stretch of literals cut the way the coder must cut it: runs of 279, then the rest.
    Builder& Literals(const uint8_t* p, size_t count) {
        for (; count >= 279; p += 279, count -= 279)
            Run(p, 279);
        return count ? Run(p, count) : *this;
    }

    const std::vector<uint8_t>& Bytes() const { return out_; }

private:
    size_t Reserve() {
        out_.resize(out_.size() + 4);
        return out_.size() - 4;
    }

    std::vector<uint8_t> out_;
    size_t nibbleAt_ = 0, bitAt_ = 0;
    int nibbles_ = 8, bits_ = 32; // no word before the first item
};

} // namespace BlockTestData
