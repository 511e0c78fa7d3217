#include "pages/PropertiesPageLogic.h"

#include "pages/ToDoPageLogic.h"

namespace {
constexpr uint16_t kModifierBits = kHotkeyShift | kHotkeyControl | kHotkeyAlt | kHotkeyExtended;

std::string Clamp(std::string text, int maxLength) {
    if (text.size() > static_cast<size_t>(maxLength))
        text.resize(static_cast<size_t>(maxLength));
    return text;
}
} // namespace

std::string FolderOfPath(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

CPropertiesPageModel::CPropertiesPageModel(const PageContext& context, IPropertiesDialogs& dialogs)
    : m_context(context), m_dialogs(dialogs) {}

int CPropertiesPageModel::Buttons() const {
    return kWizBack | kWizFinish;
}

void CPropertiesPageModel::BrowseProgram() {
    std::string chosen;
    if (!m_dialogs.ChooseProgram(m_view.startProgram, chosen))
        return;
    m_view.startProgram = Clamp(chosen, kMaxPath);
    // Most programs expect to start in their own folder; a folder the user typed wins.
    m_view.workingDirectory = TrimSpace(m_view.workingDirectory);
    if (m_view.workingDirectory.empty())
        m_view.workingDirectory = Clamp(FolderOfPath(chosen), kMaxPath);
}

void CPropertiesPageModel::BrowseDirectory() {
    std::string chosen;
    if (m_dialogs.ChooseFolder(chosen))
        m_view.workingDirectory = Clamp(chosen, kMaxPath);
}

void CPropertiesPageModel::EditComment() {
    std::string text = m_context.job.InfoText;
    if (m_dialogs.EditComment(text))
        m_context.job.InfoText = Clamp(text, kMaxComment);
}

bool CPropertiesPageModel::Finish() {
    // Compared as typed: a password that differs only in letter case is another password.
    if (m_view.password != m_view.verification) {
        m_context.Messages().Show(kPasswordMismatch, MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    StoreValues();
    m_context.startWriter();
    return true;
}

void CPropertiesPageModel::StoreValues() {
    CBuildJob& job = m_context.job;
    job.AutoInsertDrive = m_view.insertDrive ? std::string{m_view.insertDrive, ':'} : std::string();
    job.Password = Clamp(m_view.password, kMaxPassword);
    job.StartProgram = Clamp(m_view.startProgram, kMaxPath);
    job.StartPath = Clamp(m_view.workingDirectory, kMaxPath);
    // Modifiers alone insert nothing, so they are kept only with a key.
    job.HotkeyVirtualCode = m_view.hotkeyKey & 0xFF;
    job.HotkeyModifiers = job.HotkeyVirtualCode ? m_view.hotkeyModifiers & kModifierBits : 0;
}
