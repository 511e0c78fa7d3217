#pragma once
// The copy method page's Quick Copy side: the job's search and load operations with the
// files and the selection dialog they work with.
#include "app/QuickCopy.h"
#include "pages/ToDoPageLogic.h"

#include <memory>

class CJobQuickCopy : public IQuickCopyAccess {
public:
    explicit CJobQuickCopy(const QuickCopyServices& services) : m_services(services) {}
    void Find(CBuildJob& job, int mode) override { job.FindQuickCopyFiles(mode, m_services); }
    void Load(CBuildJob& job) override { job.LoadQuickCopySettings(m_services.files); }

private:
    QuickCopyServices m_services;
};

// The system's files and the selection dialog, for the running wizard.
std::unique_ptr<IQuickCopyAccess> CreateQuickCopyAccess(const PageContext& context);
