#pragma once
// The compressed size of one sample block with one of the image format's methods, for the
// image size estimate. Holds the coder's work area and zlib's state so that the 160 block
// compressions of an estimate allocate nothing after the first use of each level.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "source/BlockCoder.h"

class BlockCompressor {
public:
    // The image format's compression types (0 is none).
    static constexpr int kMethodBlockCoder = 1;
    static constexpr int kMethodZlib = 2;
    static constexpr size_t kZlibBufferSize = 37932;

    BlockCompressor();
    ~BlockCompressor();
    BlockCompressor(const BlockCompressor&) = delete;
    BlockCompressor& operator=(const BlockCompressor&) = delete;

    // Block size for a block of 16 sectors: 32768 bytes cooked, 37632 raw.
    static size_t BlockSize(bool raw);

    // Compressed size of the block with `method` (zlib at `level`, -1 or 0..9), never more
    // than the block size; a block that does not compress, an unknown method or a zlib
    // failure count as the block size.
    size_t CompressedSize(const uint8_t* block, bool raw, int method, int level);

private:
    size_t ZlibSize(const uint8_t* block, size_t n, int level);

    struct ZlibStream;
    BlockCoder coder_;
    std::vector<uint8_t> zlibOut_;
    std::unique_ptr<ZlibStream> zlib_[10]; // one per level, made on first use
};
