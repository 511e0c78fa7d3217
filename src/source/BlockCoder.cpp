#include "source/BlockCoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kWindow = 8192;
// A 3-byte match this far has no code: its far form would begin with nibbles 4, 0, which
// stand for the 3-byte match on the token just before.
constexpr uint32_t kFarShortLimit = 4096;
constexpr size_t kMaxMatch = 282;
constexpr size_t kMaxRun = 279;
// The longest token: a literal run of 279 with two fresh control words and its count byte.
// The output is checked after each match, which may follow a run, so two of these fit after
// the last gaining length.
constexpr size_t kMaxTokenBytes = kMaxRun + 1 + 8;
// Incompressible input costs at most one 279-byte run header (under 2 bytes) per run; 16
// more bytes take the overshoot of literal copies.
constexpr size_t kMaxOutput =
    BlockCoder::kMaxBlockSize + BlockCoder::kMaxBlockSize / 64 + 2 * kMaxTokenBytes + 16;

inline uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store32Le(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}

inline unsigned LowZeroBytes(uint64_t x) {
    // Loads are little-endian on every target, so the first differing byte is the lowest.
    return static_cast<unsigned>(__builtin_ctzll(x)) >> 3;
}

// Length of the common prefix of a and b, at most maxLen; b lies after a in the block, so
// reading maxLen bytes from b bounds both reads.
inline size_t MatchLength(const uint8_t* a, const uint8_t* b, size_t maxLen) {
    size_t len = 0;
    while (len + 8 <= maxLen) {
        const uint64_t x = Load64(a + len) ^ Load64(b + len);
        if (x != 0) {
            return len + LowZeroBytes(x);
        }
        len += 8;
    }
    while (len < maxLen && a[len] == b[len]) {
        ++len;
    }
    return len;
}

// A bucket holds two entries, the newest in the low half. An entry is a position (low 16
// bits) and its token number plus kSeqBias (high 16 bits), so the distance needs no second
// table. The empty entry, position 0 with token number -kSeqBias, is never inside the
// window: candidates need no emptiness test and bytes can be compared first.
constexpr uint32_t kSeqBias = 16384;
constexpr uint64_t kEmptyBucket = 0;

struct Candidates {
    uint32_t newest, previous;
    uint32_t s; // token starts including the current one
};

struct Match {
    uint32_t len, dist;
};

inline size_t Position(uint32_t entry) {
    return entry & 0xFFFF;
}

// Token starts strictly between the candidate and the current position.
inline uint32_t Distance(uint32_t entry, uint32_t s) {
    return s + kSeqBias - (entry >> 16) - 2;
}

// Bytes past the block read as 0, as the hash wants them.
inline uint64_t LoadTail(const uint8_t* p, size_t avail) {
    uint64_t v = 0;
    for (size_t k = 0; k < avail && k < 8; ++k) {
        v |= uint64_t{p[k]} << (8 * k);
    }
    return v;
}

// The hash of the 3 bytes at the low end of `cur`, before the mask.
inline uint32_t Hash(uint64_t cur) {
    const auto b0 = static_cast<uint32_t>(cur & 255);
    const auto b1 = static_cast<uint32_t>(cur >> 8 & 255);
    const auto b2 = static_cast<uint32_t>(cur >> 16 & 255);
    return (b2 * 16 + b1) * 16 + b0;
}

inline bool Worthwhile(const Match& m) {
    return !(m.len == 3 && m.dist >= kFarShortLimit);
}

// The parse decision where 8 bytes can be read at i and at both candidates. `cur` holds the
// 8 bytes at i.
inline bool FindMatch(const uint8_t* in, size_t n, size_t i, uint64_t cur, const Candidates& c,
                      Match& m) {
    const size_t maxLen = std::min(kMaxMatch, n - i);
    const size_t p1 = Position(c.newest), p2 = Position(c.previous);
    const uint64_t x1 = cur ^ Load64(in + p1);
    if ((x1 & 0xFFFFFF) != 0) {
        // Candidate 1 agrees on fewer than 3 bytes, so only candidate 2 can give a match, and
        // its window test covers candidate 1's, which is always nearer.
        const uint64_t x2 = cur ^ Load64(in + p2);
        if ((x2 & 0xFFFFFF) != 0) {
            return false;
        }
        m.dist = Distance(c.previous, c.s);
        if (m.dist >= kWindow) {
            return false;
        }
        m.len = static_cast<uint32_t>(
            x2 != 0 ? LowZeroBytes(x2) : 8 + MatchLength(in + p2 + 8, in + i + 8, maxLen - 8));
        return Worthwhile(m);
    }
    m.dist = Distance(c.newest, c.s);
    if (m.dist >= kWindow) {
        return false;
    }
    size_t len = x1 != 0 ? LowZeroBytes(x1) : 8 + MatchLength(in + p1 + 8, in + i + 8, maxLen - 8);
    // Candidate 2 can only win by being longer, so it must also agree at len.
    if (len < maxLen && in[p2 + len] == in[i + len]) {
        const uint32_t d2 = Distance(c.previous, c.s);
        if (d2 < kWindow) {
            const size_t len2 = MatchLength(in + p2, in + i, maxLen);
            if (len2 > len) {
                len = len2;
                m.dist = d2;
            }
        }
    }
    m.len = static_cast<uint32_t>(len);
    return Worthwhile(m);
}

// The same decision byte by byte for the last few positions.
inline bool FindMatchAtTail(const uint8_t* in, size_t n, size_t i, const Candidates& c, Match& m) {
    const size_t maxLen = std::min(kMaxMatch, n - i);
    const size_t p1 = Position(c.newest), p2 = Position(c.previous);
    size_t len = MatchLength(in + p1, in + i, maxLen);
    m.dist = Distance(c.newest, c.s);
    if (len >= 3) {
        if (m.dist >= kWindow) {
            return false;
        }
        if (len < maxLen && in[p2 + len] == in[i + len]) {
            const uint32_t d2 = Distance(c.previous, c.s);
            const size_t len2 = MatchLength(in + p2, in + i, maxLen);
            if (d2 < kWindow && len2 > len) {
                len = len2;
                m.dist = d2;
            }
        }
    } else {
        len = MatchLength(in + p2, in + i, maxLen);
        m.dist = Distance(c.previous, c.s);
        if (len < 3 || m.dist >= kWindow) {
            return false;
        }
    }
    m.len = static_cast<uint32_t>(len);
    return Worthwhile(m);
}

// Swaps the two bits of a 2-bit value: the reader takes the first-written bit as the high one.
inline uint32_t Reverse2(uint32_t v) {
    return ((v & 1) << 1) | (v >> 1);
}

// Appends bytes, nibbles and bits to one output; the two control words keep their values in
// registers and are stored when a new word replaces them and at the end.
class StreamWriter {
public:
    explicit StreamWriter(uint8_t* out) : base_(out), p_(out) {}

    void Byte(uint32_t v) { *p_++ = static_cast<uint8_t>(v); }

    // Copies in 16-byte steps when `readable` (bytes valid from src) allows the overshoot;
    // the output buffer has the slack, and the extra bytes are overwritten next.
    void Bytes(const uint8_t* src, size_t count, size_t readable) {
        if (readable >= count + 15) {
            for (size_t k = 0; k < count; k += 16) {
                std::memcpy(p_ + k, src + k, 16);
            }
        } else {
            std::memcpy(p_, src, count);
        }
        p_ += count;
    }

    void Nibble(uint32_t v) {
        if (nibbleCount_ == 8) {
            if (nibbleWord_ != nullptr) {
                Store32Le(nibbleWord_, nibbles_);
            }
            nibbleWord_ = p_;
            p_ += 4;
            nibbles_ = 0;
            nibbleCount_ = 0;
        }
        nibbles_ |= v << (4 * nibbleCount_);
        ++nibbleCount_;
    }

    void Bits(unsigned count, uint32_t v) {
        if (bitCount_ + count <= 32) {
            bits_ |= v << bitCount_; // bitCount_ < 32 here since count >= 1
            bitCount_ += count;
            return;
        }
        const unsigned low = 32 - bitCount_;
        if (low != 0) {
            bits_ |= v << bitCount_;
        }
        if (bitWord_ != nullptr) {
            Store32Le(bitWord_, bits_);
        }
        bitWord_ = p_;
        p_ += 4;
        bits_ = v >> low;
        bitCount_ = count - low;
    }

    void Finish() {
        if (nibbleWord_ != nullptr) {
            Store32Le(nibbleWord_, nibbles_);
        }
        if (bitWord_ != nullptr) {
            Store32Le(bitWord_, bits_);
        }
    }

    size_t Size() const { return static_cast<size_t>(p_ - base_); }

private:
    uint8_t* base_;
    uint8_t* p_;
    uint8_t* nibbleWord_ = nullptr;
    uint8_t* bitWord_ = nullptr;
    uint32_t nibbles_ = 0;
    uint32_t bits_ = 0;
    unsigned nibbleCount_ = 8; // no word yet: the first nibble reserves one
    unsigned bitCount_ = 32;   // likewise for the first bit
};

// Token writers are forced inline so that the writer's state stays in registers.
#define ZL_HOT_INLINE __attribute__((always_inline)) inline

ZL_HOT_INLINE void WriteLiterals(StreamWriter& w, const uint8_t* src, size_t r, size_t readable) {
    if (r == 1) {
        w.Nibble(10);
    } else if (r == 2) {
        w.Nibble(11);
    } else if (r <= 4) {
        w.Nibble(12);
        w.Bits(1, static_cast<uint32_t>(r - 3));
    } else if (r <= 8) {
        w.Nibble(13);
        w.Bits(2, Reverse2(static_cast<uint32_t>(r - 5)));
    } else if (r <= 24) {
        w.Nibble(14);
        w.Nibble(static_cast<uint32_t>(r - 9));
    } else {
        w.Nibble(15);
        w.Bits(2, 1);
        w.Byte(static_cast<uint32_t>(r - 25));
    }
    w.Bytes(src, r, readable);
}

ZL_HOT_INLINE void WriteMatch(StreamWriter& w, uint32_t len, uint32_t d) {
    const uint32_t far = d >= 256 ? 1 : 0;
    if (len <= 4 && d == 0) {
        w.Nibble(4);
        w.Nibble(len - 3);
        return;
    }
    if (len == 3 && far && d < 512) {
        w.Nibble(3);
        w.Byte(d - 256);
        return;
    }
    if (len <= 5) {
        w.Nibble(far ? len + 1 : len - 3);
    } else if (len == 6) {
        w.Nibble(7);
        w.Bits(1, far);
    } else if (len <= 8) {
        w.Nibble(8);
        w.Bits(1, len - 7);
        w.Bits(1, far);
    } else if (len <= 12) {
        w.Nibble(9);
        w.Bits(2, Reverse2(len - 9));
        w.Bits(1, far);
    } else if (len <= 28) {
        w.Nibble(15);
        w.Bits(1, 0);
        w.Nibble(len - 13);
        w.Bits(1, far);
    } else {
        w.Nibble(15);
        w.Bits(2, 3);
        w.Byte(len - 29);
        w.Bits(1, far);
    }
    if (far) {
        if (d >= kFarShortLimit) {
            w.Nibble(0);
            w.Nibble((d - kFarShortLimit) >> 8);
        } else {
            w.Nibble(d >> 8);
        }
    }
    w.Byte(d & 255);
}

void WriteEnd(StreamWriter& w) {
    w.Nibble(15);
    w.Bits(2, 3);
    w.Byte(255);
}

} // namespace

BlockCoder::BlockCoder() : buckets_(kMaxBuckets), out_(kMaxOutput) {}

size_t BlockCoder::Encode(const uint8_t* block, size_t n) {
    if (n < 4 || n > kMaxBlockSize) {
        return 0;
    }
    return Run(block, n, static_cast<uint32_t>(n / 4 - 1), n - 1);
}

size_t BlockCoder::EncodeStream(const uint8_t* block, size_t n, uint32_t hashMask) {
    if (n == 0 || n > kMaxBlockSize || hashMask >= kMaxBuckets) {
        return 0;
    }
    return Run(block, n, hashMask, kMaxOutput);
}

// `limit` is the longest output worth having; beyond it the block counts as n bytes.
size_t BlockCoder::Run(const uint8_t* in, size_t n, uint32_t hashMask, size_t limit) {
    uint64_t* const buckets = buckets_.data();
    std::fill(buckets, buckets + hashMask + 1, kEmptyBucket);

    StreamWriter w(out_.data());
    const size_t fastEnd = n >= 8 ? n - 7 : 0; // below it 8 bytes can be read at i
    uint32_t s = 0;                            // token starts so far
    size_t runStart = 0;                       // the pending literal run is [runStart, i)
    size_t i = 0;
    while (i < n) {
        const uint32_t entry = static_cast<uint32_t>(i) | (s + kSeqBias) << 16;
        ++s;
        const bool fast = i < fastEnd;
        const uint64_t cur = fast ? Load64(in + i) : LoadTail(in + i, n - i);
        uint64_t& bucket = buckets[Hash(cur) & hashMask];
        const uint64_t old = bucket;
        bucket = old << 32 | entry;
        const Candidates c{static_cast<uint32_t>(old), static_cast<uint32_t>(old >> 32), s};
        Match m;
        if (fast ? FindMatch(in, n, i, cur, c, m) : FindMatchAtTail(in, n, i, c, m)) {
            if (runStart < i) {
                WriteLiterals(w, in + runStart, i - runStart, n - runStart);
            }
            WriteMatch(w, m.len, m.dist);
            if (w.Size() > limit) {
                return n;
            }
            i += m.len;
            runStart = i;
            continue;
        }
        ++i;
        if (i - runStart == kMaxRun) {
            WriteLiterals(w, in + runStart, kMaxRun, n - runStart);
            if (w.Size() > limit) {
                return n;
            }
            runStart = i;
        }
    }
    if (runStart < n) {
        WriteLiterals(w, in + runStart, n - runStart, n - runStart);
    }
    WriteEnd(w);
    if (w.Size() > limit) {
        return n;
    }
    w.Finish();
    return w.Size();
}
