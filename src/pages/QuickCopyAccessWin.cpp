#include "app/QuickCopyWin.h"
#include "pages/DlgZQCSelection.h"
#include "pages/QuickCopyAccess.h"

namespace {
// The job's operations over the Quick Copy folder on disk, with the selection dialog over
// the active window (the wizard).
class CWinQuickCopyAccess : public IQuickCopyAccess {
public:
    explicit CWinQuickCopyAccess(const PageContext& context)
        : m_chooser(context.Messages(), m_files),
          m_access({m_files, m_chooser, context.settings.ZQCPath}) {}
    void Find(CBuildJob& job, int mode) override { m_access.Find(job, mode); }
    void Load(CBuildJob& job) override { m_access.Load(job); }

private:
    CWinQuickCopyFiles m_files;
    CWinQuickCopyChooser m_chooser;
    CJobQuickCopy m_access;
};
} // namespace

std::unique_ptr<IQuickCopyAccess> CreateQuickCopyAccess(const PageContext& context) {
    return std::make_unique<CWinQuickCopyAccess>(context);
}
