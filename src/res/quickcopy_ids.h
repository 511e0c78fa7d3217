/* Ids of the Quick Copy file selection dialog, its controls and icon. */
#ifndef ZL_RES_QUICKCOPY_IDS_H
#define ZL_RES_QUICKCOPY_IDS_H

#include "controls_ids.h" /* IDC_DIALOG_HEADER */

#define IDD_ZQC_SELECTION 163
#define IDI_ZQC_FILE 276
#define IDC_ZQC_LIST 1080
#define IDC_ZQC_DELETE 1081

#endif
