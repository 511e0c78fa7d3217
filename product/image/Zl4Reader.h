#pragma once
// Reads a .zl4 image: checks the header and every table on Open, restores blocks on demand
// and checks their checksums. Every refusal names the byte or block and the reason.
#include "image/Zl4File.h"
#include "image/Zl4Format.h"
#include "source/BlockDecoder.h"

#include <string>
#include <vector>

namespace zl4 {

class Reader {
public:
    bool Open(Input& in, std::string& error);

    const Header& GetHeader() const { return header_; }
    const std::vector<uint8_t>& DiscRecord() const { return disc_; }
    const std::vector<Track>& Tracks() const { return tracks_; }
    const std::vector<Range>& Unreadable() const { return ranges_; }
    const std::vector<BlockEntry>& Blocks() const { return index_; }
    uint32_t StoredSectorBytes() const { return StoredSectorSize(header_.props); }

    // The plain content of block `index` (sector data, then Q bytes when stored).
    bool ReadBlock(uint32_t index, std::vector<uint8_t>& plain, std::string& error);
    // Stored sector `n`: its data (sector size) and, when stored, its 16 Q bytes.
    bool ReadSector(uint32_t n, uint8_t* data, uint8_t* q, std::string& error);
    // Every block restored and checked, then the checksum of the whole image.
    bool Verify(std::string& error);

private:
    Input* in_ = nullptr;
    Header header_;
    std::vector<uint8_t> disc_;
    std::vector<Track> tracks_;
    std::vector<Range> ranges_;
    std::vector<BlockEntry> index_;
    std::vector<uint8_t> stored_, cache_;
    uint32_t cachedBlock_ = kNotStored;
    BlockDecoder decoder_;
};

} // namespace zl4
