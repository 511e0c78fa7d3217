#include "app/Messages.h"

std::string FillMessage(const std::string& format, const std::string& argument) {
    std::string out;
    bool filled = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (c != '%' || next == '\0') {
            out += c;
            continue;
        }
        ++i;
        if (next == '%') {
            out += '%';
        } else if (!filled && (next == 's' || next == 'd')) {
            out += argument;
            filled = true;
        } else if (!filled && next == 'c') {
            out += argument.empty() ? std::string() : argument.substr(0, 1);
            filled = true;
        } else {
            out += c;
            out += next;
        }
    }
    return out;
}
