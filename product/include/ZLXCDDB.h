#pragma once
// Exports of the disc information library (cdecl, by name).
//
// The library answers from an offline database of freedb-format (xmcd) entries and, for
// discs it does not know, from the disc's CD-Text. One disc is "current" at a time: the
// last one found by ZLXCDDBGetCDInfo or ZLXCDDBGetCDInfoFromToc.
//
// Text getters copy the text with its terminating zero into `buffer` when it fits and
// return the number of bytes the text needs including that zero; a result greater than
// `size` means the buffer was too small (nothing usable was copied). -1: there is no such
// text (no current disc, no such field, no such track).
#ifdef ZLXCDDB_BUILD
#define ZLXCDDB_API extern "C" __declspec(dllexport)
#else
#define ZLXCDDB_API extern "C" __declspec(dllimport)
#endif

// `window`: owner of the library's dialogs (an HWND), may be null.
ZLXCDDB_API void ZLXCDDBInit(void* window);
// Nonzero while one of the library's dialogs is open; callers then ask nothing.
ZLXCDDB_API int ZLXCDDBIsLocked(void);
// `toc`: the 804-byte table of contents as READ TOC format 0 returns it. Nonzero: found.
ZLXCDDB_API int ZLXCDDBGetCDInfoFromToc(const void* toc, int flags);
// `drive`: "X:". Reads the drive's table of contents (and CD-Text) through the drive
// library. Nonzero: found.
ZLXCDDB_API int ZLXCDDBGetCDInfo(const char* drive);

ZLXCDDB_API int ZLXCDDBGetCompilation(void);
ZLXCDDB_API int ZLXCDDBGetNumberOfTracks(void);

ZLXCDDB_API int ZLXCDDBGetTitle(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetArtist(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetYear(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetLabel(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetGenreID(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetSecondaryGenreID(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTotalInSet(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetNumberInSet(char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetNotes(char* buffer, int size);

// `track`: 1-based.
ZLXCDDB_API int ZLXCDDBGetTrackArtist(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackYear(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackLabel(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackNotes(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackGenreID(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackSecondatyGenreID(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackLyrics(int track, char* buffer, int size);
ZLXCDDB_API int ZLXCDDBGetTrackTitle(int track, char* buffer, int size);

// Shows the current disc's information: mode 1 view, mode 2 edit. The edit returns
// 0x100 | 0x400 when the user changed something (the changes are then current).
ZLXCDDB_API int ZLXCDDBDisplayDiskInfo(int mode);
// Stores the current disc's (edited) information in the database.
ZLXCDDB_API void ZLXCDDBSubmitDisc(void);
// The submission dialog for the disc in `drive` ("X:").
ZLXCDDB_API void ZLXCDDBInvokeSubmitDisc(const char* drive);
// Lists the database's entries; `owner` is an HWND or null.
ZLXCDDB_API void ZLXCDDBShowInfoBrowser(void* owner);
ZLXCDDB_API void ZLXCDDBInvokeOptionsDialog(void);
ZLXCDDB_API void ZLXCDDBInvokeAboutDlg(void);
// Releases whatever the service holds; safe to call when it was never initialised.
ZLXCDDB_API void ZLXCDDBReleaseInterface(void);
