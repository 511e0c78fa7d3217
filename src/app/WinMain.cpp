// zl5build.exe: wires the Win32 services to the application and runs its start-up.
#include "app/QuickCopyDefault.h"
#include "app/QuickCopyWin.h"
#include "app/WinServices.h"
#include "app/ZlxbuildApp.h"
#include "app/ZlxbuildDlg.h"
#include "discinfo/TitleLookup.h"
#include "settings/RegistryWin.h"
#include "settings/UserFoldersWin.h"
#include "settings/ZL5EnvStore.h"
#include "source/DlgWorkInfo.h"
#include "source/FileSearchWin.h"
#include "source/SourceAnalysis.h"
#include "source/ZL5ScsiLibrary.h"
#include "toolkit/ResourceModule.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);

    CZL5EnvStore store;
    if (!store.Loaded()) {
        MessageBoxA(nullptr,
                    "The settings library ZL5Env.dll cannot be loaded.\nPlease reinstall Zelvane.",
                    "Zelvane - Image Writer", MB_ICONSTOP | MB_OK);
        return 1;
    }
    CWinRegistry registry;
    CWinUserFolders folders;
    CWinMessages messages;
    CWinSystem system;
    CWinCommonLibrary common;
    CWinLanguageModules languages;
    CZL5ScsiLibrary drives;
    CWinShellDrives shellDrives;
    CWinDiscInfoLibrary discInfo;
    CWizardSheetFactory sheets;
    CDlgWorkInfo workInfo;

    CWinFileSearch files;
    // The service's dialogs belong to the work dialog, which the analysis shows meanwhile.
    CAlbumLookup albumLookup([&workInfo] { return workInfo.Window(); });
    CWinQuickCopyFiles quickCopyFiles;
    // The application, and with it the Quick Copy folder, comes after the analysis.
    CQuickCopyDefault quickCopy(quickCopyFiles, [] {
        const CZlxbuildApp* app = CZlxbuildApp::Current();
        return app ? app->Settings.ZQCPath : std::string();
    });
    CSourceAnalysis analysis(drives, store, registry, workInfo, files, albumLookup, quickCopy);

    AppServices services{store,  registry,    folders,  messages, system, common,  languages,
                         drives, shellDrives, discInfo, analysis, sheets, workInfo};
    CServiceAlbumTitles albumTitles(discInfo);
    services.albumTitles = &albumTitles;
    CZlxbuildApp app(services);
    albumLookup.Bind({discInfo, store, app.Settings, app.BuildSettings, LoadResourceString});

    while (*commandLine == ' ')
        ++commandLine;
    app.InitInstance(commandLine);
    const int exitCode = app.ExitInstance();
    CoUninitialize();
    return exitCode;
}
