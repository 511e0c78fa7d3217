#pragma once
// Test helpers for the block coder: an expected-stream builder that lays items out one bit
// at a time (so it shares no packing code with the coder), and inputs whose parse is known.
#include <cstdint>
#include <random>
#include <set>
#include <vector>

namespace BlockStream {

constexpr uint32_t kCookedMask = 8191;

class Builder {
public:
    Builder& N(uint32_t v) {
        if (nibbles_ == 8) {
            nibbleAt_ = out_.size();
            out_.resize(out_.size() + 4);
            nibbles_ = 0;
        }
        out_[nibbleAt_ + nibbles_ / 2] |= static_cast<uint8_t>(v << (4 * (nibbles_ % 2)));
        ++nibbles_;
        return *this;
    }

    Builder& B(int count, uint32_t v) {
        for (int k = 0; k < count; ++k) {
            if (bits_ == 32) {
                bitAt_ = out_.size();
                out_.resize(out_.size() + 4);
                bits_ = 0;
            }
            out_[bitAt_ + bits_ / 8] |= static_cast<uint8_t>(((v >> k) & 1) << (bits_ % 8));
            ++bits_;
        }
        return *this;
    }

    Builder& Y(uint32_t v) {
        out_.push_back(static_cast<uint8_t>(v));
        return *this;
    }

    Builder& Raw(const uint8_t* p, size_t count) {
        out_.insert(out_.end(), p, p + count);
        return *this;
    }

    // One literal run: its header as the format's table gives it, then the bytes.
    Builder& Run(const uint8_t* p, size_t r) {
        if (r == 1) {
            N(10);
        } else if (r == 2) {
            N(11);
        } else if (r <= 4) {
            N(12).B(1, static_cast<uint32_t>(r - 3));
        } else if (r <= 8) {
            static const uint32_t kCode[] = {0, 2, 1, 3};
            N(13).B(2, kCode[r - 5]);
        } else if (r <= 24) {
            N(14).N(static_cast<uint32_t>(r - 9));
        } else {
            N(15).B(2, 1).Y(static_cast<uint32_t>(r - 25));
        }
        return Raw(p, r);
    }

    // A stretch of literals cut the way the coder must cut it: runs of 279, then the rest.
    Builder& Literals(const uint8_t* p, size_t count) {
        for (; count >= 279; p += 279, count -= 279) {
            Run(p, 279);
        }
        return count ? Run(p, count) : *this;
    }

    Builder& End() { return N(15).B(2, 3).Y(255); }

    const std::vector<uint8_t>& Bytes() const { return out_; }

private:
    std::vector<uint8_t> out_;
    size_t nibbleAt_ = 0;
    size_t bitAt_ = 0;
    int nibbles_ = 8;
    int bits_ = 32;
};

inline uint32_t Bucket(const std::vector<uint8_t>& v, size_t i, uint32_t mask) {
    auto at = [&](size_t k) { return k < v.size() ? uint32_t{v[k]} : 0u; };
    return ((at(i + 2) * 16 + at(i + 1)) * 16 + at(i)) & mask;
}

// Appends `count` random bytes, none of them starting a 3-byte string seen before.
inline void AppendDistinct(std::vector<uint8_t>& v, size_t count, std::mt19937& rng,
                           std::set<uint32_t>& seen) {
    auto tri = [&](size_t i) { return v[i] | v[i + 1] << 8 | v[i + 2] << 16; };
    for (size_t k = 0; k < count;) {
        v.push_back(static_cast<uint8_t>(rng()));
        if (v.size() < 3 || seen.insert(tri(v.size() - 3)).second) {
            ++k;
        } else {
            v.pop_back();
        }
    }
}

inline std::vector<uint8_t> Distinct(size_t count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::set<uint32_t> seen;
    std::vector<uint8_t> v;
    AppendDistinct(v, count, rng, seen);
    return v;
}

// A pattern P of `len` bytes, `gap` bytes, then P again at the end, where P's repeat is
// the only repeated 3-byte string and at most one position between the two hashes into
// P's bucket (mask 8191). So everything before the repeat is literal, P stays in one of
// its bucket's two entries, and the repeat lies len - 1 + gap token starts after P.
inline std::vector<uint8_t> PatternGapPattern(size_t len, size_t gap, uint32_t seed) {
    for (;; ++seed) {
        std::mt19937 rng(seed);
        std::set<uint32_t> seen;
        std::vector<uint8_t> v;
        const size_t first = len + gap;
        AppendDistinct(v, first, rng, seen);
        v.insert(v.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(len));
        bool ok = true;
        // The two strings that run into the repeat must be new as well.
        for (size_t i = first - 2; i < first; ++i) {
            ok = ok && seen.insert(v[i] | v[i + 1] << 8 | v[i + 2] << 16).second;
        }
        int sharing = 0;
        for (size_t i = 1; i < first; ++i) {
            sharing += Bucket(v, i, kCookedMask) == Bucket(v, 0, kCookedMask);
        }
        if (ok && sharing <= 1) {
            return v;
        }
    }
}

} // namespace BlockStream
