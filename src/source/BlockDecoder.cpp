#include "source/BlockDecoder.h"

#include <cstring>

namespace {

// A token head takes at most a fresh nibble word, a fresh bit word and two bytes, so with
// zero padding behind the input a token can be read without bounds checks and the overrun
// is caught once the token is complete.
constexpr size_t kPadding = 16;

// The longest input that can be a coded block: the coder gives up long before.
constexpr size_t kMaxInput = BlockDecoder::kMaxBlockSize + BlockDecoder::kMaxBlockSize / 8;

// The common tokens, by head nibble and the next three bits (as read, first in bit 0), in
// one lookup: runs of 1 to 24 and matches of 3 to 28 bytes. Length 0 marks the rest:
// head 4 and the long forms and end of head 15.
struct FastToken {
    uint8_t length, bitsUsed, match, far, lengthNibble;
    uint16_t distanceBase;
};

struct FastTokenTable {
    FastToken at[16 * 8] = {};

    constexpr FastTokenTable() {
        for (uint32_t bits = 0; bits < 8; ++bits) {
            const uint32_t b0 = bits & 1, b1 = bits >> 1 & 1, b2 = bits >> 2 & 1;
            const uint32_t two = b0 << 1 | b1; // two length bits: the first read is high
            auto set = [&](uint32_t head, uint32_t length, uint32_t used, uint32_t match,
                           uint32_t far, uint32_t nibble = 0, uint32_t base = 0) {
                at[head << 3 | bits] = {static_cast<uint8_t>(length), static_cast<uint8_t>(used),
                                        static_cast<uint8_t>(match),  static_cast<uint8_t>(far),
                                        static_cast<uint8_t>(nibble), static_cast<uint16_t>(base)};
            };
            // head, length, bits used, match, far, length nibble follows, distance base
            set(0, 3, 0, 1, 0);
            set(1, 4, 0, 1, 0);
            set(2, 5, 0, 1, 0);
            set(3, 3, 0, 1, 0, 0, 256);
            set(5, 4, 0, 1, 1);
            set(6, 5, 0, 1, 1);
            set(7, 6, 1, 1, b0);
            set(8, 7 + b0, 2, 1, b1);
            set(9, 9 + two, 3, 1, b2);
            set(10, 1, 0, 0, 0);
            set(11, 2, 0, 0, 0);
            set(12, 3 + b0, 1, 0, 0);
            set(13, 5 + two, 2, 0, 0);
            set(14, 9, 0, 0, 0, 1);
            if (b0 == 0) {
                set(15, 13, 2, 1, b1, 1);
            }
        }
    }
};

constexpr FastTokenTable kFastTokens;

// The bits each head's table entries use, four bits per head. Taking the count from the head
// alone keeps the table load off the chain of shifts through the bit word.
constexpr uint64_t PackBitsUsed() {
    uint64_t packed = 0;
    for (uint32_t head = 0; head < 16; ++head) {
        packed |= uint64_t{kFastTokens.at[head << 3].bitsUsed} << (4 * head);
    }
    return packed;
}
constexpr uint64_t kBitsUsed = PackBitsUsed();

inline uint32_t Load32Le(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// Copies a match that may overlap its own output, as LZ77 repeats do.
inline void CopyMatch(uint8_t* out, size_t from, size_t to, size_t len, size_t n) {
    const uint8_t* src = out + from;
    uint8_t* dst = out + to;
    const size_t offset = to - from;
    if (offset >= 16 && n - to >= len + 15) {
        // Sixteen bytes at a time, possibly past the match: later tokens overwrite that.
        for (size_t k = 0; k < len; k += 16) {
            std::memcpy(dst + k, src + k, 16);
        }
    } else if (offset >= 8 && n - to >= len + 7) {
        for (size_t k = 0; k < len; k += 8) {
            std::memcpy(dst + k, src + k, 8);
        }
    } else {
        // Near the block's end or on short periods: byte by byte, which repeats the period.
        for (size_t k = 0; k < len; ++k) {
            dst[k] = src[k];
        }
    }
}

// Copies literal bytes, 16 at a time when the output has room for the overshoot (the
// padded input always has).
inline void CopyLiterals(uint8_t* dst, size_t dstRoom, const uint8_t* src, size_t len) {
    if (dstRoom >= len + 15) {
        for (size_t k = 0; k < len; k += 16) {
            std::memcpy(dst + k, src + k, 16);
        }
    } else {
        std::memcpy(dst, src, len);
    }
}

// Every literal is a token start: positions first, first + 1, ... sixteen at a time. The
// table has room for the overshoot, which later tokens overwrite.
inline void RecordLiteralStarts(uint16_t* starts, uint32_t first, uint32_t count) {
    typedef uint16_t U16x8 __attribute__((vector_size(16)));
    const U16x8 iota = {0, 1, 2, 3, 4, 5, 6, 7};
    U16x8 v = iota + static_cast<uint16_t>(first);
    for (uint32_t k = 0; k < count; k += 16) {
        std::memcpy(starts + k, &v, sizeof v);
        v += 8;
        std::memcpy(starts + k + 8, &v, sizeof v);
        v += 8;
    }
}

} // namespace

BlockDecoder::BlockDecoder() : input_(kMaxInput + kPadding), tokenStarts_(kMaxBlockSize + 16) {}

bool BlockDecoder::Decode(const uint8_t* in, size_t size, uint8_t* out, size_t n) {
    if (n > kMaxBlockSize || size > kMaxInput) {
        return false;
    }
    // A padded copy lets every read of a token go unchecked; the state below stays in
    // registers, which matters more than anything else for speed.
    uint8_t* const buf = input_.data();
    if (size != 0) { // an empty input may come as a null pointer
        std::memcpy(buf, in, size);
    }
    std::memset(buf + size, 0, kPadding);
    const uint8_t* p = buf;
    const uint8_t* const end = buf + size;
    uint32_t nibbles = 0, nibbleCount = 0; // current nibble word, nibbles left in it
    uint32_t bits = 0, bitCount = 0;       // current bit word, bits left in it
    uint16_t* const starts = tokenStarts_.data();
    size_t o = 0;     // output position
    uint32_t tok = 0; // token starts so far

    // A control word is fetched where the first item that needs it is read, which is where
    // the coder reserved it.
    auto nibble = [&]() {
        if (nibbleCount == 0) {
            nibbles = Load32Le(p);
            p += 4;
            nibbleCount = 8;
        }
        const uint32_t v = nibbles & 15;
        nibbles >>= 4;
        --nibbleCount;
        return v;
    };
    auto bit = [&]() {
        if (bitCount == 0) {
            bits = Load32Le(p);
            p += 4;
            bitCount = 32;
        }
        const uint32_t v = bits & 1;
        bits >>= 1;
        --bitCount;
        return v;
    };
    auto twoBits = [&]() { // the first read is the high bit
        const uint32_t high = bit();
        return high << 1 | bit();
    };
    auto byte = [&]() { return uint32_t{*p++}; };

    for (;;) {
        const uint32_t head = nibble();
        uint32_t len, far = 0, d = 0, match = 1;
        const FastToken e = kFastTokens.at[head << 3 | (bits & 7)];
        const uint32_t used = static_cast<uint32_t>(kBitsUsed >> (4 * head)) & 15;
        if (e.length != 0 && bitCount >= used) {
            bits >>= used;
            bitCount -= used;
            len = e.length + (e.lengthNibble ? nibble() : 0);
            match = e.match;
            far = e.far;
            d = e.distanceBase;
        } else {
            // The rest, and the common forms whose bits continue in a new word, item by item.
            switch (head) {
            case 4: {
                const uint32_t v = nibble();
                len = v < 2 ? 3 + v : 3;
                d = v < 2 ? 0 : v << 8;
                match = v < 2 ? 2 : 1; // 2: no distance byte follows
                break;
            }
            case 7:
                len = 6;
                far = bit();
                break;
            case 8:
                len = 7 + bit();
                far = bit();
                break;
            case 9:
                len = 9 + twoBits();
                far = bit();
                break;
            case 12:
                len = 3 + bit();
                match = 0;
                break;
            case 13:
                len = 5 + twoBits();
                match = 0;
                break;
            case 15:
                if (bit() == 0) {
                    len = 13 + nibble();
                    far = bit();
                    break;
                }
                if (bit() == 0) {
                    len = 25 + byte();
                    match = 0;
                    break;
                }
                len = byte();
                if (len == 255) { // the end
                    return p == end && o == n;
                }
                if (len > 282 - 29) {
                    return false;
                }
                len += 29;
                far = bit();
                break;
            default: // the table takes every other head whole
                return false;
            }
        }
        if (match == 0) {
            if (p > end || len > n - o || len > static_cast<size_t>(end - p)) {
                return false; // the token runs past the input or the block
            }
            CopyLiterals(out + o, n - o, p, len);
            RecordLiteralStarts(starts + tok, static_cast<uint32_t>(o), len);
            p += len;
            tok += len;
        } else {
            if (match == 1) {
                if (far) {
                    uint32_t high = nibble();
                    if (high == 0) {
                        high = 16 + nibble(); // 4096 and beyond
                    }
                    d = high << 8;
                }
                d += byte();
            }
            if (p > end || len > n - o || d >= tok) {
                return false; // past the input or the block, or before the first token
            }
            const size_t from = starts[tok - 1 - d];
            starts[tok++] = static_cast<uint16_t>(o);
            CopyMatch(out, from, o, len, n);
        }
        o += len;
    }
}
