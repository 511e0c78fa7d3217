#pragma once
// Small text rules shared by the job, the pages and the disc information records.
#include <cstdio>
#include <string>

// Volume labels, service texts and typed entries come padded with blanks and line breaks.
// Only ASCII white space is cut, which never occurs inside a double-byte character.
inline std::string TrimTrailingSpace(std::string text) {
    const size_t last = text.find_last_not_of(" \t\r\n\v\f");
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

inline std::string TrimSpace(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n\v\f");
    return first == std::string::npos ? std::string() : TrimTrailingSpace(text.substr(first));
}

// A track number as the track order and the info text write it: "%02d".
inline std::string TwoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}
