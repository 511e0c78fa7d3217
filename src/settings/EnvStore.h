#pragma once
// The product's named-value settings store, as the whole program sees it.
#include <optional>
#include <string>

class IEnvStore {
public:
    virtual ~IEnvStore() = default;
    // Nonzero when the value exists; the buffer then holds at most size - 1 characters.
    virtual int ReadText(const char* name, char* buffer, int size) = 0;
    // Writing "" clears the value.
    virtual void WriteText(const char* name, const char* text) = 0;
    virtual void WriteBinary(const char* name, const void* data, int count) = 0;
    virtual void ReadBinary(const char* name, void* buffer, int count) = 0;
};

// Reads a text through a buffer of exactly `size` bytes, so a long value arrives cut
// the same way it does for every caller of the store.
std::optional<std::string> ReadStoreText(IEnvStore& store, const char* name, int size);

// Decimal value of a stored text read through `size` bytes; `fallback` when absent.
long ReadStoreNumber(IEnvStore& store, const char* name, int size, long fallback);

// Standard decimal conversion as the C library does it: leading blanks, sign, digits;
// anything else ends the number, no digits give 0.
long DecimalValue(const std::string& text);
