#pragma once
// Which drives hold a disc that may be used as the source.
#include "source/CommonLibrary.h"
#include "source/DriveLibrary.h"

#include <string>

// The known CD/DVD drives or the product's virtual drives, as a string of letters.
std::string KnownDriveLetters(IDriveLibrary& drives);
std::string VirtualDriveLetters(IDriveLibrary& drives);

// Letters of the drives ready with a disc, in the order the library knows them. Virtual
// drives count only when accepted, and never while they are set up for analog audio.
std::string ReadySourceDrives(IDriveLibrary& drives, ICommonLibrary& common, bool acceptVirtual,
                              int timeoutSeconds, bool firstOnly);

// The volume label in a shell display name such as "AUDIO_CD (E:)": everything before the
// last opening parenthesis, trailing blank included; the whole name when there is none.
std::string LabelFromDisplayName(const std::string& displayName);

// The product's virtual drives that the library can use, in the order it knows them.
std::string UsableVirtualDrives(IDriveLibrary& drives);
