#pragma once
// The library speaks the Windows Western code page (1252) to its callers, while database
// entries written since freedb moved on are UTF-8 and older ones are in that code page
// already. These convert between the two without any system call.
#include <string>

// True when the bytes form valid UTF-8 (plain ASCII included).
bool IsUtf8(const std::string& text);
// Characters outside code page 1252 become '?'.
std::string Cp1252FromUtf8(const std::string& text);
std::string Utf8FromCp1252(const std::string& text);
// Entry text as the library keeps it: UTF-8 when it is valid UTF-8, else taken as it is.
std::string Cp1252FromEntryText(const std::string& text);
