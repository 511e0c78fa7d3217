#pragma once
// The product's disc information library: album and track texts of the disc it last found.
// Text getters fill `buffer` and return the bytes the text needs including its zero; a
// result above `size` means the buffer was too small, -1 that there is no such text.
#include "source/DriveTypes.h"

enum class AlbumField {
    Title,
    Artist,
    Year,
    Label,
    GenreId,
    SecondaryGenreId,
    TotalInSet,
    NumberInSet,
    Notes,
};

enum class TrackField {
    Artist,
    Year,
    Label,
    Notes,
    GenreId,
    SecondaryGenreId,
    Lyrics,
    Title,
};

class IDiscInfoLibrary {
public:
    virtual ~IDiscInfoLibrary() = default;
    // `window` owns the library's dialogs (a window handle; may be null).
    virtual void Init(void* window) = 0;
    // Nonzero while one of the library's dialogs is open: nothing may be asked then.
    virtual int IsLocked() = 0;
    // Nonzero when the disc was found; its texts are then the current ones.
    virtual int GetCDInfoFromToc(const _CDROM_TOC& toc, int flags) = 0;
    // `drive` is "X:".
    virtual int GetCDInfo(const char* drive) = 0;
    virtual int GetCompilation() = 0;
    virtual int GetNumberOfTracks() = 0;
    virtual int GetAlbumText(AlbumField field, char* buffer, int size) = 0;
    // `track` is 1-based.
    virtual int GetTrackText(int track, TrackField field, char* buffer, int size) = 0;
    // Mode 1 views, mode 2 edits; 0x100 | 0x400 in the result: the user changed the data.
    virtual int DisplayDiskInfo(int mode) = 0;
    virtual void SubmitDisc() = 0;
    virtual void InvokeSubmitDisc(const char* drive) = 0;
    virtual void ShowInfoBrowser(void* owner) = 0;
    virtual void InvokeOptionsDialog() = 0;
    virtual void InvokeAboutDlg() = 0;
    virtual void ReleaseInterface() = 0;
};
