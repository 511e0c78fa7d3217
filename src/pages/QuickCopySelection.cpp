#include "pages/QuickCopySelection.h"

#include <algorithm>
#include <cctype>

namespace {
// The list view orders its rows without regard to case.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}
} // namespace

CQuickCopySelection::CQuickCopySelection(const QuickCopyCandidates& candidates) {
    for (const auto& [path, record] : candidates)
        m_rows.push_back({path, MakeQuickCopyDisplayName(record, path)});
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) {
        return LessIgnoringCase(a.displayName, b.displayName);
    });
}

bool CQuickCopySelection::Delete(int row, IQuickCopyFiles& files) const {
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size())
        return false;
    return files.Delete(m_rows[static_cast<size_t>(row)].path);
}

int CQuickCopySelection::Accept(int row, QuickCopyChoice& choice) const {
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size())
        return kNoQuickCopySelected;
    const Row& chosen = m_rows[static_cast<size_t>(row)];
    choice = {chosen.path, chosen.displayName};
    return 0;
}
