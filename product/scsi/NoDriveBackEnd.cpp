#include "scsi/NoDriveBackEnd.h"

// No drive ever filled a multisession record, so there is nothing to take apart.
int CNoDriveBackEnd::GetSessionsDetails(const MULTISESSION_INFO* /*info*/,
                                        SESSIONS_DETAILS* /*details*/) {
    return 0;
}
