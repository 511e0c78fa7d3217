#pragma once
// The settings store library exports its operations by ordinal only (cdecl):
//   2 WriteText(name, text)           3 ReadText(name, buffer, size) -> found
//  10 WriteBinary(name, data, count) 11 ReadBinary(name, buffer, count)
enum ZL5EnvOrdinal {
    kZL5EnvWriteText = 2,
    kZL5EnvReadText = 3,
    kZL5EnvWriteBinary = 10,
    kZL5EnvReadBinary = 11
};
typedef void(__cdecl* ZL5EnvWriteTextFn)(const char* name, const char* text);
typedef int(__cdecl* ZL5EnvReadTextFn)(const char* name, char* buffer, int size);
typedef void(__cdecl* ZL5EnvWriteBinaryFn)(const char* name, const void* data, int count);
typedef void(__cdecl* ZL5EnvReadBinaryFn)(const char* name, void* buffer, int count);
