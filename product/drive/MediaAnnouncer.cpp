#include "drive/MediaAnnouncer.h"

#include <windows.h>

#include <dbt.h>

bool CMediaAnnouncer::Announce(char letter, bool arrived) {
    if (letter < 'A' || letter > 'Z')
        return false;
    DEV_BROADCAST_VOLUME volume = {};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - 'A');
    volume.dbcv_flags = DBTF_MEDIA;
    // Sent, not posted: the record is a pointer, which only a sent message carries into
    // another process. BSF_QUERY makes the broadcast wait for each window in turn (with a
    // time-out, and past hung ones), as the system's own notices do.
    DWORD recipients = BSM_APPLICATIONS;
    const long sent = BroadcastSystemMessageA(
        BSF_QUERY | BSF_FORCEIFHUNG | BSF_IGNORECURRENTTASK, &recipients, WM_DEVICECHANGE,
        arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&volume));
    return sent > 0;
}
