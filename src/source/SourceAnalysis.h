#pragma once
// Analysis of the disc in the source drive: what the job needs to know about it.
#include "app/AppServices.h"
#include "settings/ZlxBuildSettings.h"

class CSourceAnalysis : public ISourceAnalysis {
public:
    explicit CSourceAnalysis(IDriveLibrary& drives) : m_drives(drives) {}
    bool Analyse(CBuildJob& job, const CZlxBuildSettings& settings, char letter,
                 uint16_t cdTypeCode) override;

private:
    IDriveLibrary& m_drives;
};
