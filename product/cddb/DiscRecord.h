#pragma once
// The texts the library hands out for one disc, whichever way they were found (database
// entry, CD-Text or the user's own edit), and the conversions to and from an entry.
#include "cddb/CdText.h"
#include "cddb/DiscId.h"
#include "cddb/Xmcd.h"

#include <string>
#include <vector>

struct TrackTexts {
    std::string title, artist, notes;
};

struct DiscRecord {
    std::string title, artist, year, genre, notes;
    bool compilation = false;
    std::vector<TrackTexts> tracks; // one per track of the table of contents

    bool operator==(const DiscRecord& o) const;
    bool operator!=(const DiscRecord& o) const { return !(*this == o); }
};

// A disc by several artists names itself "Various" (or "Various Artists") as its artist.
bool IsVariousArtists(const std::string& artist);

// Tracks beyond the entry's titles stay empty; titles beyond the disc's tracks are ignored.
// On a compilation a title "artist / title" gives the track its own artist.
DiscRecord RecordFromEntry(const XmcdEntry& entry, int trackCount);
DiscRecord RecordFromCdText(const CdTextAlbum& album, const DiscToc& toc);
// The entry to store for the disc: frame offsets, length and ID from the table of contents.
XmcdEntry EntryFromRecord(const DiscRecord& record, const DiscToc& toc, int revision);

// The getters' contract: copies the text with its zero when it fits and returns the bytes
// it needs with that zero; -1 for an empty text.
int CopyText(const std::string& text, char* buffer, int size);
