#include "app/QuickCopyRecord.h"

#include "app/FileNames.h"

#include <algorithm>
#include <cstring>

namespace {
enum Offset : size_t {
    kMagicAt = 0,
    kVersionAt = 4,
    kSizeAt = 6,
    kFlagsAt = 8,
    kCdTypeAt = 12,
    kSkipRangeAt = 16,
    kLabelAt = 20,
    kTocAt = 56,
    kImageFileAt = 860,
    kDescriptionAt = 2488,
};
constexpr size_t kLabelSize = kTocAt - kLabelAt;
constexpr size_t kImageFileSize = 260;
constexpr size_t kDescriptionSize = kQuickCopyRecordSize - kDescriptionAt;
constexpr char kMagic[4] = {'Z', 'Q', 'C', '1'};

static_assert(kLabelAt + kLabelSize == kTocAt, "label ends where the table of contents starts");
static_assert(kTocAt + kQuickCopyTocSize == kImageFileAt, "image name follows the contents");
static_assert(kImageFileAt + kImageFileSize <= kDescriptionAt, "image name before description");

uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Get16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
void Put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

// A field's text: up to its zero byte, never past the field.
std::string GetText(const uint8_t* field, size_t size) {
    const auto* begin = reinterpret_cast<const char*>(field);
    return std::string(begin, std::find(begin, begin + size, '\0'));
}
void PutText(uint8_t* field, size_t size, const std::string& text) {
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = 0;
}
} // namespace

uint32_t EncodeQuickCopyFlags(const QuickCopyOptions& o) {
    uint32_t flags = 0;
    if (o.fastRead)
        flags |= kQuickCopyFastRead;
    if (o.dynamicErrorHandling)
        flags |= kQuickCopyDynamicErrors;
    if (o.raw)
        flags |= kQuickCopyRaw;
    if (o.raw && o.subChannel)
        flags |= kQuickCopySubChannel;
    if (o.audioAsData)
        flags |= kQuickCopyAudioAsData;
    return flags;
}

QuickCopyOptions DecodeQuickCopyFlags(uint32_t flags) {
    QuickCopyOptions o;
    o.fastRead = flags & kQuickCopyFastRead;
    o.dynamicErrorHandling = flags & kQuickCopyDynamicErrors;
    o.raw = flags & kQuickCopyRaw;
    o.subChannel = o.raw && (flags & kQuickCopySubChannel);
    o.audioAsData = flags & kQuickCopyAudioAsData;
    return o;
}

QuickCopyRecord ParseQuickCopyRecord(const uint8_t* data, size_t size) {
    // The bytes the file did not hold count as zero.
    uint8_t bytes[kQuickCopyRecordSize] = {};
    const size_t taken = data ? std::min(size, kQuickCopyRecordSize) : 0;
    if (taken)
        std::memcpy(bytes, data, taken);

    QuickCopyRecord record;
    record.bytesRead = taken;
    record.flags = Get32(bytes + kFlagsAt);
    record.cdType = Get16(bytes + kCdTypeAt);
    record.skipRange = Get32(bytes + kSkipRangeAt);
    record.label = GetText(bytes + kLabelAt, kLabelSize);
    std::memcpy(record.toc.data(), bytes + kTocAt, kQuickCopyTocSize);
    record.imageFile = GetText(bytes + kImageFileAt, kImageFileSize);
    record.description = GetText(bytes + kDescriptionAt, kDescriptionSize);
    return record;
}

std::vector<uint8_t> BuildQuickCopyRecord(const QuickCopyRecord& record) {
    std::vector<uint8_t> bytes(kQuickCopyRecordSize, 0);
    uint8_t* p = bytes.data();
    std::memcpy(p + kMagicAt, kMagic, sizeof kMagic);
    Put16(p + kVersionAt, kQuickCopyVersion);
    Put16(p + kSizeAt, static_cast<uint16_t>(kQuickCopyRecordSize));
    Put32(p + kFlagsAt, record.flags);
    Put16(p + kCdTypeAt, record.cdType);
    Put32(p + kSkipRangeAt, record.skipRange);
    PutText(p + kLabelAt, kLabelSize, record.label);
    std::memcpy(p + kTocAt, record.toc.data(), kQuickCopyTocSize);
    PutText(p + kImageFileAt, kImageFileSize, record.imageFile);
    PutText(p + kDescriptionAt, kDescriptionSize, record.description);
    return bytes;
}

std::string MakeQuickCopyDisplayName(const QuickCopyRecord& record, const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/:") + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return record.description + " (" + name + ")";
}

std::string QuickCopyFileName(const std::string& label, int attempt) {
    std::string base = CleanFileName(label);
    // Windows drops trailing blanks and dots from a file name, and a name that is only
    // those would vanish.
    base.erase(base.find_last_not_of(" .\t\r\n") + 1);
    if (base.empty())
        base = "QuickCopy";
    if (attempt > 1)
        base += "_" + std::to_string(attempt);
    return base + ".zqc";
}
