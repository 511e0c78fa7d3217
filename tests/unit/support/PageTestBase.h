#pragma once
// What every page's rules are tested with: an installed product's settings records, a job,
// the sheet's page slots (their operations logged) and the page context over all of them.
#include "app/PageContext.h"
#include "support/FakeServices.h"

#include <string>
#include <vector>

// Installs the product before anything loads its settings.
struct InstalledServices : FakeServices {
    InstalledServices() { InstallProduct(); }
};

struct PageTestBase : InstalledServices {
    CZlxSettings settings{store, registry, folders};
    CZlxBuildSettings buildSettings{store, registry};
    CBuildJob job{store, registry};
    // "+3" appended, "-7" removed, in order.
    struct LoggedSlots : ISlotPages {
        std::vector<std::string> log;
        bool CreateAndAppend(int slot) override {
            log.push_back("+" + std::to_string(slot));
            return true;
        }
        void RemoveAndDestroy(int slot) override { log.push_back("-" + std::to_string(slot)); }
    } slotPages;
    CPageSlots slots{slotPages};
    int writerStarts = 0;

    // The context of a page created now; `with` replaces the services (for scripted ones).
    PageContext Context(bool editorWizard = false, AppServices* with = nullptr) {
        return PageContext{job,           settings,
                           buildSettings, with ? *with : services,
                           slots,         [this] { ++writerStarts; },
                           editorWizard,  false};
    }
};
