#include "image/Zl4Writer.h"

#include <zlib.h>

#include <cstring>

namespace zl4 {

bool Writer::Begin(const Properties& props, const uint8_t* disc) {
    header_ = Header();
    header_.props = props;
    disc_.assign(disc, disc + kDiscRecordSize);
    const uint32_t n = kSectorsPerBlock;
    data_.resize(size_t(n) * props.sectorSize);
    q_.resize(size_t(n) * kSubchannelSize);
    packed_.resize(compressBound(static_cast<uLong>(data_.size())) + q_.size());
    std::vector<uint8_t> placeholder(kHeaderSize, 0);
    if (!out_.Write(placeholder.data(), placeholder.size())) {
        error_ = "cannot write the image header";
        failed_ = true;
        return false;
    }
    offset_ = kHeaderSize;
    return true;
}

void Writer::AddTrack(const Track& track) {
    Track t = track;
    if (t.kind != kTrackSoundFile) {
        t.firstStored = sectors_;
        t.sectorCount = 0;
    } else {
        t.firstStored = kNotStored;
    }
    tracks_.push_back(t);
}

bool Writer::AddSector(const uint8_t* data, const uint8_t* q) {
    if (failed_)
        return false;
    const Properties& p = header_.props;
    memcpy(&data_[size_t(blockSectors_) * p.sectorSize], data, p.sectorSize);
    if (p.subchannel)
        memcpy(&q_[size_t(blockSectors_) * kSubchannelSize], q, kSubchannelSize);
    ++blockSectors_;
    ++sectors_;
    if (!tracks_.empty() && tracks_.back().kind != kTrackSoundFile)
        ++tracks_.back().sectorCount;
    return blockSectors_ < kSectorsPerBlock || FlushBlock();
}

void Writer::AddUnreadable(uint32_t first, uint32_t count) {
    if (count == 0)
        return;
    if (!ranges_.empty() && ranges_.back().first + ranges_.back().count == first) {
        ranges_.back().count += count;
        return;
    }
    ranges_.push_back({first, count});
}

size_t Writer::Compress(const uint8_t* data, size_t size, uint8_t& method) {
    const Properties& p = header_.props;
    method = kMethodRaw;
    if (p.compressionType == kMethodBlockCoder) {
        size_t coded = coder_.Encode(data, size);
        if (coded > 0 && coded < size) {
            memcpy(packed_.data(), coder_.Output(), coded);
            method = kMethodBlockCoder;
            return coded;
        }
    } else if (p.compressionType == kMethodZlib) {
        uLongf packed = static_cast<uLongf>(packed_.size());
        int level = p.compressionLevel >= 1 && p.compressionLevel <= 9 ? p.compressionLevel : 6;
        if (compress2(packed_.data(), &packed, data, static_cast<uLong>(size), level) == Z_OK &&
            packed < size) {
            method = kMethodZlib;
            return packed;
        }
    }
    memcpy(packed_.data(), data, size);
    return size;
}

bool Writer::FlushBlock() {
    if (blockSectors_ == 0)
        return true;
    const Properties& p = header_.props;
    const size_t dataSize = size_t(blockSectors_) * p.sectorSize;
    const size_t qSize = p.subchannel ? size_t(blockSectors_) * kSubchannelSize : 0;
    BlockEntry e;
    e.offset = offset_;
    e.sectors = static_cast<uint8_t>(blockSectors_);
    e.plainCrc = Crc32(Crc32(0, data_.data(), dataSize), q_.data(), qSize);
    size_t stored = Compress(data_.data(), dataSize, e.method);
    memcpy(packed_.data() + stored, q_.data(), qSize);
    stored += qSize;
    e.storedSize = static_cast<uint32_t>(stored);
    e.storedCrc = Crc32(0, packed_.data(), stored);
    index_.push_back(e);
    blockSectors_ = 0;
    return Emit(packed_.data(), stored);
}

bool Writer::Emit(const void* data, size_t size) {
    if (failed_)
        return false;
    if (!out_.Write(data, size)) {
        error_ = "cannot write " + std::to_string(size) + " bytes at byte " +
                 std::to_string(offset_) + " (is the disk full?)";
        failed_ = true;
        return false;
    }
    imageCrc_ = Crc32(imageCrc_, data, size);
    offset_ += size;
    return true;
}

bool Writer::Finish() {
    if (failed_ || !FlushBlock())
        return false;
    Layout& l = header_.layout;
    l.sectorCount = sectors_;
    l.blockCount = static_cast<uint32_t>(index_.size());
    l.trackCount = static_cast<uint32_t>(tracks_.size());
    l.rangeCount = static_cast<uint32_t>(ranges_.size());

    l.discOffset = offset_;
    if (!Emit(disc_.data(), disc_.size()))
        return false;
    l.trackOffset = offset_;
    std::vector<uint8_t> entry(kTrackEntrySize);
    for (const Track& t : tracks_) {
        EncodeTrack(t, entry.data());
        if (!Emit(entry.data(), entry.size()))
            return false;
    }
    l.rangeOffset = offset_;
    for (const Range& r : ranges_) {
        uint8_t bytes[kRangeEntrySize];
        Put32(bytes, r.first);
        Put32(bytes + 4, r.count);
        if (!Emit(bytes, sizeof(bytes)))
            return false;
    }
    l.indexOffset = offset_;
    for (const BlockEntry& e : index_) {
        uint8_t bytes[kIndexEntrySize];
        EncodeBlockEntry(e, bytes);
        if (!Emit(bytes, sizeof(bytes)))
            return false;
    }
    l.fileSize = offset_;
    l.imageCrc = imageCrc_;
    std::vector<uint8_t> header = EncodeHeader(header_);
    if (!out_.WriteAt(0, header.data(), header.size())) {
        error_ = "cannot write the final image header";
        failed_ = true;
        return false;
    }
    return true;
}

} // namespace zl4
