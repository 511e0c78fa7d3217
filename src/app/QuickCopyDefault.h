#pragma once
// At the end of the analysis: whether a Quick Copy file exists for the disc, so the copy
// method page knows from the start whether to offer it.
#include "app/QuickCopy.h"
#include "source/AnalysisSeams.h"

#include <functional>
#include <string>

class CQuickCopyDefault : public IQuickCopyDefault {
public:
    // `folder` gives the Quick Copy folder when the search runs: the global settings are
    // loaded after the analysis is wired up.
    CQuickCopyDefault(IQuickCopyFiles& files, std::function<std::string()> folder)
        : m_files(files), m_folder(std::move(folder)) {}
    void Prepare(CBuildJob& job) override;

private:
    IQuickCopyFiles& m_files;
    std::function<std::string()> m_folder;
};
