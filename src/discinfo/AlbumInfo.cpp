#include "discinfo/AlbumInfo.h"

#include "app/Texts.h"

#include "settings/EnvStore.h"

#include <climits>
#include <iterator>
#include <cstring>

namespace {
// A CD holds at most 99 tracks; a larger count from the library is not believed.
constexpr int kMaxTracks = 99;
// Longer than any text a disc entry holds; a larger need is a broken answer, not a text.
constexpr int kLargestText = 1 << 20;

int SetNumber(const std::string& text) {
    const long value = DecimalValue(text);
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

} // namespace

void CLibraryTextReader::Read(const Getter& get, std::string& field) {
    // Cleared first, so a getter that writes nothing cannot hand on the previous text.
    m_buffer[0] = '\0';
    const int needed = get(m_buffer.data(), BufferSize());
    if (needed == -1)
        return;
    if (needed > BufferSize()) {
        if (needed > kLargestText)
            return;
        m_buffer.assign(static_cast<size_t>(needed), '\0');
        if (get(m_buffer.data(), needed) == -1)
            return;
    }
    field.assign(m_buffer.data(), strnlen(m_buffer.data(), m_buffer.size()));
}

void CAlbumTrackInfo::Fill(IDiscInfoLibrary& library, int number) {
    Number = number;
    std::string* const texts[] = {&Artist,           &Year,   &Label, &Notes, &GenreId,
                                  &SecondaryGenreId, &Lyrics, &Title};
    const TrackField fields[] = {TrackField::Artist,  TrackField::Year,
                                 TrackField::Label,   TrackField::Notes,
                                 TrackField::GenreId, TrackField::SecondaryGenreId,
                                 TrackField::Lyrics,  TrackField::Title};
    CLibraryTextReader reader;
    for (size_t i = 0; i < std::size(texts); ++i) {
        texts[i]->clear();
        reader.Read([&](char* buffer,
                        int size) { return library.GetTrackText(number, fields[i], buffer, size); },
                    *texts[i]);
        *texts[i] = TrimTrailingSpace(std::move(*texts[i]));
    }
}

void CAlbumInfo::Fill(IDiscInfoLibrary& library) {
    for (std::string* text : {&Title, &Artist, &Year, &Label, &GenreId, &SecondaryGenreId, &Notes})
        text->clear();
    TotalInSet = NumberInSet = 0;
    Compilation = library.GetCompilation();
    NumberOfTracks = library.GetNumberOfTracks();

    std::string totalInSet, numberInSet;
    const std::pair<AlbumField, std::string*> fields[] = {
        {AlbumField::Title, &Title},
        {AlbumField::Artist, &Artist},
        {AlbumField::Year, &Year},
        {AlbumField::Label, &Label},
        {AlbumField::GenreId, &GenreId},
        {AlbumField::SecondaryGenreId, &SecondaryGenreId},
        {AlbumField::TotalInSet, &totalInSet},
        {AlbumField::NumberInSet, &numberInSet},
        {AlbumField::Notes, &Notes},
    };
    CLibraryTextReader reader;
    for (const auto& [field, text] : fields)
        reader.Read(
            [&](char* buffer, int size) { return library.GetAlbumText(field, buffer, size); },
            *text);
    TotalInSet = SetNumber(totalInSet);
    NumberInSet = SetNumber(numberInSet);
    for (std::string* text : {&Title, &Artist, &Year, &Label, &GenreId, &SecondaryGenreId, &Notes})
        *text = TrimTrailingSpace(std::move(*text));

    Tracks.clear();
    const int count = NumberOfTracks < kMaxTracks ? NumberOfTracks : kMaxTracks;
    for (int track = 1; track <= count; ++track) {
        CAlbumTrackInfo info;
        info.Fill(library, track);
        Tracks.push_back(std::move(info));
    }
}

const CAlbumTrackInfo* CAlbumInfo::GetTrack(int n) const {
    if (n < 1 || static_cast<size_t>(n) > Tracks.size())
        return nullptr;
    return &Tracks[static_cast<size_t>(n - 1)];
}
