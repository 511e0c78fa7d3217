#include "source/DriveScan.h"

namespace {
std::string Letters(int (IDriveLibrary::*query)(char*, int), IDriveLibrary& drives) {
    char buffer[kDriveLetterBuffer] = {};
    (drives.*query)(buffer, kDriveLetterBuffer);
    buffer[kDriveLetterBuffer - 1] = '\0'; // a library that fills the buffer still ends here
    return buffer;
}
} // namespace

std::string KnownDriveLetters(IDriveLibrary& drives) {
    return Letters(&IDriveLibrary::GetKnownDrives, drives);
}

std::string VirtualDriveLetters(IDriveLibrary& drives) {
    return Letters(&IDriveLibrary::GetZLXDriveLetters, drives);
}

std::string ReadySourceDrives(IDriveLibrary& drives, ICommonLibrary& common, bool acceptVirtual,
                              int timeoutSeconds, bool firstOnly) {
    const std::string virtuals = VirtualDriveLetters(drives);
    std::string ready;
    for (char letter : KnownDriveLetters(drives)) {
        CAspiCdromInfo info;
        if (!drives.GetDriveInfo(letter, &info))
            continue;
        const bool isVirtual = virtuals.find(letter) != std::string::npos;
        if (isVirtual && !acceptVirtual)
            continue;
        if (!drives.IsUnitReady(letter, timeoutSeconds))
            continue;
        if (isVirtual && common.IsAnalogAudio(letter))
            continue;
        ready += letter;
        if (firstOnly)
            break;
    }
    return ready;
}

std::string LabelFromDisplayName(const std::string& displayName) {
    const size_t paren = displayName.rfind('(');
    return paren == std::string::npos ? displayName : displayName.substr(0, paren);
}

std::string UsableVirtualDrives(IDriveLibrary& drives) {
    const std::string virtuals = VirtualDriveLetters(drives);
    std::string usable;
    for (char letter : KnownDriveLetters(drives)) {
        CAspiCdromInfo info;
        if (drives.GetDriveInfo(letter, &info) && virtuals.find(letter) != std::string::npos)
            usable += letter;
    }
    return usable;
}
