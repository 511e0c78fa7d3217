#include "cddb/DiscRecord.h"

#include <cctype>
#include <cstring>

namespace {
std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string JoinArtistTitle(const std::string& artist, const std::string& title) {
    if (artist.empty() || artist == title)
        return title;
    return artist + " / " + title;
}
} // namespace

bool DiscRecord::operator==(const DiscRecord& o) const {
    if (title != o.title || artist != o.artist || year != o.year || genre != o.genre ||
        notes != o.notes || compilation != o.compilation || tracks.size() != o.tracks.size())
        return false;
    for (size_t i = 0; i < tracks.size(); ++i)
        if (tracks[i].title != o.tracks[i].title || tracks[i].artist != o.tracks[i].artist ||
            tracks[i].notes != o.tracks[i].notes)
            return false;
    return true;
}

bool IsVariousArtists(const std::string& artist) {
    const std::string a = Lower(artist);
    return a == "various" || a == "various artists";
}

DiscRecord RecordFromEntry(const XmcdEntry& entry, int trackCount) {
    DiscRecord r;
    SplitArtistTitle(entry.dtitle, r.artist, r.title);
    r.year = entry.year;
    r.genre = entry.genre;
    r.notes = entry.extd;
    r.compilation = IsVariousArtists(r.artist);
    r.tracks.resize(static_cast<size_t>(trackCount > 0 ? trackCount : 0));
    for (size_t i = 0; i < r.tracks.size(); ++i) {
        TrackTexts& t = r.tracks[i];
        t.title = i < entry.titles.size() ? entry.titles[i] : std::string();
        t.notes = i < entry.extended.size() ? entry.extended[i] : std::string();
        t.artist = r.artist;
        if (r.compilation && t.title.find(" / ") != std::string::npos)
            SplitArtistTitle(t.title, t.artist, t.title);
    }
    return r;
}

DiscRecord RecordFromCdText(const CdTextAlbum& album, const DiscToc& toc) {
    DiscRecord r;
    r.title = album.Title(0);
    r.artist = album.Performer(0);
    r.compilation = IsVariousArtists(r.artist);
    r.tracks.resize(toc.starts.size());
    for (size_t i = 0; i < r.tracks.size(); ++i) {
        const int number = toc.firstTrack + static_cast<int>(i);
        r.tracks[i].title = album.Title(number);
        r.tracks[i].artist = album.Performer(number).empty() ? r.artist : album.Performer(number);
    }
    return r;
}

XmcdEntry EntryFromRecord(const DiscRecord& record, const DiscToc& toc, int revision) {
    XmcdEntry e;
    for (uint32_t start : toc.starts)
        e.frameOffsets.push_back(start + kLeadInFrames);
    e.discLength = toc.LengthSeconds();
    e.revision = revision;
    e.discIds = DiscIdText(FreedbDiscId(toc));
    e.dtitle = JoinArtistTitle(record.artist, record.title);
    e.year = record.year;
    e.genre = record.genre;
    e.extd = record.notes;
    for (const TrackTexts& t : record.tracks) {
        // Only a compilation's entry carries track artists, in the title.
        e.titles.push_back(record.compilation && t.artist != record.artist
                               ? JoinArtistTitle(t.artist, t.title)
                               : t.title);
        e.extended.push_back(t.notes);
    }
    return e;
}

int CopyText(const std::string& text, char* buffer, int size) {
    if (text.empty())
        return -1;
    const size_t needed = text.size() + 1;
    if (needed > 0x7FFFFFFF)
        return -1;
    if (buffer && size > 0 && needed <= static_cast<size_t>(size))
        memcpy(buffer, text.c_str(), needed);
    return static_cast<int>(needed);
}
