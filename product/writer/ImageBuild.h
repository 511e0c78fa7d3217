#pragma once
// The writer's work without windows.h: the job as the wizard left it in the store, the plan
// of tracks it asks for, and the build that reads the disc through IDiscReader and writes
// the .zl4 image and the sound files through FileSet (temporary names, renamed at the end).
#include "image/Zl4File.h"
#include "image/Zl4Format.h"
#include "writer/Compilation.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Every job value the writer uses, as found in the store (texts; the table of contents as
// its 804 bytes).
struct BuildJob {
    char drive = 0;
    std::string destination;
    int compressionType = 0, compressionLevel = 0;
    bool fua = false;
    int rawDataType = 0, rawAudioType = 0; // 0: not written (no RAW reading)
    int sectorSize = 2048, sectorType = 0, discType = 0;
    int skipRange = 1, audioRecordMode = 2, timesToValidate = 1;
    bool readSubchannel = false, fastErrorSkip = true, autoCreateFolder = true;
    bool eject = false, dynamicErrors = true;
    int selectedSpeed = 0, dynamicSpeed = 0;
    std::string label, description, infoText, password, startProgram, startPath;
    std::string autoInsertDrive, artist, album, trackOrder;
    uint16_t hotkey = 0, hotkeyModifiers = 0;
    std::map<int, std::string> trackTitles;
    std::vector<uint8_t> toc;        // 804 bytes; empty for the editor's compilation
    std::vector<SourceDisc> sources; // the compilation's discs; empty for a disc build
};

// False with a message when a value the build cannot do without is missing or malformed.
// Without a table of contents the job is the editor's compilation (IsCompilation), and
// `texts` holds each CDE<i>_TOC as its raw bytes.
bool ParseBuildJob(const std::map<std::string, std::string>& texts, const std::string& tocBytes,
                   BuildJob& job, std::string& error);

struct PlannedTrack {
    int number = 0;
    bool audio = false;
    uint8_t control = 0;
    uint32_t first = 0, count = 0;
    // A data track right before an audio track may end in that track's pregap (up to two
    // seconds of audio sectors), which has no 2048-byte user data: read cooked, the data
    // track ends at the first of them.
    uint32_t audioPregap = 0;
    int source = 0;          // which of the job's source discs (and readers) holds it
    int sourceTrack = 0;     // its number on that disc
    uint32_t imageFirst = 0; // where it starts on the disc the image describes
    std::string title;
};

// The tracks in writing order: the track order's numbers (all tracks when it is empty);
// tracks it leaves out (blocked) are absent. An audio track right before a data track of a
// later session (CD Extra) ends before that session's lead-in.
bool PlanTracks(const BuildJob& job, std::vector<PlannedTrack>& plan, std::string& error);

// The compilation's tracks, disc by disc in the editor's order, numbered from 1 and laid
// one after another from sector 0. `driveTocs[i]` is what the drive of source disc i
// reports; a disc other than the one the editor saw is refused.
bool PlanCompilation(const BuildJob& job, const std::vector<std::vector<uint8_t>>& driveTocs,
                     std::vector<PlannedTrack>& plan, std::string& error);

// The table of contents (804 bytes) of the disc a compilation's plan makes.
std::vector<uint8_t> CompilationToc(const std::vector<PlannedTrack>& plan);

// The drive as the build reads it. Each read is of whole sectors and good only when
// complete.
class IDiscReader {
public:
    virtual ~IDiscReader() = default;
    // 2048-byte user data.
    virtual bool ReadCooked(uint32_t lba, uint16_t count, uint8_t* out, bool fua) = 0;
    // 2352-byte sectors, followed each by 16 Q bytes when `q` is set (2368 a sector).
    virtual bool ReadRaw(uint32_t lba, uint16_t count, uint8_t* out, bool audio, bool q) = 0;
    virtual void SetSpeed(int factor) = 0;
    // Session details (1101 bytes) when the drive can tell them.
    virtual bool SessionDetails(uint8_t* out) = 0;
    // The disc's table of contents (804 bytes); only a compilation asks for it.
    virtual bool Toc(uint8_t* out) {
        (void)out;
        return false;
    }
};

// Files made under temporary names beside their targets; Commit renames them all, Discard
// (or destruction without Commit) removes them, so nothing half-made stays behind and an
// existing target is only ever replaced by a complete file.
class FileSet {
public:
    ~FileSet() { Discard(); }
    zl4::StdioFile* Create(const std::string& target);
    bool Commit(std::string& error);
    void Discard();
    static std::string TemporaryName(const std::string& target) { return target + ".part"; }

private:
    struct Entry {
        std::string target;
        std::unique_ptr<zl4::StdioFile> file;
    };
    std::vector<Entry> files_;
};

struct BuildProgress {
    int track = 0;
    uint32_t sector = 0;
    uint64_t doneSectors = 0, totalSectors = 0;
    uint32_t errors = 0;
};

class IBuildObserver {
public:
    virtual ~IBuildObserver() = default;
    // Called after each run of sectors; false cancels the build.
    virtual bool Progress(const BuildProgress& progress) = 0;
};

enum class BuildResult { Done, Cancelled, Failed };

struct BuildOutcome {
    BuildResult result = BuildResult::Failed;
    std::string message;
    std::vector<std::string> files; // the image first, then the sound files
    std::vector<zl4::Range> unreadable;
    uint64_t imageBytes = 0;
    // For a compilation, where each of its tracks came from: "NN <drive>: track MM".
    std::vector<std::string> sources;
};

// `password` is the hash to store (made by the caller; none when the job has none).
BuildOutcome BuildImage(const BuildJob& job, IDiscReader& reader, IBuildObserver& observer,
                        const zl4::PasswordHash& password);
// `readers[i]` reads the job's source disc i (a disc build has one).
BuildOutcome BuildImage(const BuildJob& job, const std::vector<IDiscReader*>& readers,
                        IBuildObserver& observer, const zl4::PasswordHash& password);

// "<image without .zl4> - Track NN.wav"
std::string SoundFileName(const std::string& imagePath, int track);
