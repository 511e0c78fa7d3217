#include "source/ReadSpeedProbe.h"

namespace {
constexpr int kCapabilitiesTimeout = 15;
// Drives report their maximum a little above or below what they run at; the search
// starts two factors below it and gives up four factors above.
constexpr int kSearchBelow = 2;
constexpr int kSearchAbove = 4;
constexpr int kSlowestListedSpeed = 2;
} // namespace

uint32_t SpeedListSlot(const CBuildJob& job, int index) {
    return index >= 0 && index < kSpeedSlots ? job.SpeedTable[index] : 0;
}

bool CReadSpeedProbe::ReadCapabilities(char letter, _MODE_CAPABILITIES_PAGE2& page) {
    page = _MODE_CAPABILITIES_PAGE2{};
    return m_drives.GetCapabilities(letter, &page, kCapabilitiesTimeout) != 0;
}

bool CReadSpeedProbe::RequestAndMeasure(char letter, int factor, int& current) {
    _MODE_CAPABILITIES_PAGE2 page;
    if (!m_drives.SetReadSpeed(letter, static_cast<uint8_t>(factor)) ||
        !ReadCapabilities(letter, page))
        return false;
    current = SpeedKBs(page, kCurrentReadSpeedOffset) / kKBsPerSpeedFactor;
    return true;
}

// The first factor from two below the reported maximum that the drive confirms it runs at.
bool CReadSpeedProbe::FindRunningFactor(char letter, int reported, int& factor) {
    const int limit = reported + kSearchAbove;
    for (factor = reported - kSearchBelow;;) {
        int current = 0;
        if (!RequestAndMeasure(letter, factor, current))
            return false;
        if (current == factor)
            return true;
        if (++factor == limit)
            return false;
    }
}

void CReadSpeedProbe::ProbeMaximum(CBuildJob& job, bool easyCopyMode) {
    const char letter = job.SourceDrive;
    _MODE_CAPABILITIES_PAGE2 page;
    if (!ReadCapabilities(letter, page))
        return;
    const int reported = SpeedKBs(page, kMaxReadSpeedOffset) / kKBsPerSpeedFactor;
    // A drive that reports no maximum keeps the speed the job already has.
    if (reported > 0) {
        int factor = 0;
        if (!FindRunningFactor(letter, reported, factor)) {
            m_drives.SetReadSpeed(letter, kSpeedUnlimited);
            job.MaxReadSpeed = 0;
            return;
        }
        job.MaxReadSpeed = factor + 1;
    }
    if (easyCopyMode)
        job.SelReadSpeed = job.MaxReadSpeed - 1;
}

void CReadSpeedProbe::BuildSpeedList(CBuildJob& job) {
    const char letter = job.SourceDrive;
    for (uint32_t& slot : job.SpeedTable)
        slot = 0;
    int next = 0;
    for (int speed = job.MaxReadSpeed; speed >= kSlowestListedSpeed && next < kSpeedSlots;
         --speed) {
        int current = 0;
        if (RequestAndMeasure(letter, speed, current) && current == speed - 1)
            job.SpeedTable[next++] = static_cast<uint32_t>(current);
    }
    m_drives.SetReadSpeed(letter, kSpeedUnlimited);
}
