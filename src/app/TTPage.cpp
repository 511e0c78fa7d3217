#include "app/TTPage.h"

#include "app/StringIds.h"
#include "controls/ToolTip.h"
#include "toolkit/ResourceModule.h"

CTTPage::CTTPage(const PageContext& context, int templateId, int titleStringId,
                 int subtitleStringId)
    : CPropertyPage(templateId, LoadResourceString(IDS_SHEET_CAPTION),
                    LoadResourceString(titleStringId), LoadResourceString(subtitleStringId)),
      m_context(context), m_toolTipsEnabled(context.settings.ShowToolTips != 0) {}

CTTPage::~CTTPage() = default;

BOOL CTTPage::OnInitDialog() {
    if (m_toolTipsEnabled) {
        m_toolTip = std::make_unique<CToolTip>();
        if (!m_toolTip->Create(m_hWnd))
            m_toolTip.reset();
    }
    return CPropertyPage::OnInitDialog();
}

bool CTTPage::OnSetActive() {
    PostButtons();
    return true;
}

void CTTPage::AddTip(int controlId, int stringId) {
    if (m_toolTip)
        m_toolTip->AddTool(Item(controlId), LoadResourceString(stringId));
}
