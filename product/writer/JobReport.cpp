#include "writer/JobReport.h"

#include "app/JobValueNames.h"
#include "settings/StoreJournal.h"

#include <cstring>

namespace {
bool IsBinaryValue(const char* name) {
    for (const char* binary : kJobBinaryValues)
        if (strcmp(binary, name) == 0)
            return true;
    return false;
}

bool IsTrackNamePattern(const char* name) {
    size_t prefix = strlen(kTrackNamePrefix);
    return strncmp(name, kTrackNamePrefix, prefix) == 0 && strcmp(name + prefix, "*") == 0;
}
} // namespace

bool CJobReader::IsReady() const {
    std::string ready;
    return m_env.ReadText("ZLXBuildDataReady", ready, 2) && ready == "1";
}

bool CJobReader::ReadText(const char* name, std::vector<JobValue>& values, bool keepEmpty) const {
    std::string text;
    if (!m_env.ReadText(name, text) || (text.empty() && !keepEmpty))
        return false;
    values.push_back({name, text});
    return true;
}

// The store library's ReadBinary tells neither whether a value exists nor its size, so
// both come from the registry key behind it; the bytes themselves still come through the
// library, as for every other reader of the store.
bool CJobReader::ReadBinary(const char* name, std::vector<JobValue>& values) const {
    std::string stored;
    if (!m_registry.ReadBinary(name, stored))
        return false;
    std::string bytes(stored.size(), '\0');
    if (!bytes.empty())
        m_env.ReadBinary(name, &bytes[0], static_cast<int>(bytes.size()));
    values.push_back({name, HexBytes(bytes.data(), bytes.size())});
    return true;
}

std::vector<JobValue> CJobReader::Read() const {
    std::vector<JobValue> values;
    for (const char* name : kJobValueNames) {
        if (IsTrackNamePattern(name)) {
            for (int track = 1; track <= kMaxTracks; ++track)
                ReadText((kTrackNamePrefix + std::to_string(track)).c_str(), values);
        } else if (IsBinaryValue(name)) {
            ReadBinary(name, values);
        } else {
            ReadText(name, values);
        }
    }
    return values;
}

std::vector<JobValue> CJobReader::ReadEditorHandover() const {
    std::vector<JobValue> values;
    ReadText("ZLXBuildEditor", values, false);
    ReadText("ZlxBuildEditorNoT", values, false);
    // Cancelling the editor's wizard empties the values rather than removing them, so an
    // empty drive ends the list just as a missing one does.
    for (int disc = 1; disc <= kMaxTracks; ++disc) {
        const std::string prefix = "CDE" + std::to_string(disc) + "_";
        if (!ReadText((prefix + "Drive").c_str(), values, false))
            break;
        ReadText((prefix + "ID").c_str(), values, false);
        ReadBinary((prefix + "TOC").c_str(), values);
        ReadText((prefix + "TrackOrder").c_str(), values, false);
        for (int track = 1; track <= kMaxTracks; ++track)
            ReadText((prefix + "TrackName" + std::to_string(track)).c_str(), values, false);
    }
    return values;
}

std::string FormatJobReport(const std::vector<JobValue>& values) {
    std::string report;
    for (const JobValue& v : values) {
        report += v.name + "=";
        for (char c : v.shown) {
            if (c == '\r')
                report += "\\r";
            else if (c == '\n')
                report += "\\n";
            else
                report += c;
        }
        report += "\r\n";
    }
    return report;
}
