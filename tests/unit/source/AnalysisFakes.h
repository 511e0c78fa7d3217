#pragma once
// Stand-ins for the analysis's collaborators besides the drive library.
#include "app/BuildJob.h"
#include "source/AnalysisSeams.h"
#include "source/FileSearch.h"
#include "source/WorkInfo.h"

#include <map>
#include <random>
#include <set>

class CFakeFileSearch : public IFileSearch {
public:
    bool FindsFile(const std::string& pattern) override { return filePatterns.count(pattern) != 0; }
    std::vector<std::string> FolderNames(const std::string& pattern) override {
        return folders[pattern];
    }
    std::set<std::string> filePatterns;                      // patterns that find a file
    std::map<std::string, std::vector<std::string>> folders; // pattern -> folder names
};

class CFakeWorkInfo : public IWorkInfo {
public:
    void Show(int id) override { shown.push_back(id); }
    void Close() override { ++closed; }
    std::vector<int> shown;
    int closed = 0;
};

// Counts the calls of both seams; the album lookup also notes that the job had its record.
class CRecordingSeams : public IAlbumLookup, public IQuickCopyDefault {
public:
    void LoadAlbumInfo(CBuildJob& job) override { albumCalls += job.AlbumInfo ? 1 : 100; }
    void Prepare(CBuildJob&) override { ++quickCopyCalls; }
    int albumCalls = 0;
    int quickCopyCalls = 0;
};

// Sector contents no method can compress, the same at every read of the sector.
inline void RandomSector(uint32_t sector, uint8_t* out, size_t bytes) {
    std::mt19937 rng(sector + 1);
    for (size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<uint8_t>(rng() >> 24);
}
