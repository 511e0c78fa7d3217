#include "app/FileNames.h"

#include <cstring>

std::string CleanFileName(std::string text) {
    for (char& c : text)
        if (c != '\0' && std::strchr("\\/:*?<>|\"", c))
            c = '-';
    return text;
}
