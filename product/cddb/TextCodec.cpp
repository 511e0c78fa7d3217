#include "cddb/TextCodec.h"

#include <cstdint>

namespace {
// Code page 1252 puts printable characters where Latin-1 has C1 controls; 0 marks the five
// bytes it leaves undefined (they pass through as the same code point).
const uint16_t kHighCp1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kHighCp1252[byte - 0x80])
        return kHighCp1252[byte - 0x80];
    return byte;
}

char ByteFor(uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    for (int i = 0; i < 32; ++i)
        if (kHighCp1252[i] == codePoint)
            return static_cast<char>(0x80 + i);
    if (codePoint >= 0x80 && codePoint < 0xA0 && !kHighCp1252[codePoint - 0x80])
        return static_cast<char>(codePoint);
    return '?';
}

// Length of the UTF-8 sequence at `i` and its code point; 0 when it is not one.
size_t Decode(const std::string& s, size_t i, uint32_t& cp) {
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    size_t length = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        cp = cp << 6 | (next & 0x3F);
    }
    static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0; // overlong forms and surrogates are not UTF-8
    return length;
}

void Append(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
} // namespace

bool IsUtf8(const std::string& text) {
    uint32_t cp = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Decode(text, i, cp);
        if (!length)
            return false;
        i += length;
    }
    return true;
}

std::string Cp1252FromUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    uint32_t cp = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Decode(text, i, cp);
        out += length ? ByteFor(cp) : '?';
        i += length ? length : 1;
    }
    return out;
}

std::string Utf8FromCp1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        Append(out, CodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Cp1252FromEntryText(const std::string& text) {
    return IsUtf8(text) ? Cp1252FromUtf8(text) : text;
}
