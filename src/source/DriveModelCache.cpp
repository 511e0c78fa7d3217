#include "source/DriveModelCache.h"

namespace {
constexpr int kCacheValueBuffer = 20;
constexpr size_t kMinimumValueLength = 6;

// The library's strings are NUL-terminated within their arrays; a full array is not.
template <size_t N> std::string Field(const char (&text)[N]) {
    size_t n = 0;
    while (n < N && text[n])
        ++n;
    return std::string(text, n);
}

char Digit(int value, int highest) {
    return value >= 0 && value <= highest ? char('0' + value) : '9';
}
int DigitValue(char c) {
    return static_cast<int>(DecimalValue(std::string(1, c)));
}
} // namespace

std::string DriveModelName(const CAspiCdromInfo& info) {
    std::string name = Field(info.Vendor) + "_" + Field(info.Revision) + "_" + Field(info.Product);
    const size_t end = name.find_last_not_of(' ');
    name.erase(end == std::string::npos ? 0 : end + 1);
    return name;
}

std::string EncodeAbilities(const DriveReadAbilities& a) {
    return {a.rawDataReadable ? '1' : '0',  a.subChannelReadable ? '1' : '0',
            a.rawAudioReadable ? '1' : '0', Digit(a.rawDataMethod, 2),
            Digit(a.rawAudioMethod, 3),     Digit(a.dataReadMethod, 2)};
}

std::optional<DriveReadAbilities> DecodeAbilities(const std::string& value) {
    if (value.size() < kMinimumValueLength)
        return std::nullopt;
    DriveReadAbilities a;
    a.rawDataReadable = value[0] == '1';
    a.subChannelReadable = value[1] == '1';
    a.rawAudioReadable = value[2] == '1';
    a.rawDataMethod = DigitValue(value[3]);
    a.rawAudioMethod = DigitValue(value[4]);
    a.dataReadMethod = static_cast<int>(DecimalValue(value.substr(5)));
    return a;
}

std::optional<DriveReadAbilities> CDriveModelCache::Load(const std::string& model) {
    auto value = ReadStoreText(m_store, model.c_str(), kCacheValueBuffer);
    return value ? DecodeAbilities(*value) : std::nullopt;
}

void CDriveModelCache::Save(const std::string& model, const DriveReadAbilities& abilities) {
    const std::string value = EncodeAbilities(abilities);
    m_store.WriteText(model.c_str(), value.c_str());
    m_registry.WriteStrings(RegRoot::LocalMachine, kDriveModelCacheKey, {{model, value}});
}
