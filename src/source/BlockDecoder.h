#pragma once
// Restores a block from the output of BlockCoder (format described there). A distance counts
// token starts, not bytes, so the decoder keeps the output position of every token start and
// looks the source up there.
#include <cstddef>
#include <cstdint>
#include <vector>

class BlockDecoder {
public:
    static constexpr size_t kMaxBlockSize = 37632;

    BlockDecoder();

    // Decodes `size` coded bytes into exactly n bytes (at most kMaxBlockSize) at `out`. False
    // when the input is malformed, truncated, has bytes after the end token or does not fill
    // n bytes; nothing outside the two buffers is read or written either way.
    bool Decode(const uint8_t* in, size_t size, uint8_t* out, size_t n);

private:
    std::vector<uint8_t> input_;        // padded copy of the coded bytes
    std::vector<uint16_t> tokenStarts_; // output position of each token start
};
