#include "audio/AudioFormatRecord.h"

#include "settings/EnvStore.h"

#include <string>

namespace {
std::string Name(const char* prefix, const char* field) {
    return std::string(prefix) + field;
}

template <class T> void ReadField(IEnvStore& store, const std::string& name, int size, T& field) {
    auto text = ReadStoreText(store, name.c_str(), size);
    if (text)
        field = static_cast<T>(DecimalValue(*text));
}
} // namespace

namespace AudioFormatValues {

bool Read(IEnvStore& store, const char* prefix, AudioFormatRecord& format, bool requireTag,
          int size) {
    if (requireTag && !ReadStoreText(store, Name(prefix, "FormatTag").c_str(), size))
        return false;
    ReadField(store, Name(prefix, "FormatTag"), size, format.formatTag);
    ReadField(store, Name(prefix, "AvgBytesPerSec"), size, format.avgBytesPerSec);
    ReadField(store, Name(prefix, "BlockAlign"), size, format.blockAlign);
    ReadField(store, Name(prefix, "Channels"), size, format.channels);
    ReadField(store, Name(prefix, "SamplesPerSec"), size, format.samplesPerSec);
    ReadField(store, Name(prefix, "BitsPerSample"), size, format.bitsPerSample);
    ReadField(store, Name(prefix, "Size"), size, format.extraSize);
    if (format.extraSize != 0)
        store.ReadBinary(Name(prefix, "Data").c_str(), format.extra, sizeof format.extra);
    return true;
}

void Write(IEnvStore& store, const char* prefix, const AudioFormatRecord& format) {
    const std::pair<const char*, unsigned long> fields[] = {
        {"FormatTag", format.formatTag},
        {"AvgBytesPerSec", format.avgBytesPerSec},
        {"BlockAlign", format.blockAlign},
        {"Channels", format.channels},
        {"SamplesPerSec", format.samplesPerSec},
        {"BitsPerSample", format.bitsPerSample},
        {"Size", format.extraSize}};
    for (const auto& field : fields)
        store.WriteText(Name(prefix, field.first).c_str(), std::to_string(field.second).c_str());
    if (format.extraSize != 0)
        store.WriteBinary(Name(prefix, "Data").c_str(), format.extra, sizeof format.extra);
}

} // namespace AudioFormatValues
