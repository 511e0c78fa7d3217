#include "pages/WizardPages.h"

#include "app/PageSlots.h"
#include "pages/PageSource.h"

namespace {
// Pages whose controls are still to come: they carry their slot's template, header
// texts and buttons so the wizard's road and look are already those of the real one.
#define ZL_SIMPLE_PAGE(Name, templateId, title, subtitle, buttons)                                 \
    class Name : public CTTPage {                                                                  \
    public:                                                                                        \
        Name() : CTTPage(templateId, title, subtitle, buttons) {}                                  \
    };

ZL_SIMPLE_PAGE(CPageToDo, 137, 261, 262, PSWIZB_BACK | PSWIZB_NEXT)
ZL_SIMPLE_PAGE(CPageTracks, 136, 266, 267, PSWIZB_BACK | PSWIZB_NEXT)
ZL_SIMPLE_PAGE(CPageAudio, 134, 274, 275, PSWIZB_BACK | PSWIZB_NEXT)
ZL_SIMPLE_PAGE(CPageDataSettings, 133, 272, 273, PSWIZB_BACK | PSWIZB_NEXT)
ZL_SIMPLE_PAGE(CPageDestination, 132, 268, 269, PSWIZB_BACK | PSWIZB_NEXT)
ZL_SIMPLE_PAGE(CPageFinish, 131, 270, 271, PSWIZB_BACK | PSWIZB_FINISH)
#undef ZL_SIMPLE_PAGE
} // namespace

std::unique_ptr<CTTPage> CreateSlotPage(int slot) {
    switch (slot) {
    case kSlotSource:
        return std::make_unique<CPageSource>();
    case kSlotCopyMethod:
        return std::make_unique<CPageToDo>();
    case kSlotTracks:
        return std::make_unique<CPageTracks>();
    case kSlotAudio:
        return std::make_unique<CPageAudio>();
    case kSlotDataSettings:
        return std::make_unique<CPageDataSettings>();
    case kSlotDestination:
        return std::make_unique<CPageDestination>();
    case kSlotProperties:
        return std::make_unique<CPageFinish>();
    default:
        return nullptr;
    }
}
