#include "settings/EnvStore.h"

#include <cstdlib>
#include <vector>

std::optional<std::string> ReadStoreText(IEnvStore& store, const char* name, int size) {
    if (size <= 0)
        return std::nullopt;
    std::vector<char> buffer(static_cast<size_t>(size) + 1, '\0');
    if (!store.ReadText(name, buffer.data(), size))
        return std::nullopt;
    buffer[static_cast<size_t>(size) - 1] = '\0'; // never trust the callee to terminate
    return std::string(buffer.data());
}

long ReadStoreNumber(IEnvStore& store, const char* name, int size, long fallback) {
    auto text = ReadStoreText(store, name, size);
    return text ? DecimalValue(*text) : fallback;
}

long DecimalValue(const std::string& text) {
    // strtol saturates instead of overflowing, which keeps hostile store values harmless.
    return std::strtol(text.c_str(), nullptr, 10);
}
