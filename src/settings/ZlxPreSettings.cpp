#include "settings/ZlxPreSettings.h"

#include "source/CdTypeCode.h"

namespace {
constexpr int kPresetTextSize = 70;
constexpr size_t kCompressionLength = 68;

} // namespace

CZlxPreSettings::CZlxPreSettings(IEnvStore& store, IRegistry& registry)
    : CZlxBaseSettings(store, registry) {
    if (auto v = ReadStoreText(m_store, "ZlxPreCompression", kPresetTextSize);
        v && v->size() == kCompressionLength)
        Compression = *v;
    if (auto v = ReadStoreText(m_store, "ZlxPreAudio", kPresetTextSize); v && v->size() >= 2) {
        AudioAsDataTracks = (*v)[0] != '1';
        SubChannelForAudioDiscs = (*v)[1] == '1';
    }
    AudioFormatValues::Read(m_store, "ZlxPreAcm", AudioFormat, true, kPresetTextSize);
}

int CZlxPreSettings::GroupFlag(int group) const {
    if (group < 0 || group >= kPresetGroups)
        return 0;
    char c = Compression[static_cast<size_t>(group) * 4];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

int CZlxPreSettings::GroupNumber(int group) const {
    if (group < 0 || group >= kPresetGroups)
        return 0;
    return static_cast<int>(
        DecimalValue(Compression.substr(static_cast<size_t>(group) * 4 + 1, 3)));
}

void CZlxPreSettings::Save() {
    if (!m_modified)
        return;
    const std::string audio =
        std::string(OneZero(!AudioAsDataTracks)) + OneZero(SubChannelForAudioDiscs);
    WriteAndMirror({{"ZlxPreCompression", Compression}, {"ZlxPreAudio", audio}},
                   {{"ZlxPreCompression", Compression}, {"ZlxPreAudio", audio}});
    AudioFormatValues::Write(m_store, "ZlxPreAcm", AudioFormat);
    m_modified = 0;
}

CompressionSetting FixedCompression(int number) {
    switch (number) {
    case 1:
        return {1, 0};
    case 2:
        return {2, 1};
    case 3:
        return {2, 3};
    case 4:
        return {2, 6};
    default:
        return {0, 0};
    }
}

int PresetGroupForDisc(uint16_t cdType) {
    switch (cdType & 0xFF) {
    case 0:
        return 2;
    case 2:
        return 3;
    case 1:
        return 4;
    case 7:
        return 5;
    case 8:
        return 6;
    case 4:
        return 7;
    case 5:
    case 16:
        return 8;
    case 6:
        return 9;
    case 32:
        break;
    default:
        return 0;
    }
    const bool audio = cdType & kDvdAudioTs, video = cdType & kDvdVideoTs,
               other = cdType & kDvdOtherContent;
    if (!audio && !video)
        return 10;
    if (!audio)
        return other ? 12 : 11;
    if (!video)
        return other ? 13 : 15;
    return other ? 14 : 16;
}

CompressionSetting ChooseCompression(const CZlxPreSettings& presets, uint16_t cdType,
                                     const MeasuredSizes& sizes) {
    int group = PresetGroupForDisc(cdType);
    if (presets.GroupFlag(group) == 0)
        group = 0;
    const int number = presets.GroupNumber(group);
    if (presets.GroupFlag(group) == 1)
        return FixedCompression(number);
    // A percentage limit needs a measured uncompressed size; without one (no good
    // sample) there is nothing to compare, so the image stays uncompressed.
    if (number >= 100 || sizes.uncompressed == 0)
        return {};
    const std::pair<uint32_t, CompressionSetting> candidates[] = {
        {sizes.coder, {1, 0}}, {sizes.zlib1, {2, 1}}, {sizes.zlib3, {2, 3}}};
    for (const auto& c : candidates) {
        double percent = 100.0 / sizes.uncompressed * c.first;
        if (static_cast<long long>(percent) <= number)
            return c.second;
    }
    return {2, 6};
}
