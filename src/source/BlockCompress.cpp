#include "source/BlockCompress.h"

#include <zlib.h>

// A deflate stream kept open between blocks: compress2 would allocate and free its whole
// state for every block. Reset streams produce the same bytes as a fresh compress2 call.
struct BlockCompressor::ZlibStream {
    z_stream z{};
    bool ready = false;

    explicit ZlibStream(int level) { ready = deflateInit(&z, level) == Z_OK; }
    ~ZlibStream() {
        if (ready) {
            deflateEnd(&z);
        }
    }
    ZlibStream(const ZlibStream&) = delete;
    ZlibStream& operator=(const ZlibStream&) = delete;
};

BlockCompressor::BlockCompressor() : zlibOut_(kZlibBufferSize) {}

BlockCompressor::~BlockCompressor() = default;

size_t BlockCompressor::BlockSize(bool raw) {
    return raw ? BlockCoder::kRawBlockSize : BlockCoder::kCookedBlockSize;
}

size_t BlockCompressor::CompressedSize(const uint8_t* block, bool raw, int method, int level) {
    const size_t n = BlockSize(raw);
    size_t size = n;
    if (method == kMethodBlockCoder) {
        size = coder_.Encode(block, n);
    } else if (method == kMethodZlib) {
        size = ZlibSize(block, n, level);
    }
    return size == 0 || size > n ? n : size;
}

size_t BlockCompressor::ZlibSize(const uint8_t* block, size_t n, int level) {
    if (level == Z_DEFAULT_COMPRESSION) {
        level = 6;
    }
    if (level < 0 || level > 9) {
        return n;
    }
    std::unique_ptr<ZlibStream>& stream = zlib_[level];
    if (!stream) {
        stream = std::make_unique<ZlibStream>(level);
    }
    if (!stream->ready) {
        return n;
    }
    z_stream& z = stream->z;
    if (deflateReset(&z) != Z_OK) {
        return n;
    }
    z.next_in = const_cast<Bytef*>(block); // zlib's interface predates const
    z.avail_in = static_cast<uInt>(n);
    z.next_out = zlibOut_.data();
    z.avail_out = static_cast<uInt>(zlibOut_.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END) {
        return n;
    }
    return static_cast<size_t>(z.total_out);
}
