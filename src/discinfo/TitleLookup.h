#pragma once
// Album, artist and track titles of the analysed disc from the disc information service,
// and the service's answers for the source drive list.
#include "discinfo/DiscInfoLibrary.h"
#include "settings/EnvStore.h"
#include "settings/ZlxBuildSettings.h"
#include "settings/ZlxSettings.h"
#include "source/AnalysisSeams.h"
#include "source/DriveList.h"

#include <functional>
#include <optional>
#include <string>

class CBuildJob;

// What the title lookup works with.
struct TitleLookupContext {
    IDiscInfoLibrary& library;
    IEnvStore& store;
    const CZlxSettings& settings;
    const CZlxBuildSettings& buildSettings;
    std::function<std::string(int)> text; // string table
};

// True when the product has the service switched off for this installation.
bool DiscInfoServiceDisabled(IEnvStore& store);

// Asks the service for the job's disc (audio kinds only, when the user wants the service)
// and names the album, the artist and every audio track: the service's titles, made
// usable as file names, or "Unknown" and "Title_01", "Title_02", ... Data tracks keep
// their titles. `window` owns the service's dialogs.
void LookupAlbumTitles(CBuildJob& job, const TitleLookupContext& context, void* window);

// The lookup the analysis runs at its end.
class CAlbumLookup : public IAlbumLookup {
public:
    // `window` gives the window that owns the service's dialogs at the time of the lookup.
    explicit CAlbumLookup(std::function<void*()> window) : m_window(std::move(window)) {}
    // The settings belong to the application, which is made after the analysis; until
    // they are bound, the lookup leaves the job as it is.
    void Bind(const TitleLookupContext& context) { m_context.emplace(context); }
    void LoadAlbumInfo(CBuildJob& job) override;

private:
    std::function<void*()> m_window;
    std::optional<TitleLookupContext> m_context;
};

// Album title and artist for the drive list, by drive.
class CServiceAlbumTitles : public IAlbumTitles {
public:
    explicit CServiceAlbumTitles(IDiscInfoLibrary& library) : m_library(library) {}
    bool Ready() override { return m_library.IsLocked() == 0; }
    bool Lookup(const std::string& drive, std::string& album, std::string& artist) override;

private:
    IDiscInfoLibrary& m_library;
};
