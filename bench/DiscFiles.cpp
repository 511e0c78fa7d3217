#include "DiscFiles.h"

#include "disc/CueSheet.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {
std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
} // namespace

std::vector<DiscFile> FindDiscs(const fs::path& folder) {
    std::vector<fs::path> sheets, isos;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string ext = Lower(entry.path().extension().string());
        if (ext == ".cue")
            sheets.push_back(entry.path());
        else if (ext == ".iso")
            isos.push_back(entry.path());
    }
    std::set<std::string> inSheets;
    for (const fs::path& sheet : sheets) {
        std::string text, error;
        CueSheet cue;
        if (ReadTextFile(sheet.string(), text) && ParseCueSheet(text, cue, error))
            for (const std::string& name : cue.files)
                inSheets.insert(Lower(fs::path(name).filename().string()));
    }
    std::vector<DiscFile> discs;
    for (const fs::path& sheet : sheets)
        discs.push_back({sheet, MediaHint::Auto});
    for (const fs::path& iso : isos) {
        const std::string name = Lower(iso.filename().string());
        if (!inSheets.count(name))
            discs.push_back({iso, name.rfind("dvd", 0) == 0 ? MediaHint::Dvd : MediaHint::Auto});
    }
    std::sort(discs.begin(), discs.end(),
              [](const DiscFile& a, const DiscFile& b) { return a.path < b.path; });
    return discs;
}
