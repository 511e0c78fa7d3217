#pragma once
// Writes a .zl4 image front to back: a header placeholder, the blocks as their sectors
// arrive, then the disc record, track table, unreadable ranges and block index, and last
// the final header. A failed write (a full disk) stops everything with an error text.
#include "image/Zl4File.h"
#include "image/Zl4Format.h"
#include "source/BlockCoder.h"

#include <string>
#include <vector>

namespace zl4 {

class Writer {
public:
    explicit Writer(Output& out) : out_(out) {}

    // `disc` holds the table of contents (804 bytes) and the session details (1101).
    bool Begin(const Properties& props, const uint8_t* disc);
    // Starts a track; for data and audio tracks its sectors follow through AddSector and
    // its count is the number added until the next track or Finish. A sound-file track
    // keeps the count given.
    void AddTrack(const Track& track);
    // One sector: `data` of the sector size, `q` 16 bytes when sub-channel is stored.
    bool AddSector(const uint8_t* data, const uint8_t* q);
    // Sectors that could not be read (disc addresses); adjacent ranges are merged.
    void AddUnreadable(uint32_t first, uint32_t count);
    bool Finish();

    const std::string& Error() const { return error_; }
    uint64_t BytesWritten() const { return offset_; }
    uint32_t SectorCount() const { return sectors_; }

private:
    bool FlushBlock();
    bool Emit(const void* data, size_t size);
    size_t Compress(const uint8_t* data, size_t size, uint8_t& method);

    Output& out_;
    Header header_;
    std::vector<uint8_t> disc_;
    std::vector<Track> tracks_;
    std::vector<Range> ranges_;
    std::vector<BlockEntry> index_;
    std::vector<uint8_t> data_, q_, packed_;
    uint32_t blockSectors_ = 0, sectors_ = 0;
    uint64_t offset_ = 0;
    uint32_t imageCrc_ = 0;
    BlockCoder coder_;
    std::string error_;
    bool failed_ = false;
};

} // namespace zl4
