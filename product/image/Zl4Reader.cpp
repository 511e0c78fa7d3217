#include "image/Zl4Reader.h"

#include <zlib.h>

#include <cstring>

namespace zl4 {
namespace {
std::string BlockAt(uint32_t index, uint64_t offset) {
    return "block " + std::to_string(index) + " (byte " + std::to_string(offset) + "): ";
}
} // namespace

bool Reader::Open(Input& in, std::string& error) {
    in_ = nullptr;
    cachedBlock_ = kNotStored;
    const uint64_t fileSize = in.Size();
    std::vector<uint8_t> head(fileSize < kHeaderSize ? size_t(fileSize) : kHeaderSize);
    if (!in.ReadAt(0, head.data(), head.size())) {
        error = "byte 0: cannot read the file";
        return false;
    }
    if (!DecodeHeader(head.data(), head.size(), fileSize, header_, error))
        return false;
    const Layout& l = header_.layout;

    disc_.resize(kDiscRecordSize);
    std::vector<uint8_t> tracks(size_t(l.trackCount) * kTrackEntrySize);
    std::vector<uint8_t> ranges(size_t(l.rangeCount) * kRangeEntrySize);
    std::vector<uint8_t> index(size_t(l.blockCount) * kIndexEntrySize);
    if (!in.ReadAt(l.discOffset, disc_.data(), disc_.size()) ||
        !in.ReadAt(l.trackOffset, tracks.data(), tracks.size()) ||
        !in.ReadAt(l.rangeOffset, ranges.data(), ranges.size()) ||
        !in.ReadAt(l.indexOffset, index.data(), index.size())) {
        error = "byte " + std::to_string(l.discOffset) + ": cannot read the image's tables";
        return false;
    }

    tracks_.clear();
    for (uint32_t i = 0; i < l.trackCount; ++i) {
        Track t = DecodeTrack(&tracks[size_t(i) * kTrackEntrySize]);
        const uint64_t at = l.trackOffset + uint64_t(i) * kTrackEntrySize;
        if (t.kind > kTrackSoundFile) {
            error = "byte " + std::to_string(at) + ": track " + std::to_string(t.number) +
                    " has the unknown kind " + std::to_string(t.kind);
            return false;
        }
        if (t.kind != kTrackSoundFile &&
            (t.firstStored > l.sectorCount || t.sectorCount > l.sectorCount - t.firstStored)) {
            error = "byte " + std::to_string(at) + ": track " + std::to_string(t.number) +
                    " lies outside the image's " + std::to_string(l.sectorCount) + " sectors";
            return false;
        }
        tracks_.push_back(t);
    }
    ranges_.clear();
    for (uint32_t i = 0; i < l.rangeCount; ++i)
        ranges_.push_back({Get32(&ranges[size_t(i) * kRangeEntrySize]),
                           Get32(&ranges[size_t(i) * kRangeEntrySize + 4])});

    // Blocks lie between the header and the disc record, in order, without gaps.
    index_.clear();
    const uint32_t sectorBytes = StoredSectorBytes();
    uint64_t next = kHeaderSize;
    for (uint32_t i = 0; i < l.blockCount; ++i) {
        BlockEntry e = DecodeBlockEntry(&index[size_t(i) * kIndexEntrySize]);
        const uint32_t expected =
            i + 1 < l.blockCount ? kSectorsPerBlock : l.sectorCount - i * kSectorsPerBlock;
        const uint64_t plain = uint64_t(e.sectors) * sectorBytes;
        std::string problem;
        if (e.offset != next)
            problem = "starts at byte " + std::to_string(e.offset) + " instead of " +
                      std::to_string(next);
        else if (e.sectors != expected)
            problem = "holds " + std::to_string(e.sectors) + " sectors instead of " +
                      std::to_string(expected);
        else if (e.method > kMethodZlib)
            problem = "unknown method " + std::to_string(e.method);
        else if (e.storedSize > plain || (e.method == kMethodRaw && e.storedSize != plain))
            problem = "stored size " + std::to_string(e.storedSize) + " does not fit";
        else if (e.offset + e.storedSize > l.discOffset)
            problem = "runs past the block area";
        if (!problem.empty()) {
            error = BlockAt(i, l.indexOffset + uint64_t(i) * kIndexEntrySize) + "index entry " +
                    problem;
            return false;
        }
        next = e.offset + e.storedSize;
        index_.push_back(e);
    }
    if (next != l.discOffset) {
        error = "byte " + std::to_string(next) + ": " + std::to_string(l.discOffset - next) +
                " bytes between the blocks and the tables";
        return false;
    }
    in_ = &in;
    return true;
}

bool Reader::ReadBlock(uint32_t i, std::vector<uint8_t>& plain, std::string& error) {
    if (!in_ || i >= index_.size()) {
        error = "block " + std::to_string(i) + ": no such block";
        return false;
    }
    const BlockEntry& e = index_[i];
    const Properties& p = header_.props;
    const size_t dataSize = size_t(e.sectors) * p.sectorSize;
    const size_t qSize = p.subchannel ? size_t(e.sectors) * kSubchannelSize : 0;
    stored_.resize(e.storedSize);
    if (!in_->ReadAt(e.offset, stored_.data(), stored_.size())) {
        error = BlockAt(i, e.offset) + "cannot be read";
        return false;
    }
    if (Crc32(0, stored_.data(), stored_.size()) != e.storedCrc) {
        error = BlockAt(i, e.offset) + "stored checksum mismatch";
        return false;
    }
    if (e.storedSize < qSize) {
        error = BlockAt(i, e.offset) + "too short for its sub-channel bytes";
        return false;
    }
    const size_t packed = e.storedSize - qSize;
    plain.resize(dataSize + qSize);
    bool ok = true;
    if (e.method == kMethodRaw) {
        ok = packed == dataSize;
        if (ok)
            memcpy(plain.data(), stored_.data(), dataSize);
    } else if (e.method == kMethodBlockCoder) {
        ok = decoder_.Decode(stored_.data(), packed, plain.data(), dataSize);
    } else {
        uLongf size = static_cast<uLongf>(dataSize);
        ok = uncompress(plain.data(), &size, stored_.data(), static_cast<uLong>(packed)) == Z_OK &&
             size == dataSize;
    }
    if (!ok) {
        error = BlockAt(i, e.offset) + "cannot be decompressed (method " +
                std::to_string(e.method) + ")";
        return false;
    }
    memcpy(plain.data() + dataSize, stored_.data() + packed, qSize);
    if (Crc32(0, plain.data(), plain.size()) != e.plainCrc) {
        error = BlockAt(i, e.offset) + "content checksum mismatch";
        return false;
    }
    return true;
}

bool Reader::ReadSector(uint32_t n, uint8_t* data, uint8_t* q, std::string& error) {
    const uint32_t block = n / kSectorsPerBlock;
    if (block != cachedBlock_) {
        cachedBlock_ = kNotStored;
        if (!ReadBlock(block, cache_, error))
            return false;
        cachedBlock_ = block;
    }
    const Properties& p = header_.props;
    const uint32_t k = n % kSectorsPerBlock;
    memcpy(data, &cache_[size_t(k) * p.sectorSize], p.sectorSize);
    if (p.subchannel && q)
        memcpy(q, &cache_[size_t(index_[block].sectors) * p.sectorSize + k * kSubchannelSize],
               kSubchannelSize);
    return true;
}

bool Reader::Verify(std::string& error) {
    std::vector<uint8_t> plain;
    for (uint32_t i = 0; i < index_.size(); ++i)
        if (!ReadBlock(i, plain, error))
            return false;
    // The whole image's checksum also covers the tables after the blocks.
    const uint64_t size = header_.layout.fileSize;
    std::vector<uint8_t> chunk(1 << 20);
    uint32_t crc = 0;
    for (uint64_t at = kHeaderSize; at < size;) {
        size_t n = size - at < chunk.size() ? size_t(size - at) : chunk.size();
        if (!in_->ReadAt(at, chunk.data(), n)) {
            error = "byte " + std::to_string(at) + ": cannot be read";
            return false;
        }
        crc = Crc32(crc, chunk.data(), n);
        at += n;
    }
    if (crc != header_.layout.imageCrc) {
        error = "byte " + std::to_string(header_.layout.discOffset) +
                ": image checksum mismatch (the tables after the blocks are damaged)";
        return false;
    }
    return true;
}

} // namespace zl4
