#include "discinfo/TrackTitleList.h"

namespace {
constexpr int kMaxTocTracks = 99;
}

std::vector<TrackTitleEntry> AudioTrackTitles(const _CDROM_TOC& toc,
                                              const std::vector<std::string>& titles) {
    std::vector<TrackTitleEntry> entries;
    const int lastTrack = toc.LastTrack < kMaxTocTracks ? toc.LastTrack : kMaxTocTracks;
    for (int track = 1; track <= lastTrack; ++track) {
        if (TocIsData(toc.TrackData[track - 1]))
            continue;
        const size_t index = static_cast<size_t>(track - 1);
        entries.push_back({track, index < titles.size() ? titles[index] : std::string()});
    }
    return entries;
}
