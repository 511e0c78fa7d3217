// The disc information library's exports. The state lives in one service object made on
// first use and dropped by ZLXCDDBReleaseInterface; no exception leaves an export.
#include "ZLXCDDB.h"

#include "cddb/CddbDialogs.h"
#include "cddb/CddbService.h"
#include "cddb/WinCddbSystem.h"

#include <commctrl.h>

#include <cctype>

namespace {
struct CLibrary {
    CWinCddbSystem system;
    CWinDatabaseFiles files;
    CCddbService service{system, files};
    HWND owner = nullptr;
};

// Never destroyed while the library unloads: releasing frees other libraries, which the
// system does not allow from there.
CLibrary* g_library = nullptr;

CLibrary& Library() {
    if (!g_library) {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        g_library = new CLibrary;
    }
    return *g_library;
}

template <typename Result, typename Fn> Result Guarded(Result fallback, Fn fn) {
    try {
        return fn();
    } catch (...) {
        return fallback;
    }
}

template <typename Fn> void Guarded(Fn fn) {
    try {
        fn();
    } catch (...) {
    }
}

HWND Owner(void* window) {
    HWND w = static_cast<HWND>(window);
    if (w && IsWindow(w))
        return w;
    HWND owner = Library().owner;
    return owner && IsWindow(owner) ? owner : nullptr;
}

// "X:" -> 'X'; 0 for anything that does not name a drive.
char DriveLetter(const char* drive) {
    if (!drive)
        return 0;
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    return c >= 'A' && c <= 'Z' ? c : 0;
}

int AlbumText(std::string DiscRecord::*field, char* buffer, int size) {
    return Guarded(-1, [&] {
        const CCddbService& s = Library().service;
        return s.Found() ? CopyText(s.Record().*field, buffer, size) : -1;
    });
}

int TrackText(int track, std::string TrackTexts::*field, char* buffer, int size) {
    return Guarded(-1, [&] {
        const CCddbService& s = Library().service;
        const auto& tracks = s.Record().tracks;
        if (!s.Found() || track < 1 || static_cast<size_t>(track) > tracks.size())
            return -1;
        return CopyText(tracks[static_cast<size_t>(track) - 1].*field, buffer, size);
    });
}
} // namespace

ZLXCDDB_API void ZLXCDDBInit(void* window) {
    Guarded([&] {
        HWND w = static_cast<HWND>(window);
        Library().owner = w && IsWindow(w) ? w : nullptr;
    });
}

ZLXCDDB_API int ZLXCDDBIsLocked(void) {
    return OpenDialogCount() > 0 ? 1 : 0;
}

ZLXCDDB_API int ZLXCDDBGetCDInfoFromToc(const void* toc, int flags) {
    return Guarded(0, [&] {
        return Library().service.LookupToc(static_cast<const uint8_t*>(toc), toc ? kRawTocSize : 0,
                                           flags)
                   ? 1
                   : 0;
    });
}

ZLXCDDB_API int ZLXCDDBGetCDInfo(const char* drive) {
    return Guarded(0, [&] {
        const char letter = DriveLetter(drive);
        return letter && Library().service.LookupDrive(letter) ? 1 : 0;
    });
}

ZLXCDDB_API int ZLXCDDBGetCompilation(void) {
    return Guarded(0, [] {
        const CCddbService& s = Library().service;
        return s.Found() && s.Record().compilation ? 1 : 0;
    });
}

ZLXCDDB_API int ZLXCDDBGetNumberOfTracks(void) {
    return Guarded(0, [] { return Library().service.Toc().TrackCount(); });
}

ZLXCDDB_API int ZLXCDDBGetTitle(char* buffer, int size) {
    return AlbumText(&DiscRecord::title, buffer, size);
}

ZLXCDDB_API int ZLXCDDBGetArtist(char* buffer, int size) {
    return AlbumText(&DiscRecord::artist, buffer, size);
}

ZLXCDDB_API int ZLXCDDBGetYear(char* buffer, int size) {
    return AlbumText(&DiscRecord::year, buffer, size);
}

// xmcd entries name no record label, set or lyrics.
ZLXCDDB_API int ZLXCDDBGetLabel(char*, int) {
    return -1;
}

// Entries from before freedb added DGENRE have only their category to say what they are.
ZLXCDDB_API int ZLXCDDBGetGenreID(char* buffer, int size) {
    return Guarded(-1, [&] {
        const CCddbService& s = Library().service;
        if (!s.Found())
            return -1;
        const std::string& genre = s.Record().genre;
        return CopyText(genre.empty() && s.Source() == DiscSource::Database ? s.Category() : genre,
                        buffer, size);
    });
}

ZLXCDDB_API int ZLXCDDBGetSecondaryGenreID(char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetTotalInSet(char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetNumberInSet(char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetNotes(char* buffer, int size) {
    return AlbumText(&DiscRecord::notes, buffer, size);
}

ZLXCDDB_API int ZLXCDDBGetTrackArtist(int track, char* buffer, int size) {
    return TrackText(track, &TrackTexts::artist, buffer, size);
}

ZLXCDDB_API int ZLXCDDBGetTrackYear(int, char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetTrackLabel(int, char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetTrackNotes(int track, char* buffer, int size) {
    return TrackText(track, &TrackTexts::notes, buffer, size);
}

ZLXCDDB_API int ZLXCDDBGetTrackGenreID(int, char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetTrackSecondatyGenreID(int, char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetTrackLyrics(int, char*, int) {
    return -1;
}

ZLXCDDB_API int ZLXCDDBGetTrackTitle(int track, char* buffer, int size) {
    return TrackText(track, &TrackTexts::title, buffer, size);
}

ZLXCDDB_API int ZLXCDDBDisplayDiskInfo(int mode) {
    return Guarded(0, [&] {
        CLibrary& lib = Library();
        return ShowDiscInfo(Owner(nullptr), lib.service,
                            mode == 2 ? DiscInfoMode::Edit : DiscInfoMode::View);
    });
}

ZLXCDDB_API void ZLXCDDBSubmitDisc(void) {
    Guarded([] { Library().service.Submit(); });
}

ZLXCDDB_API void ZLXCDDBInvokeSubmitDisc(const char* drive) {
    Guarded([&] {
        CLibrary& lib = Library();
        const char letter = DriveLetter(drive);
        if (!letter || (!lib.service.LookupDrive(letter) && !lib.service.HasDisc())) {
            const std::string text = std::string("There is no disc in drive ") +
                                     (letter ? std::string(1, letter) + ":" : "?") + ".";
            ShowMessage(Owner(nullptr), text, MB_ICONEXCLAMATION);
            return;
        }
        ShowDiscInfo(Owner(nullptr), lib.service, DiscInfoMode::Submit);
    });
}

ZLXCDDB_API void ZLXCDDBShowInfoBrowser(void* owner) {
    Guarded([&] { ShowBrowser(Owner(owner), Library().service); });
}

ZLXCDDB_API void ZLXCDDBInvokeOptionsDialog(void) {
    Guarded([] { ShowOptions(Owner(nullptr), Library().system); });
}

ZLXCDDB_API void ZLXCDDBInvokeAboutDlg(void) {
    Guarded([] { ShowAbout(Owner(nullptr), Library().service); });
}

ZLXCDDB_API void ZLXCDDBReleaseInterface(void) {
    Guarded([] {
        // A dialog still open is a call still running; its state must outlive it.
        if (!g_library || OpenDialogCount())
            return;
        delete g_library;
        g_library = nullptr;
    });
}
