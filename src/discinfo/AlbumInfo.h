#pragma once
// Album and track texts found for an audio disc; owned by the build job.
#include <string>
#include <vector>

class CAlbumTrackInfo {
public:
    std::string Title;
    std::string Artist;
};

class CAlbumInfo {
public:
    std::string Title;
    std::string Artist;
    std::vector<CAlbumTrackInfo> Tracks;
};
