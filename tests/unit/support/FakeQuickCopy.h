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
    // Files listed in path order; the pattern's folder and ".zqc" ending must match.
    std::vector<std::string> List(const std::string& pattern) override {
        patterns.push_back(pattern);
        const std::string folder = pattern.substr(0, pattern.find_last_of('\\') + 1);
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files) {
            const std::string name = path.substr(folder.size());
            if (path.compare(0, folder.size(), folder) == 0 &&
                name.find('\\') == std::string::npos && name.size() > 4 &&
                name.compare(name.size() - 4, 4, ".zqc") == 0)
                names.push_back(name);
        }
        return names;
    }
    long Read(const std::string& path, uint8_t* buffer, size_t size, bool exclusive) override {
        reads.push_back(path);
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
        if (undeletable.count(path))
            return false;
        return files.erase(path) != 0;
    }

    std::map<std::string, std::vector<uint8_t>> files;
    std::set<std::string> locked, undeletable;
    std::vector<std::string> patterns, reads;
    bool lastExclusive = false;
};

class CFakeQuickCopyChooser : public IQuickCopyChooser {
public:
    bool Choose(const QuickCopyCandidates& candidates, QuickCopyChoice& choice) override {
        shown.emplace_back();
        for (const auto& entry : candidates)
            shown.back().push_back(entry.first);
        return answer && answer(candidates, choice);
    }
    // Paths of the candidates of each time the dialog was shown.
    std::vector<std::vector<std::string>> shown;
    std::function<bool(const QuickCopyCandidates&, QuickCopyChoice&)> answer;
};
