#pragma once
// The wizard's fourteen switches, one character each of "ZlxBuildSettings".
#include "settings/ZlxBaseSettings.h"

#include <string>

class CZlxBuildSettings : public CZlxBaseSettings {
public:
    CZlxBuildSettings(IEnvStore& store, IRegistry& registry);
    void Save() override;
    std::string Text() const;

    int BuildFlag1 = 0;
    int AllowLabelChange = 0;
    int BuildFlag3 = 1;
    int EasyCopyMode = 1;
    int BuildFlag5 = 1; // 0, 1 or 2
    int BuildFlag6 = 0;
    int AcceptVirtualDrives = 0;
    int EjectAfterBuild = 1;
    int AddTitlesToInfoText = 1;
    int BuildFlag10 = 0;
    int OmitCdExtraDataTrack = 0;
    int UseErrorCorrectedToc = 1;
    int BuildFlag13 = 0;
    int BuildFlag14 = 0;

private:
    int* Field(int position); // 1 to 14
};
