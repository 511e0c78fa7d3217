#pragma once
// The rows of the source drive list: every CD/DVD drive with its disc's name, size and
// kind, in the order the drive library knows the drives.
#include "source/CommonLibrary.h"
#include "source/DriveLibrary.h"
#include "source/FileSearch.h"
#include "source/ShellDrives.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct DriveRow {
    char letter = 0;
    bool empty = false;   // no readable disc: text only
    std::string text;     // "[E:] LABEL " or "[E:] <Empty>"
    std::string sizeText; // megabytes in steps of 2
    std::string info;     // kind text, or album and artist
    uint16_t cdType = 0;  // the row's item data
};

struct DriveListOptions {
    bool showEmpty = false;
    bool includeVirtual = false;
    bool discInformation = false;
    bool errorCorrectedToc = true;
};

// Album title and artist of an audio disc from the disc information service.
class IAlbumTitles {
public:
    virtual ~IAlbumTitles() = default;
    virtual bool Ready() = 0;
    virtual bool Lookup(const std::string& drive, std::string& album, std::string& artist) = 0;
};

class CDriveListModel {
public:
    using TextById = std::function<std::string(int)>;
    CDriveListModel(IDriveLibrary& drives, ICommonLibrary& common, IShellDrives& shell,
                    IFileSearch& files, TextById text, IAlbumTitles* albums)
        : m_drives(drives), m_common(common), m_shell(shell), m_files(files),
          m_text(std::move(text)), m_albums(albums) {}

    std::vector<DriveRow> Rows(const DriveListOptions& options);

private:
    bool HasReadableDisc(char letter, bool isVirtual, const DriveListOptions& options,
                         _CDROM_TOC& toc);
    std::string InfoText(char letter, uint16_t& cdType, const DriveListOptions& options);

    IDriveLibrary& m_drives;
    ICommonLibrary& m_common;
    IShellDrives& m_shell;
    IFileSearch& m_files;
    TextById m_text;
    IAlbumTitles* m_albums;
};

// The row to select after the list was filled again: with a preselection ("E:") the first
// row of that drive, else the remembered row text (ignoring case), else row 0; -1 for an
// empty list.
int RowToSelect(const std::vector<std::string>& rowTexts,
                const std::optional<std::string>& remembered, const std::string& preselection);

// The drive letter and disc name of a row text "[E:] NAME".
struct ParsedDriveRow {
    char letter = 0;
    std::string discName;
};
ParsedDriveRow ParseDriveRow(const std::string& rowText);
