#pragma once
// Tells running programs that a disc arrived in or left a drive, the way Windows does:
// WM_DEVICECHANGE with DBT_DEVICEARRIVAL or DBT_DEVICEREMOVECOMPLETE and a volume record
// naming the drive, flagged as a media change.
class CMediaAnnouncer {
public:
    // False when the broadcast could not be sent.
    static bool Announce(char letter, bool arrived);
};
