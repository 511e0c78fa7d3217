#pragma once
// The read speeds of the source drive, as speed factors (176 KB/s each): the highest one the
// drive really runs at and the list of speeds it confirms, for the writer's speed options.
#include "app/BuildJob.h"
#include "source/DriveLibrary.h"

constexpr int kSpeedSlots = 100;
constexpr uint8_t kSpeedUnlimited = 255; // lets the drive choose again

// The speed in slot `index` of the job's list, 0 outside it.
uint32_t SpeedListSlot(const CBuildJob& job, int index);

class CReadSpeedProbe {
public:
    explicit CReadSpeedProbe(IDriveLibrary& drives) : m_drives(drives) {}

    // Sets MaxReadSpeed (0 when the drive cannot be pinned down) and, in Easy Copy Mode,
    // SelReadSpeed one below it.
    void ProbeMaximum(CBuildJob& job, bool easyCopyMode);
    // Fills the speed list, largest first, with the speeds the drive confirms below the maximum.
    void BuildSpeedList(CBuildJob& job);

private:
    // The current read speed factor after asking for `factor`; false when either step fails.
    bool RequestAndMeasure(char letter, int factor, int& current);
    bool ReadCapabilities(char letter, _MODE_CAPABILITIES_PAGE2& page);
    bool FindRunningFactor(char letter, int reported, int& factor);

    IDriveLibrary& m_drives;
};
