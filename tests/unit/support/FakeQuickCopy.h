#pragma once
// A scripted Quick Copy folder and selection dialog.
#include "app/QuickCopy.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>

class CFakeQuickCopyFiles : public IQuickCopyFiles {
public:
    // Every file of the pattern's folder, in path order (the tests keep to "*.zqc").
    std::vector<std::string> List(const std::string& pattern) override {
        patterns.push_back(pattern);
        const std::string folder = pattern.substr(0, pattern.find_last_of('\\') + 1);
        std::vector<std::string> names;
        for (const auto& file : files)
            if (file.first.compare(0, folder.size(), folder) == 0)
                names.push_back(file.first.substr(folder.size()));
        return names;
    }
    long Read(const std::string& path, uint8_t* buffer, size_t size, bool exclusive) override {
        lastExclusive = exclusive;
        const auto it = files.find(path);
        if (it == files.end() || locked.count(path))
            return -1;
        const size_t n = std::min(size, it->second.size());
        if (n)
            std::memcpy(buffer, it->second.data(), n);
        return static_cast<long>(n);
    }
    bool Delete(const std::string& path) override {
        return !undeletable.count(path) && files.erase(path) != 0;
    }

    std::map<std::string, std::vector<uint8_t>> files;
    std::set<std::string> locked, undeletable;
    std::vector<std::string> patterns;
    bool lastExclusive = false;
};

class CFakeQuickCopyChooser : public IQuickCopyChooser {
public:
    bool Choose(const QuickCopyCandidates& candidates, QuickCopyChoice& choice) override {
        shown.push_back(candidates.size());
        return answer && answer(candidates, choice);
    }
    std::vector<size_t> shown; // the number of candidates, each time the dialog was shown
    std::function<bool(const QuickCopyCandidates&, QuickCopyChoice&)> answer;
};
