// Speed and size of the block coder next to zlib (levels 1, 3, 6) and LZ4 on the kinds of
// blocks an image size estimate samples, its decoding speed, and the CPU cost of one whole
// estimate (20 cooked and 20 raw blocks, each with the coder and zlib 1, 3 and 6).
#include <lz4.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "source/BlockCoder.h"
#include "source/BlockCompress.h"
#include "source/BlockDecoder.h"
#include "source/CdSector.h"

namespace {

using Block = std::vector<uint8_t>;
using Blocks = std::vector<Block>;

constexpr int kSamples = 20;
constexpr size_t kCooked = BlockCoder::kCookedBlockSize;
constexpr size_t kRaw = BlockCoder::kRawBlockSize;

size_t g_sink = 0; // keeps results alive so no work is optimised away

// Files of a data CD: each starts on a sector and its last sector is padded with zeros.
// Programs and documentation (text and gzip) alternate, as on a software disc.
Block DataDiscImage(size_t maxBytes) {
    namespace fs = std::filesystem;
    std::vector<std::vector<std::string>> trees(2);
    const char* roots[] = {"/usr/bin", "/usr/share/doc"};
    for (int t = 0; t < 2; ++t) {
        std::error_code ec;
        for (fs::recursive_directory_iterator
                 it(roots[t], fs::directory_options::skip_permission_denied, ec),
             end;
             it != end; it.increment(ec)) {
            if (!ec && it->is_regular_file(ec) && !it->is_symlink(ec)) {
                trees[t].push_back(it->path().string());
            }
        }
        std::sort(trees[t].begin(), trees[t].end());
    }
    Block image;
    std::vector<char> buf(256 * 1024); // long files are cut so that no one file dominates
    for (size_t k = 0; image.size() < maxBytes; ++k) {
        const auto& tree = trees[k % 2];
        if (tree.empty()) {
            break;
        }
        std::ifstream f(tree[(k / 2) * 7 % tree.size()], std::ios::binary);
        f.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        const size_t got = static_cast<size_t>(f.gcount());
        image.insert(image.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(got));
        image.resize((image.size() + 2047) / 2048 * 2048);
    }
    return image;
}

// The estimate's sample positions: step = sectors / 21, blocks at step, 2 step, ... 20 step.
Blocks Sample(const Block& image) {
    const size_t sectors = image.size() / 2048;
    const size_t step = sectors / 21;
    Blocks blocks;
    for (int k = 1; k <= kSamples; ++k) {
        const size_t at = k * step * 2048;
        blocks.emplace_back(image.begin() + static_cast<std::ptrdiff_t>(at),
                            image.begin() + static_cast<std::ptrdiff_t>(at + kCooked));
    }
    return blocks;
}

Blocks RawMode1(const Blocks& cooked) {
    Blocks raw;
    uint32_t lba = 1000;
    for (const Block& c : cooked) {
        Block r(kRaw);
        for (size_t s = 0; s < 16; ++s, lba += 37) {
            CdSector::BuildMode1(lba, c.data() + s * 2048, r.data() + s * CdSector::kRawSize);
        }
        raw.push_back(std::move(r));
    }
    return raw;
}

// Stereo 16-bit music-like audio: a few partials with a slow envelope and some noise.
Blocks Pcm() {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0.0, 60.0);
    Blocks blocks;
    size_t frame = 0;
    for (int k = 0; k < kSamples; ++k) {
        Block b(kRaw);
        for (size_t f = 0; f < kRaw; f += 4, ++frame) {
            const double t = static_cast<double>(frame) / 44100.0;
            const double env = 0.6 + 0.4 * std::sin(2 * 3.14159265 * 0.7 * t);
            for (int ch = 0; ch < 2; ++ch) {
                double x = 0;
                for (int p = 1; p <= 4; ++p) {
                    x += 5000.0 / p * std::sin(2 * 3.14159265 * (220.0 + ch * 2.0) * p * t);
                }
                const auto s = static_cast<int16_t>(std::lround(env * x + noise(rng)));
                std::memcpy(&b[f + 2 * ch], &s, 2);
            }
        }
        blocks.push_back(std::move(b));
    }
    return blocks;
}

Blocks Filled(size_t n, bool random) {
    std::mt19937 rng(11);
    Blocks blocks(kSamples, Block(n));
    if (random) {
        for (Block& b : blocks) {
            for (auto& c : b) {
                c = static_cast<uint8_t>(rng());
            }
        }
    }
    return blocks;
}

// Best time of one call over many short runs (each repeats the call for at least 2 ms), so
// that other work on the machine rarely spoils all of them.
template <typename F> double BestSeconds(F&& fn) {
    using Clock = std::chrono::steady_clock;
    int reps = 1;
    for (;;) {
        const auto t0 = Clock::now();
        for (int r = 0; r < reps; ++r) {
            fn();
        }
        if (std::chrono::duration<double>(Clock::now() - t0).count() > 0.002) {
            break;
        }
        reps *= 2;
    }
    double best = 1e9;
    for (int run = 0; run < 31; ++run) {
        const auto t0 = Clock::now();
        for (int r = 0; r < reps; ++r) {
            fn();
        }
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count() / reps);
    }
    return best;
}

struct Figure {
    double mbps = 0;
    double percent = 0; // compressed size against the input, capped at the block size
};

size_t TotalBytes(const Blocks& blocks) {
    size_t total = 0;
    for (const Block& b : blocks) {
        total += b.size();
    }
    return total;
}

template <typename Compress> Figure Measure(const Blocks& blocks, Compress&& compress) {
    size_t out = 0;
    for (const Block& b : blocks) {
        out += std::min(compress(b), b.size());
    }
    const double secs = BestSeconds([&] {
        for (const Block& b : blocks) {
            g_sink += compress(b);
        }
    });
    const double in = static_cast<double>(TotalBytes(blocks));
    return {in / secs / 1e6, 100.0 * static_cast<double>(out) / in};
}

struct Row {
    const char* name;
    Figure coder, zlib[3], lz4;
    double decode = 0, lz4Decode = 0;
};

Row Run(const char* name, const Blocks& blocks) {
    Row row{name, {}, {}, {}, 0, 0};
    BlockCoder coder;
    row.coder = Measure(blocks, [&](const Block& b) { return coder.Encode(b.data(), b.size()); });

    std::vector<uint8_t> zout(BlockCompressor::kZlibBufferSize);
    const int levels[] = {1, 3, 6};
    for (int l = 0; l < 3; ++l) {
        row.zlib[l] = Measure(blocks, [&](const Block& b) {
            uLongf len = static_cast<uLongf>(zout.size());
            const int rc = compress2(zout.data(), &len, b.data(), b.size(), levels[l]);
            return rc == Z_OK ? static_cast<size_t>(len) : b.size();
        });
    }

    std::vector<char> lout(static_cast<size_t>(LZ4_compressBound(static_cast<int>(kRaw))));
    row.lz4 = Measure(blocks, [&](const Block& b) {
        return static_cast<size_t>(LZ4_compress_default(reinterpret_cast<const char*>(b.data()),
                                                        lout.data(), static_cast<int>(b.size()),
                                                        static_cast<int>(lout.size())));
    });

    // Decoding: the coder's whole stream for every block, checked once against the input.
    Blocks streams, lz4Streams;
    for (const Block& b : blocks) {
        const size_t len =
            coder.EncodeStream(b.data(), b.size(), static_cast<uint32_t>(b.size() / 4 - 1));
        streams.emplace_back(coder.Output(), coder.Output() + len);
        const int l =
            LZ4_compress_default(reinterpret_cast<const char*>(b.data()), lout.data(),
                                 static_cast<int>(b.size()), static_cast<int>(lout.size()));
        lz4Streams.emplace_back(lout.begin(), lout.begin() + l);
    }
    BlockDecoder decoder;
    Block out(kRaw);
    for (size_t k = 0; k < blocks.size(); ++k) {
        if (!decoder.Decode(streams[k].data(), streams[k].size(), out.data(), blocks[k].size()) ||
            !std::equal(blocks[k].begin(), blocks[k].end(), out.begin())) {
            std::fprintf(stderr, "%s: block %zu does not round-trip\n", name, k);
            std::exit(1);
        }
    }
    const double in = static_cast<double>(TotalBytes(blocks));
    row.decode = in / BestSeconds([&] {
                     for (size_t k = 0; k < blocks.size(); ++k) {
                         g_sink += decoder.Decode(streams[k].data(), streams[k].size(), out.data(),
                                                  blocks[k].size());
                     }
                 }) /
                 1e6;
    row.lz4Decode =
        in / BestSeconds([&] {
            for (size_t k = 0; k < blocks.size(); ++k) {
                g_sink += static_cast<size_t>(LZ4_decompress_safe(
                    reinterpret_cast<const char*>(lz4Streams[k].data()),
                    reinterpret_cast<char*>(out.data()), static_cast<int>(lz4Streams[k].size()),
                    static_cast<int>(blocks[k].size())));
            }
        }) /
        1e6;
    return row;
}

void PrintRows(const std::vector<Row>& rows) {
    std::printf("%-13s %17s %17s %17s %17s %17s %9s %9s\n", "block kind", "coder MB/s  size",
                "zlib1 MB/s  size", "zlib3 MB/s  size", "zlib6 MB/s  size", "lz4 MB/s  size",
                "dec MB/s", "lz4 dec");
    auto cell = [](const Figure& f) { std::printf(" %9.0f %6.1f%%", f.mbps, f.percent); };
    for (const Row& r : rows) {
        std::printf("%-13s", r.name);
        cell(r.coder);
        for (const Figure& z : r.zlib) {
            cell(z);
        }
        cell(r.lz4);
        std::printf(" %9.0f %9.0f\n", r.decode, r.lz4Decode);
    }
}

// One estimate's compression work, as the analysis does it through BlockCompressor.
void EstimateCost(const Blocks& cooked, const Blocks& raw) {
    BlockCompressor compressor;
    auto all = [&](bool coderOnly) {
        for (int pass = 0; pass < 2; ++pass) {
            const Blocks& blocks = pass ? raw : cooked;
            for (const Block& b : blocks) {
                g_sink += compressor.CompressedSize(b.data(), pass == 1, 1, 0);
                if (!coderOnly) {
                    for (int level : {1, 3, 6}) {
                        g_sink += compressor.CompressedSize(b.data(), pass == 1, 2, level);
                    }
                }
            }
        }
    };
    const double total = BestSeconds([&] { all(false); }) * 1e3;
    const double coder = BestSeconds([&] { all(true); }) * 1e3;
    std::printf("\nOne estimate (20 cooked + 20 raw data-CD blocks, coder + zlib 1, 3, 6):\n");
    std::printf("  total %.1f ms (target <= 75 ms), coder %.2f ms (target <= 10 ms), "
                "zlib %.1f ms\n",
                total, coder, total - coder);
}

} // namespace

int main() {
    const Block image = DataDiscImage(24u << 20);
    if (image.size() < 21 * kCooked) {
        std::fprintf(stderr, "not enough files under /usr/bin and /usr/share/doc\n");
        return 1;
    }
    const Blocks cooked = Sample(image);
    const Blocks raw = RawMode1(cooked);
    std::printf("20 blocks per kind from a %zu MB data-disc image; sizes are output/input, "
                "capped at the block size.\n\n",
                image.size() >> 20);
    std::vector<Row> rows;
    rows.push_back(Run("data cooked", cooked));
    rows.push_back(Run("data raw", raw));
    rows.push_back(Run("pcm audio", Pcm()));
    rows.push_back(Run("zeros cooked", Filled(kCooked, false)));
    rows.push_back(Run("zeros raw", Filled(kRaw, false)));
    rows.push_back(Run("random", Filled(kCooked, true)));
    PrintRows(rows);
    EstimateCost(cooked, raw);
    return g_sink == 42 ? 2 : 0;
}
