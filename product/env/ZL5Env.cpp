// The settings store library: four operations, exported by ordinal (see ZL5Env.def),
// kept in the registry and optionally journalled.
#include "common/RegistryStore.h"
#include "env/WriteJournal.h"
#include "settings/StoreJournal.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {
const CRegistryStore& Store() {
    static const CRegistryStore store;
    return store;
}
} // namespace

extern "C" {

void __cdecl ZL5EnvWriteText(const char* name, const char* text) {
    if (!name)
        return;
    if (!text)
        text = "";
    Store().WriteText(name, text);
    CWriteJournal::Append(JournalTextLine(name, text));
}

int __cdecl ZL5EnvReadText(const char* name, char* buffer, int size) {
    if (!name || !buffer || size <= 0)
        return 0;
    std::string text;
    if (!Store().ReadText(name, text))
        return 0;
    size_t length = std::min(text.size(), static_cast<size_t>(size) - 1);
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return 1;
}

void __cdecl ZL5EnvWriteBinary(const char* name, const void* data, int count) {
    if (!name || count < 0 || (!data && count > 0))
        return;
    Store().WriteBinary(name, data, static_cast<size_t>(count));
    CWriteJournal::Append(JournalBinaryLine(name, data, static_cast<size_t>(count)));
}

// Callers use the buffer without a test, so a missing value leaves it exactly as it was,
// and a shorter stored value fills only its own length.
void __cdecl ZL5EnvReadBinary(const char* name, void* buffer, int count) {
    if (!name || !buffer || count <= 0)
        return;
    std::string bytes;
    if (!Store().ReadBinary(name, bytes))
        return;
    memcpy(buffer, bytes.data(), std::min(bytes.size(), static_cast<size_t>(count)));
}

} // extern "C"
