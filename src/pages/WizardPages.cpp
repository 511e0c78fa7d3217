#include "pages/WizardPages.h"

#include "app/PageSlots.h"
#include "pages/PageDataSettings.h"
#include "pages/PageDestination.h"
#include "pages/PageSource.h"
#include "pages/PageToDo.h"
#include "pages/PageTracks.h"
#include "pages/PageFinish.h"

namespace {
// Pages whose controls are still to come: they carry their slot's template, header
// texts and buttons so the wizard's road and look are already those of the real one.
class CPlainPage : public CTTPage {
public:
    CPlainPage(const PageContext& context, int templateId, int title, int subtitle, DWORD buttons)
        : CTTPage(context, templateId, title, subtitle), m_buttons(buttons) {}

protected:
    DWORD WizardButtons() const override { return m_buttons; }
    bool OnWizardFinish() override {
        m_context.startWriter();
        return true;
    }

private:
    DWORD m_buttons;
};
} // namespace

std::unique_ptr<CTTPage> CreateSlotPage(int slot, const PageContext& context) {
    constexpr DWORD kBackNext = PSWIZB_BACK | PSWIZB_NEXT;
    switch (slot) {
    case kSlotSource:
        return std::make_unique<CPageSource>(context);
    case kSlotCopyMethod:
        return std::make_unique<CPageToDo>(context);
    case kSlotTracks:
        return std::make_unique<CPageTracks>(context);
    case kSlotAudio:
        return std::make_unique<CPlainPage>(context, 134, 274, 275, kBackNext);
    case kSlotDataSettings:
        return std::make_unique<CPageDataSettings>(context);
    case kSlotDestination:
        return std::make_unique<CPageDestination>(context);
    case kSlotProperties:
        return std::make_unique<CPageFinish>(context);
    default:
        return nullptr;
    }
}
