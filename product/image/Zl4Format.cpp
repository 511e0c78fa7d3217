#include "image/Zl4Format.h"

#include <zlib.h>

#include <cstring>

namespace zl4 {
namespace {
// Header field positions.
enum : size_t {
    kOffMagic = 0,
    kOffVersionMajor = 8,
    kOffVersionMinor = 10,
    kOffHeaderSize = 12,
    kOffHeaderCrc = 16,
    kOffImageCrc = 20,
    kOffFileSize = 24,
    kOffFlags = 32,
    kOffDiscType = 36,
    kOffSectorType = 38,
    kOffSectorSize = 40,
    kOffSubchannelSize = 44,
    kOffCompressionType = 48,
    kOffCompressionLevel = 49,
    kOffSectorsPerBlock = 50,
    kOffSectorCount = 52,
    kOffBlockCount = 56,
    kOffTrackCount = 60,
    kOffRangeCount = 64,
    kOffDiscOffset = 72,
    kOffTrackOffset = 80,
    kOffRangeOffset = 88,
    kOffIndexOffset = 96,
    kOffHotkeyKey = 104,
    kOffHotkeyModifiers = 106,
    kOffAutoInsert = 108,
    kOffPasswordIterations = 112,
    kOffPasswordAlgorithm = 116,
    kOffPasswordSalt = 120,
    kOffPasswordHash = 136,
    kOffLabel = 256,
    kOffDescription = 512,
    kOffStartProgram = 768,
    kOffStartPath = 1024,
    kOffArtist = 1280,
    kOffAlbum = 1536,
    kOffComment = 1792, // to 3840; the rest is reserved and zero
};

void PutText(uint8_t* field, size_t size, const std::string& text) {
    size_t n = text.size() < size ? text.size() : size - 1;
    memcpy(field, text.data(), n);
}

std::string GetText(const uint8_t* field, size_t size) {
    size_t n = 0;
    while (n < size && field[n] != 0)
        ++n;
    return std::string(reinterpret_cast<const char*>(field), n < size ? n : size - 1);
}

std::string At(size_t position, const std::string& reason) {
    return "byte " + std::to_string(position) + ": " + reason;
}

// A section must lie after the header and inside the file.
bool SectionFits(uint64_t offset, uint64_t count, uint64_t entrySize, uint64_t fileSize) {
    if (offset < kHeaderSize || offset > fileSize)
        return false;
    return count <= (fileSize - offset) / entrySize;
}
} // namespace

void Put16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
void Put64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
uint16_t Get16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint64_t Get64(const uint8_t* p) {
    return uint64_t(Get32(p)) | (uint64_t(Get32(p + 4)) << 32);
}

uint32_t Crc32(uint32_t crc, const void* data, size_t size) {
    const Bytef* p = static_cast<const Bytef*>(data);
    // zlib takes 32-bit lengths; feed large buffers in pieces.
    while (size > 0) {
        uInt piece = size > 0x40000000u ? 0x40000000u : static_cast<uInt>(size);
        crc = static_cast<uint32_t>(crc32(crc, p, piece));
        p += piece;
        size -= piece;
    }
    return crc;
}

uint32_t StoredSectorSize(const Properties& props) {
    return props.sectorSize + (props.subchannel ? kSubchannelSize : 0);
}

std::vector<uint8_t> EncodeHeader(const Header& header) {
    std::vector<uint8_t> out(kHeaderSize, 0);
    uint8_t* h = out.data();
    const Properties& p = header.props;
    const Layout& l = header.layout;
    memcpy(h + kOffMagic, kMagic, sizeof(kMagic));
    Put16(h + kOffVersionMajor, l.versionMajor);
    Put16(h + kOffVersionMinor, l.versionMinor);
    Put32(h + kOffHeaderSize, kHeaderSize);
    Put32(h + kOffImageCrc, l.imageCrc);
    Put64(h + kOffFileSize, l.fileSize);
    uint32_t flags =
        (p.subchannel ? kFlagSubchannel : 0) | (p.password.algorithm != 0 ? kFlagPassword : 0);
    Put32(h + kOffFlags, flags);
    Put16(h + kOffDiscType, p.discType);
    Put16(h + kOffSectorType, p.sectorType);
    Put32(h + kOffSectorSize, p.sectorSize);
    Put32(h + kOffSubchannelSize, p.subchannel ? kSubchannelSize : 0);
    h[kOffCompressionType] = p.compressionType;
    h[kOffCompressionLevel] = p.compressionLevel;
    Put16(h + kOffSectorsPerBlock, kSectorsPerBlock);
    Put32(h + kOffSectorCount, l.sectorCount);
    Put32(h + kOffBlockCount, l.blockCount);
    Put32(h + kOffTrackCount, l.trackCount);
    Put32(h + kOffRangeCount, l.rangeCount);
    Put64(h + kOffDiscOffset, l.discOffset);
    Put64(h + kOffTrackOffset, l.trackOffset);
    Put64(h + kOffRangeOffset, l.rangeOffset);
    Put64(h + kOffIndexOffset, l.indexOffset);
    Put16(h + kOffHotkeyKey, p.hotkeyVirtualKey);
    Put16(h + kOffHotkeyModifiers, p.hotkeyModifiers);
    PutText(h + kOffAutoInsert, 4, p.autoInsertDrive);
    Put32(h + kOffPasswordIterations, p.password.iterations);
    Put32(h + kOffPasswordAlgorithm, p.password.algorithm);
    memcpy(h + kOffPasswordSalt, p.password.salt, sizeof(p.password.salt));
    memcpy(h + kOffPasswordHash, p.password.hash, sizeof(p.password.hash));
    PutText(h + kOffLabel, kShortText, p.label);
    PutText(h + kOffDescription, kShortText, p.description);
    PutText(h + kOffStartProgram, kShortText, p.startProgram);
    PutText(h + kOffStartPath, kShortText, p.startPath);
    PutText(h + kOffArtist, kShortText, p.artist);
    PutText(h + kOffAlbum, kShortText, p.album);
    PutText(h + kOffComment, kCommentText, p.comment);
    Put32(h + kOffHeaderCrc, Crc32(0, h, kHeaderSize));
    return out;
}

bool DecodeHeader(const uint8_t* h, size_t size, uint64_t fileSize, Header& header,
                  std::string& error) {
    if (size < sizeof(kMagic) || memcmp(h, kMagic, sizeof(kMagic)) != 0) {
        error = At(0, "not a .zl4 image (no image signature)");
        return false;
    }
    if (size < kHeaderSize) {
        error = At(size, "file ends inside the " + std::to_string(kHeaderSize) + "-byte header");
        return false;
    }
    Layout& l = header.layout;
    l.versionMajor = Get16(h + kOffVersionMajor);
    l.versionMinor = Get16(h + kOffVersionMinor);
    if (l.versionMajor != kVersionMajor) {
        error = At(kOffVersionMajor, "format version " + std::to_string(l.versionMajor) + "." +
                                         std::to_string(l.versionMinor) +
                                         " is not supported (this reader knows version " +
                                         std::to_string(kVersionMajor) + ")");
        return false;
    }
    if (Get32(h + kOffHeaderSize) != kHeaderSize) {
        error = At(kOffHeaderSize,
                   "unexpected header size " + std::to_string(Get32(h + kOffHeaderSize)));
        return false;
    }
    std::vector<uint8_t> copy(h, h + kHeaderSize);
    Put32(copy.data() + kOffHeaderCrc, 0);
    l.headerCrc = Get32(h + kOffHeaderCrc);
    if (Crc32(0, copy.data(), kHeaderSize) != l.headerCrc) {
        error = At(kOffHeaderCrc, "header checksum mismatch (the header is damaged)");
        return false;
    }
    Properties& p = header.props;
    l.imageCrc = Get32(h + kOffImageCrc);
    l.fileSize = Get64(h + kOffFileSize);
    uint32_t flags = Get32(h + kOffFlags);
    p.discType = Get16(h + kOffDiscType);
    p.sectorType = Get16(h + kOffSectorType);
    p.sectorSize = Get32(h + kOffSectorSize);
    uint32_t subSize = Get32(h + kOffSubchannelSize);
    p.subchannel = (flags & kFlagSubchannel) != 0;
    p.compressionType = h[kOffCompressionType];
    p.compressionLevel = h[kOffCompressionLevel];
    l.sectorCount = Get32(h + kOffSectorCount);
    l.blockCount = Get32(h + kOffBlockCount);
    l.trackCount = Get32(h + kOffTrackCount);
    l.rangeCount = Get32(h + kOffRangeCount);
    l.discOffset = Get64(h + kOffDiscOffset);
    l.trackOffset = Get64(h + kOffTrackOffset);
    l.rangeOffset = Get64(h + kOffRangeOffset);
    l.indexOffset = Get64(h + kOffIndexOffset);
    p.hotkeyVirtualKey = Get16(h + kOffHotkeyKey);
    p.hotkeyModifiers = Get16(h + kOffHotkeyModifiers);
    p.autoInsertDrive = GetText(h + kOffAutoInsert, 4);
    p.password.iterations = Get32(h + kOffPasswordIterations);
    p.password.algorithm = Get32(h + kOffPasswordAlgorithm);
    memcpy(p.password.salt, h + kOffPasswordSalt, sizeof(p.password.salt));
    memcpy(p.password.hash, h + kOffPasswordHash, sizeof(p.password.hash));
    p.label = GetText(h + kOffLabel, kShortText);
    p.description = GetText(h + kOffDescription, kShortText);
    p.startProgram = GetText(h + kOffStartProgram, kShortText);
    p.startPath = GetText(h + kOffStartPath, kShortText);
    p.artist = GetText(h + kOffArtist, kShortText);
    p.album = GetText(h + kOffAlbum, kShortText);
    p.comment = GetText(h + kOffComment, kCommentText);

    if (flags & ~uint32_t(kFlagSubchannel | kFlagPassword)) {
        error = At(kOffFlags, "unknown flags " + std::to_string(flags));
        return false;
    }
    if (p.sectorSize != 2048 && p.sectorSize != 2352) {
        error = At(kOffSectorSize, "unsupported sector size " + std::to_string(p.sectorSize));
        return false;
    }
    if (subSize != (p.subchannel ? kSubchannelSize : 0)) {
        error = At(kOffSubchannelSize,
                   "sub-channel size " + std::to_string(subSize) + " does not match the flags");
        return false;
    }
    if (p.compressionType > kMethodZlib) {
        error = At(kOffCompressionType,
                   "unknown compression type " + std::to_string(p.compressionType));
        return false;
    }
    if (Get16(h + kOffSectorsPerBlock) != kSectorsPerBlock) {
        error = At(kOffSectorsPerBlock, "unsupported block size of " +
                                            std::to_string(Get16(h + kOffSectorsPerBlock)) +
                                            " sectors");
        return false;
    }
    if ((flags & kFlagPassword) != 0 && p.password.algorithm != kPasswordPbkdf2Sha256) {
        error = At(kOffPasswordAlgorithm,
                   "unknown password hash " + std::to_string(p.password.algorithm));
        return false;
    }
    if (l.fileSize != fileSize) {
        error = At(fileSize < l.fileSize ? fileSize : l.fileSize,
                   "file is " + std::to_string(fileSize) + " bytes, the header says " +
                       std::to_string(l.fileSize) +
                       (fileSize < l.fileSize ? " (truncated)" : " (bytes appended)"));
        return false;
    }
    if ((uint64_t(l.sectorCount) + kSectorsPerBlock - 1) / kSectorsPerBlock != l.blockCount) {
        error = At(kOffBlockCount, std::to_string(l.blockCount) + " blocks cannot hold " +
                                       std::to_string(l.sectorCount) + " sectors");
        return false;
    }
    struct {
        size_t field;
        uint64_t offset, count, size;
        const char* name;
    } sections[] = {
        {kOffDiscOffset, l.discOffset, 1, kDiscRecordSize, "disc record"},
        {kOffTrackOffset, l.trackOffset, l.trackCount, kTrackEntrySize, "track table"},
        {kOffRangeOffset, l.rangeOffset, l.rangeCount, kRangeEntrySize, "unreadable ranges"},
        {kOffIndexOffset, l.indexOffset, l.blockCount, kIndexEntrySize, "block index"},
    };
    for (const auto& s : sections) {
        if (!SectionFits(s.offset, s.count, s.size, fileSize)) {
            error = At(s.field, std::string("the ") + s.name + " lies outside the file");
            return false;
        }
    }
    return true;
}

void EncodeTrack(const Track& t, uint8_t* out) {
    memset(out, 0, kTrackEntrySize);
    out[0] = t.number;
    out[1] = t.kind;
    out[2] = t.control;
    Put32(out + 4, t.discFirstSector);
    Put32(out + 8, t.sectorCount);
    Put32(out + 12, t.firstStored);
    PutText(out + 32, kTitleText, t.title);
    PutText(out + 32 + kTitleText, kFileText, t.soundFile);
}

Track DecodeTrack(const uint8_t* in) {
    Track t;
    t.number = in[0];
    t.kind = in[1];
    t.control = in[2];
    t.discFirstSector = Get32(in + 4);
    t.sectorCount = Get32(in + 8);
    t.firstStored = Get32(in + 12);
    t.title = GetText(in + 32, kTitleText);
    t.soundFile = GetText(in + 32 + kTitleText, kFileText);
    return t;
}

void EncodeBlockEntry(const BlockEntry& e, uint8_t* out) {
    memset(out, 0, kIndexEntrySize);
    Put64(out, e.offset);
    Put32(out + 8, e.storedSize);
    Put32(out + 12, e.storedCrc);
    Put32(out + 16, e.plainCrc);
    out[20] = e.method;
    out[21] = e.sectors;
}

BlockEntry DecodeBlockEntry(const uint8_t* in) {
    BlockEntry e;
    e.offset = Get64(in);
    e.storedSize = Get32(in + 8);
    e.storedCrc = Get32(in + 12);
    e.plainCrc = Get32(in + 16);
    e.method = in[20];
    e.sectors = in[21];
    return e;
}

} // namespace zl4
