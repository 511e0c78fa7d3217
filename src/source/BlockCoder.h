#pragma once
// Compression method 1 of the image format: a fast dictionary coder for blocks of 16 sectors
// (32768 bytes cooked, 37632 raw). Its output is what the writer program stores, so every
// bit of it is fixed; the decoder (BlockDecoder) restores a block from it.
//
// Parse
//   A counter s numbers the token starts: every literal byte and every match start gets the
//   next number; bytes covered by a match get none and are never hashed. At a token start i
//   the hash h = ((b[i+2]*16 + b[i+1])*16 + b[i]) & (n/4 - 1) (bytes past the end read as 0;
//   the mask is taken literally, 9407 for raw blocks) selects a bucket of two positions,
//   newest and previous; i becomes the newest. The distance of a candidate c is
//   d = seq(i) - seq(c) - 1, the number of token starts between the two, so 0 means the
//   token just before. Candidates with d >= 8192 are ignored. Candidate 2 wins only with a
//   strictly longer match than candidate 1. A match (at most 282 bytes, never past the end)
//   is taken when L >= 3, except L = 3 with d >= 4096 (that form has no code); otherwise i
//   joins the pending literal run, which is written out before a match, at 279 bytes, and at
//   the end. The decoder rebuilds a match's source from the output position it recorded for
//   each token start.
//
// Streams
//   Bytes are appended in order. Nibbles fill a 32-bit little-endian control word from bit 0
//   up, eight per word; the word's four bytes are reserved at the current output position
//   when its first nibble is written. Single bits fill a second control word the same way;
//   its next word is reserved when a value does not fit, the value's low bits completing the
//   old word. Neither word exists before its first use. bits(k, v) writes v's k bits, low
//   bit first; a reader taking bits one at a time gets the prefix codes below.
//
// Tokens (N = nibble, B(k) = bits, Y = byte; for a match the first form that applies)
//   literals r:  1: N10  2: N11  3-4: N12 B1(r-3)  5-8: N13 B2(rev(r-5))
//                9-24: N14 N(r-9)  25-279: N15 B2(1) Y(r-25); then the r bytes
//   match L, d:  L 3/4, d 0: N4 N(L-3)                 L 3, d 256-511: N3 Y(d-256)
//                L 3-5: N(L-3) if d < 256, else N(L+1)  L 6: N7 B1(far)
//                L 7-8: N8 B1(L-7) B1(far)              L 9-12: N9 B2(rev(L-9)) B1(far)
//                L 13-28: N15 B1(0) N(L-13) B1(far)     L 29-282: N15 B2(3) Y(L-29) B1(far)
//                then, when far (d >= 256): d >= 4096: N0 N((d-4096)>>8), else N(d>>8);
//                and last Y(d & 255)
//   end:         N15 B2(3) Y255
//   rev() swaps the two bits, so the reader's first bit is the high one.
//
// The result is the output length, or n once the output would reach n bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

class BlockCoder {
public:
    static constexpr size_t kCookedBlockSize = 32768;
    static constexpr size_t kRawBlockSize = 37632;
    static constexpr size_t kMaxBlockSize = kRawBlockSize;

    BlockCoder();

    static constexpr uint32_t kMaxBuckets = kMaxBlockSize / 4;

    // Codes a block of n bytes (4..kMaxBlockSize; the image uses the two block sizes) with
    // the hash mask n/4 - 1. Returns the coded length, or n as soon as coding cannot gain;
    // 0 for an unsupported size. The coded bytes are in Output() until the next call.
    size_t Encode(const uint8_t* block, size_t n);

    // The whole stream for 1..kMaxBlockSize bytes with any hash mask below kMaxBuckets, gain
    // or not, so that short inputs can be checked token by token without hash collisions.
    size_t EncodeStream(const uint8_t* block, size_t n, uint32_t hashMask);

    const uint8_t* Output() const { return out_.data(); }

private:
    size_t Run(const uint8_t* block, size_t n, uint32_t hashMask, size_t limit);

    std::vector<uint64_t> buckets_; // two entries (position, token number), newest first
    std::vector<uint8_t> out_;
};
