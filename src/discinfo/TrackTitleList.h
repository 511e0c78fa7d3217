#pragma once
// The entries of a list of audio track titles: one per audio track, in disc order, so
// entry k is the k-th audio track. Data tracks get no entry.
#include "source/DriveTypes.h"

#include <string>
#include <vector>

struct TrackTitleEntry {
    int track = 0; // 1-based number on the disc
    std::string title;
};

// `titles` holds one title per track of the table of contents (track n at n - 1); a
// track without one shows an empty title.
std::vector<TrackTitleEntry> AudioTrackTitles(const _CDROM_TOC& toc,
                                              const std::vector<std::string>& titles);
