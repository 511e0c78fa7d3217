#pragma once
// The Quick Copy file a job asks for (ZlxBuildWriteZQCFile "1"): the job's read options,
// label, table of contents and description for this disc, written into the Quick Copy
// folder under a name made from the label that no existing file has.
#include "common/EnvLibrary.h"
#include "common/RegistryStore.h"

#include <string>

struct QuickCopyWriteResult {
    bool requested = false;
    bool written = false;
    std::string path;    // the file written
    std::string problem; // why nothing was written
};

QuickCopyWriteResult WriteQuickCopyFile(const CEnvLibrary& env, const CRegistryStore& registry);

// The report's line for the result ("" when the job asked for no file).
std::string QuickCopyReportLine(const QuickCopyWriteResult& result);
