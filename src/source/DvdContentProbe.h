#pragma once
// What a DVD holds, as the content bits of its disc-type code: files in VIDEO_TS, files in
// AUDIO_TS, and anything else in the root.
#include "source/FileSearch.h"

#include <cstdint>

class CDvdContentProbe {
public:
    explicit CDvdContentProbe(IFileSearch& files) : m_files(files) {}
    // kDvdVideoTs, kDvdAudioTs and kDvdOtherContent of the disc in drive `letter`.
    uint16_t ContentBits(char letter);

private:
    bool OtherRootContent(char letter);
    IFileSearch& m_files;
};
