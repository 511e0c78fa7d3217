#pragma once
// A CUE sheet as written by the usual CD image tools: FILE, TRACK, INDEX, PREGAP, POSTGAP,
// FLAGS, disc and track TITLE/PERFORMER/SONGWRITER, CDTEXTFILE, and the REM lines that carry
// sessions ("REM SESSION 02") and, for kinds a file system cannot show, "REM DISCKIND".
#include <cstdint>
#include <string>
#include <vector>

enum class CueTrackMode { Audio, Mode1_2048, Mode1_2352, Mode2_2352 };

struct CueIndex {
    int number = 0;
    int file = 0;       // into CueSheet::files: a track's pregap may end the previous file
    int64_t frames = 0; // from the start of that file
};

struct CueTrack {
    int number = 0;
    CueTrackMode mode = CueTrackMode::Audio;
    int session = 1;      // from the REM SESSION line above it
    uint8_t flags = 0;    // control bits: 8 four channels, 2 copy permitted, 1 pre-emphasis
    uint32_t pregap = 0;  // PREGAP: sectors not in the file, before INDEX 01
    uint32_t postgap = 0; // POSTGAP: sectors not in the file, after the track
    std::vector<CueIndex> indexes;            // 00 (optional), 01, 02... in order
    std::string title, performer, songwriter; // the track's CD-Text lines
};

struct CueSheet {
    std::vector<std::string> files; // as written in the sheet
    std::vector<CueTrack> tracks;
    std::string title;        // disc TITLE
    std::string performer;    // disc PERFORMER
    std::string songwriter;   // disc SONGWRITER
    bool cdTextLines = false; // any TITLE/PERFORMER/SONGWRITER line
    std::string cdTextFile;   // CDTEXTFILE as written
    std::string discKind;     // REM DISCKIND value, upper case
};

uint32_t CueSectorSize(CueTrackMode mode);
bool CueIsData(CueTrackMode mode);

// False with a message naming the line for anything a drive could not make sense of.
bool ParseCueSheet(const std::string& text, CueSheet& sheet, std::string& error);
