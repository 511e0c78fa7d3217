#include "discinfo/TitleLookup.h"

#include "app/Texts.h"

#include "app/BuildJob.h"
#include "app/FileNames.h"
#include "app/Messages.h"

#include <cstdio>
#include <cstring>

namespace {
enum TitleText { kUnknown = 140, kGenericTitle = 141 };
// The service keys its answer to the table of contents this way.
constexpr int kTocLookupFlags = 2;
constexpr int kDriveListTextSize = 200;
constexpr int kMaxTocTracks = 99;

bool LooksUpTitles(uint16_t cdType) {
    const uint8_t kind = KindByte(cdType);
    return kind == CdKind::Audio || kind == CdKind::CdExtra || kind == CdKind::CdText;
}

// One text into a fixed buffer, as the drive list shows it; empty when there is none.
std::string ShortText(IDiscInfoLibrary& library, AlbumField field) {
    char buffer[kDriveListTextSize] = {};
    const int needed = library.GetAlbumText(field, buffer, sizeof buffer);
    if (needed == -1 || needed > kDriveListTextSize)
        return {};
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}
} // namespace

bool DiscInfoServiceDisabled(IEnvStore& store) {
    const auto disabled = ReadStoreText(store, "ZlxDisabledFeatures", 11);
    return disabled && !disabled->empty() && (*disabled)[0] == '1';
}

void LookupAlbumTitles(CBuildJob& job, const TitleLookupContext& context, void* window) {
    IDiscInfoLibrary& library = context.library;
    job.AlbumInfoFound = 0;
    if (!job.AlbumInfo)
        job.AlbumInfo = std::make_unique<CAlbumInfo>();
    const bool serviceUsed =
        context.settings.UseDiscInfoService && !DiscInfoServiceDisabled(context.store);
    if (serviceUsed && LooksUpTitles(job.CdType)) {
        library.Init(window);
        if (library.IsLocked() == 0) {
            job.AlbumInfoFound = library.GetCDInfoFromToc(job.Toc, kTocLookupFlags);
            // Filled even when the disc was not found: the record then holds no texts.
            job.AlbumInfo->Fill(library);
        }
    }

    const CAlbumInfo& album = *job.AlbumInfo;
    job.AlbumTitle = album.Title.empty() ? context.text(kUnknown) : album.Title;
    job.Artist = album.Artist.empty() ? context.text(kUnknown) : album.Artist;

    const int lastTrack = job.Toc.LastTrack < kMaxTocTracks ? job.Toc.LastTrack : kMaxTocTracks;
    if (job.TrackTitles.size() < static_cast<size_t>(lastTrack))
        job.TrackTitles.resize(static_cast<size_t>(lastTrack));
    for (int i = 1; i <= lastTrack; ++i) {
        if (TocIsData(job.Toc.TrackData[i - 1]))
            continue;
        const CAlbumTrackInfo* track = job.AlbumInfoFound ? album.GetTrack(i) : nullptr;
        const std::string title =
            track ? CleanFileName(track->Title)
                  : FormatText(context.text(kGenericTitle), {std::to_string(i)});
        if (context.buildSettings.AddTitlesToInfoText)
            job.InfoText += TwoDigits(i) + " " + title + "\r\n";
        job.TrackTitles[static_cast<size_t>(i - 1)] = title;
    }
}

void CAlbumLookup::LoadAlbumInfo(CBuildJob& job) {
    if (m_context)
        job.LookupTitles(*m_context, m_window ? m_window() : nullptr);
}

bool CServiceAlbumTitles::Lookup(const std::string& drive, std::string& album,
                                 std::string& artist) {
    if (!m_library.GetCDInfo(drive.c_str()))
        return false;
    album = ShortText(m_library, AlbumField::Title);
    artist = ShortText(m_library, AlbumField::Artist);
    return true;
}
