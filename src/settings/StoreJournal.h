#pragma once
// One line of the store's write journal: "T<TAB>name<TAB>text" or "B<TAB>name<TAB>hex".
// Shared by the store library and the in-memory store so tests compare like with like.
#include <cstddef>
#include <string>

std::string JournalTextLine(const char* name, const char* text);
std::string JournalBinaryLine(const char* name, const void* data, size_t count);
std::string HexBytes(const void* data, size_t count);
// Parses upper- or lower-case hex; false on an odd length or a bad digit.
bool ParseHexBytes(const std::string& hex, std::string& bytes);
