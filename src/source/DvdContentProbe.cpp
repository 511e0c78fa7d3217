#include "source/DvdContentProbe.h"

#include "source/CdTypeCode.h"

#include <cctype>

namespace {
std::string Root(char letter) {
    return std::string(1, letter) + ":\\";
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

uint16_t CDvdContentProbe::ContentBits(char letter) {
    uint16_t bits = 0;
    if (m_files.FindsFile(Root(letter) + "VIDEO_TS\\*.*"))
        bits |= kDvdVideoTs;
    if (m_files.FindsFile(Root(letter) + "AUDIO_TS\\*.*"))
        bits |= kDvdAudioTs;
    if (OtherRootContent(letter))
        bits |= kDvdOtherContent;
    return bits;
}

// A file in the root, or a folder besides the two standard ones, makes it more than a plain
// video or audio DVD. Folder names compare case-blind, as the file system treats them.
bool CDvdContentProbe::OtherRootContent(char letter) {
    const std::string root = Root(letter);
    if (m_files.FindsFile(root + "*.*"))
        return true;
    const std::string video = Upper(root + "VIDEO_TS"), audio = Upper(root + "AUDIO_TS");
    for (const std::string& name : m_files.FolderNames(root + "*.*")) {
        const std::string path = Upper(root + name);
        if (path != video && path != audio)
            return true;
    }
    return false;
}
