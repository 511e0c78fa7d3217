#include "app/Messages.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {
// One conversion: the flags and width between '%' and the letter, for "%d" only.
std::string Integer(const std::string& flags, const std::string& argument) {
    char format[16];
    std::snprintf(format, sizeof format, "%%%sld", flags.c_str());
    char out[64];
    std::snprintf(out, sizeof out, format, std::strtol(argument.c_str(), nullptr, 10));
    return out;
}
} // namespace

std::string FormatText(const std::string& format, const std::vector<std::string>& arguments) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        // Flags and width: "-", "0" and up to two digits are all the texts use.
        size_t j = i + 1;
        while (j < format.size() && j - i <= 3 &&
               (format[j] == '-' || format[j] == '0' ||
                std::isdigit(static_cast<unsigned char>(format[j]))))
            ++j;
        const char conversion = j < format.size() ? format[j] : '\0';
        const std::string flags = format.substr(i + 1, j - i - 1);
        if (conversion == '%' && flags.empty()) {
            out += '%';
            i = j;
        } else if ((conversion == 's' || conversion == 'c' || conversion == 'd') &&
                   next < arguments.size()) {
            const std::string& argument = arguments[next++];
            if (conversion == 'd')
                out += Integer(flags, argument);
            else if (conversion == 'c')
                out += argument.substr(0, 1);
            else
                out += argument;
            i = j;
        } else {
            out += '%';
        }
    }
    return out;
}

std::string FillMessage(const std::string& format, const std::string& argument) {
    return FormatText(format, {argument});
}
