#pragma once
// Album and track texts of an audio disc as the disc information library knows them;
// owned by the build job, which names the album, the artist and the tracks after them.
#include "discinfo/DiscInfoLibrary.h"

#include <functional>
#include <string>
#include <vector>

// Reads the library's texts through one work buffer: 200 bytes to start with, grown to
// exactly the size a longer text needs, so any length arrives whole in two calls.
class CLibraryTextReader {
public:
    using Getter = std::function<int(char* buffer, int size)>;
    static constexpr int kStartSize = 200;

    // -1 from the library leaves `field` as it was.
    void Read(const Getter& get, std::string& field);
    int BufferSize() const { return static_cast<int>(m_buffer.size()); }

private:
    std::vector<char> m_buffer = std::vector<char>(kStartSize);
};

class CAlbumTrackInfo {
public:
    // Reads the texts of track `number` (1-based) of the library's current disc.
    void Fill(IDiscInfoLibrary& library, int number);

    int Number = 0;
    std::string Artist;
    std::string Year;
    std::string Label;
    std::string Notes;
    std::string GenreId;
    std::string SecondaryGenreId;
    std::string Lyrics;
    std::string Title;
};

class CAlbumInfo {
public:
    // Reads the library's current disc: album texts, then one record per track.
    void Fill(IDiscInfoLibrary& library);
    // Track n (1-based); null outside the list.
    const CAlbumTrackInfo* GetTrack(int n) const;

    std::string Title;
    std::string Artist;
    std::string Year;
    std::string Label;
    std::string GenreId;
    std::string SecondaryGenreId;
    std::string Notes;
    int TotalInSet = 0;
    int NumberInSet = 0;
    int Compilation = 0;
    int NumberOfTracks = 0;
    std::vector<CAlbumTrackInfo> Tracks;
};
