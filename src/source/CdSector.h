#pragma once
// Raw CD-ROM Mode 1 sectors (2352 bytes) as a drive returns them: sync, header, 2048 user
// bytes, EDC, 8 zero bytes and the P and Q parity of the cross-interleaved Reed-Solomon code.
// Used to make realistic raw data and to check raw reads. Header-only so that any target
// can use it without a library change.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace CdSector {

constexpr size_t kRawSize = 2352;
constexpr size_t kUserSize = 2048;
constexpr size_t kHeaderOffset = 12;
constexpr size_t kUserOffset = 16;
constexpr size_t kEdcOffset = 2064;
constexpr size_t kPOffset = 2076;
constexpr size_t kQOffset = 2248;
constexpr uint32_t kLeadIn = 150; // sector 0 lies at 00:02:00

namespace detail {

struct Tables {
    uint32_t edc[256];
    uint8_t exp[512]; // GF(2^8), x^8 + x^4 + x^3 + x^2 + 1, doubled to skip a modulo
    uint8_t log[256];

    Tables() {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t v = i;
            for (int k = 0; k < 8; ++k) {
                v = (v >> 1) ^ ((v & 1) ? 0xD8018001u : 0u);
            }
            edc[i] = v;
        }
        uint32_t x = 1;
        for (int i = 0; i < 255; ++i) {
            exp[i] = static_cast<uint8_t>(x);
            exp[i + 255] = static_cast<uint8_t>(x);
            log[x] = static_cast<uint8_t>(i);
            x <<= 1;
            if (x & 0x100) {
                x ^= 0x11D;
            }
        }
        exp[510] = exp[0];
        exp[511] = exp[1];
        log[0] = 0; // never used: zero has no logarithm
    }

    uint8_t Mul(uint8_t a, uint8_t b) const {
        return (a == 0 || b == 0) ? 0 : exp[log[a] + log[b]];
    }
    uint8_t Div(uint8_t a, uint8_t b) const { // b != 0
        return a == 0 ? 0 : exp[log[a] + 255 - log[b]];
    }
};

inline const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

// Two parity symbols that make sum(V) = 0 and sum(V[m] * a^(count-1-m)) = 0 over the
// vector whose `count - 2` data symbols are at word indexes from `index`; the parity
// symbols go to words p0 and p1. Offsets are byte offsets from the header; `plane` picks
// the low or high byte of each 16-bit word.
template <typename IndexOf>
void Parity(uint8_t* base, int plane, int count, IndexOf index, size_t p0, size_t p1) {
    const Tables& t = GetTables();
    uint8_t s0 = 0, s1 = 0;
    for (int m = 0; m < count - 2; ++m) {
        const uint8_t v = base[2 * index(m) + plane];
        s0 ^= v;
        s1 = t.Mul(s1, 2) ^ v; // Horner: the weights fall from a^(count-1)
    }
    s1 = t.Mul(t.Mul(s1, 2), 2);
    const uint8_t q0 = t.Div(s0 ^ s1, 3); // 3 = a + 1
    base[2 * p0 + plane] = q0;
    base[2 * p1 + plane] = s0 ^ q0;
}

inline uint8_t Bcd(uint32_t v) {
    return static_cast<uint8_t>((v / 10) << 4 | (v % 10));
}

} // namespace detail

// CRC-32 of the EDC field (polynomial 0xD8018001 reflected, start 0, no final xor).
inline uint32_t Edc(const uint8_t* data, size_t count) {
    const detail::Tables& t = detail::GetTables();
    uint32_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc = (crc >> 8) ^ t.edc[(crc ^ data[i]) & 0xFF];
    }
    return crc;
}

// P and Q parity over bytes 12..2247 of a sector whose header, data, EDC and zero field are
// in place. The 2064 bytes from the header on are 1032 16-bit words: P runs down 43 columns
// of 24 words, Q along 26 diagonals of 43 words that also cover the P parity.
inline void WriteEcc(uint8_t* sector) {
    uint8_t* base = sector + kHeaderOffset;
    for (int plane = 0; plane < 2; ++plane) {
        for (size_t col = 0; col < 43; ++col) {
            detail::Parity(
                base, plane, 26, [col](int m) { return 43 * static_cast<size_t>(m) + col; },
                1032 + col, 1075 + col);
        }
        for (size_t diag = 0; diag < 26; ++diag) {
            detail::Parity(
                base, plane, 45,
                [diag](int m) { return (44 * static_cast<size_t>(m) + 43 * diag) % 1118; },
                1118 + diag, 1144 + diag);
        }
    }
}

// A complete Mode 1 sector for logical block `lba` carrying `user` (2048 bytes).
inline void BuildMode1(uint32_t lba, const uint8_t* user, uint8_t* sector) {
    std::memset(sector, 0, kRawSize);
    std::memset(sector + 1, 0xFF, 10);
    const uint32_t a = lba + kLeadIn;
    sector[12] = detail::Bcd(a / (75 * 60));
    sector[13] = detail::Bcd(a / 75 % 60);
    sector[14] = detail::Bcd(a % 75);
    sector[15] = 1;
    std::memcpy(sector + kUserOffset, user, kUserSize);
    const uint32_t edc = Edc(sector, kEdcOffset);
    for (int k = 0; k < 4; ++k) {
        sector[kEdcOffset + k] = static_cast<uint8_t>(edc >> (8 * k));
    }
    WriteEcc(sector);
}

} // namespace CdSector
