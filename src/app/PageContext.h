#pragma once
// What a wizard page works with, handed to it when it is created: the job, the settings
// records, the outside services, the sheet's page slots and the hand-off to the writer.
// Pages reach nothing else, so each page's rules can run in a test without a program.
#include "app/AppServices.h"
#include "app/BuildJob.h"
#include "app/PageSlots.h"
#include "settings/ZlxBuildSettings.h"
#include "settings/ZlxSettings.h"

#include <functional>

struct PageContext {
    CBuildJob& job;
    CZlxSettings& settings;
    CZlxBuildSettings& buildSettings;
    AppServices& services;
    CPageSlots& slots;
    // Writes the job and starts the writer program.
    std::function<void()> startWriter;
    bool editorWizard = false; // run mode 2
    bool editorBuild = false;  // run mode 3

    IMessages& Messages() const { return services.messages; }
    // Either of the editor's run modes.
    bool EditorMode() const { return editorWizard || editorBuild; }
};
