#pragma once
// The build job as the writer program finds it in the store, and its text report.
#include "common/EnvLibrary.h"
#include "common/RegistryStore.h"

#include <string>
#include <vector>

struct JobValue {
    std::string name;
    std::string shown; // the text, or the bytes of a binary value in hex
};

class CJobReader {
public:
    CJobReader(const CEnvLibrary& env, const CRegistryStore& registry)
        : m_env(env), m_registry(registry) {}

    // The wizard writes ZLXBuildDataReady = "1" last, after every other value.
    bool IsReady() const;
    // Every job value present, in the order the wizard writes them.
    std::vector<JobValue> Read() const;
    // The editor's hand-over of a compilation: ZLXBuildEditor, ZlxBuildEditorNoT and, per
    // source disc up to the first without a drive, CDE<i>_Drive, _ID, _TOC (binary),
    // _TrackOrder and its non-empty _TrackName<k>.
    std::vector<JobValue> ReadEditorHandover() const;

private:
    bool ReadText(const char* name, std::vector<JobValue>& values, bool keepEmpty = true) const;
    bool ReadBinary(const char* name, std::vector<JobValue>& values) const;

    const CEnvLibrary& m_env;
    const CRegistryStore& m_registry;
};

// One "name=value" line per value, each ending "\r\n". Line breaks inside a text are shown
// as \r and \n so every value stays on its line; backslashes stay as they are so that
// paths read naturally.
std::string FormatJobReport(const std::vector<JobValue>& values);
