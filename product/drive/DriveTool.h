#pragma once
// The zl5drive command line: lists, adds and removes emulated drives and puts disc images
// in and out of them, announcing each media change to running programs.
#include "disc/DiscImage.h"
#include "scsi/DriveRegistry.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDriveTool {
public:
    enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };
    // Called with the drive letter and true for an arrival, false for a removal.
    using Announce = std::function<void(char letter, bool arrived)>;
    // Turns a path as typed into the absolute one the library will open.
    using FullPath = std::function<std::string(const std::string&)>;

    CDriveTool(const CDriveRegistry& registry, Announce announce, FullPath fullPath, FILE* out,
               FILE* err)
        : m_registry(registry), m_announce(std::move(announce)), m_fullPath(std::move(fullPath)),
          m_out(out), m_err(err) {}

    // args excludes the program name.
    int Run(const std::vector<std::string>& args);
    static void PrintUsage(FILE* err);

private:
    struct Options {
        char letter = 0;
        std::vector<std::string> positional;
        std::string profile;
        std::string badSectors;
        bool isVirtual = false, analog = false, cd = false, dvd = false, hasBad = false;
    };
    bool ParseOptions(const std::vector<std::string>& args, Options& options);
    bool Load(char letter, DriveConfig& config);
    bool Save(char letter, const DriveConfig& config);
    bool CheckProfile(const std::string& name);
    // The drive's configuration with the options' profile, checked, applied.
    bool LoadForChange(const Options& o, DriveConfig& config);
    // Counts and stores a change of medium, then announces the old disc's removal.
    bool SaveMediaChange(char letter, DriveConfig& config, bool hadDisc);
    std::unique_ptr<CDiscImage> OpenDisc(char letter, FILE* report, const char* lead);

    int List();
    int Profiles();
    int Add(const Options& o);
    int Insert(const Options& o);
    int Eject(const Options& o);
    int Remove(const Options& o);
    int Info(const Options& o);
    int Export(const Options& o);

    const CDriveRegistry& m_registry;
    Announce m_announce;
    FullPath m_fullPath;
    FILE* m_out;
    FILE* m_err;
};
