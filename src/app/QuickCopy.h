#pragma once
// What the job's Quick Copy operations need from outside: the files in the Quick Copy
// folder and the user's choice among several matching files.
#include "app/QuickCopyRecord.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Matching files of one search: full path -> the file's record.
using QuickCopyCandidates = std::map<std::string, QuickCopyRecord>;

class IQuickCopyFiles {
public:
    virtual ~IQuickCopyFiles() = default;
    // Names (without folder) of the files the wildcard pattern matches; folders never count.
    virtual std::vector<std::string> List(const std::string& pattern) = 0;
    // Opens the file for reading, denying others write access (or all access when
    // `exclusive`), and reads up to `size` bytes. The number of bytes read, or -1 when the
    // file cannot be opened or read.
    virtual long Read(const std::string& path, uint8_t* buffer, size_t size, bool exclusive) = 0;
    // True when the file is gone from the disk.
    virtual bool Delete(const std::string& path) = 0;
};

struct QuickCopyChoice {
    std::string path;
    std::string displayName;
};

// The selection dialog: false when the user cancelled. The files' deletions go through
// the same IQuickCopyFiles, so the candidates stay as they were.
class IQuickCopyChooser {
public:
    virtual ~IQuickCopyChooser() = default;
    virtual bool Choose(const QuickCopyCandidates& candidates, QuickCopyChoice& choice) = 0;
};

// Everything one search uses. `folder` is the Quick Copy folder of the global settings,
// a prefix ending with a backslash.
struct QuickCopyServices {
    IQuickCopyFiles& files;
    IQuickCopyChooser& chooser;
    std::string folder;
};

enum QuickCopySearch {
    kQuickCopyFirstMatch = 0, // stop at the first matching file
    kQuickCopyChooseIfMany = 1,
    kQuickCopyAlwaysChoose = 2,
};

// A chooser for searches that never ask (kQuickCopyFirstMatch): it cancels.
class CNoQuickCopyChooser : public IQuickCopyChooser {
public:
    bool Choose(const QuickCopyCandidates&, QuickCopyChoice&) override { return false; }
};
