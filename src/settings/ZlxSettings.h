#pragma once
// Product-wide settings: folders, language and a few switches.
#include "settings/UserFolders.h"
#include "settings/ZlxBaseSettings.h"

#include <string>

class CZlxSettings : public CZlxBaseSettings {
public:
    CZlxSettings(IEnvStore& store, IRegistry& registry, IUserFolders& folders);
    void Save() override;

    int Flag1 = 1;
    int Flag2 = 1;
    int UseDiscInfoService = 0;
    int ShowToolTips = 1;
    int UseXPIcons = 0;
    int Flag4 = 0;
    int DPhysDrv = 0;
    int CheckBackgroundSecs = 5;
    std::string ImagePath;
    std::string HomePath; // ends with a backslash
    std::string Language;
    std::string CddbPath;
    std::string ZQCPath;
    std::string ScriptPath;

private:
    void Load();
    void CreateDefaultFolders();
    std::string SwitchText() const;
    IUserFolders& m_folders;
};
