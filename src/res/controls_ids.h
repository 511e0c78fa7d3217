/* Ids of the custom controls' dialogs, their controls and resources. */
#ifndef ZL_RES_CONTROLS_IDS_H
#define ZL_RES_CONTROLS_IDS_H

/* The header band of the small dialogs. */
#define IDC_DIALOG_HEADER 1105

/* Hard disk information. */
#define IDD_HARD_DISC_INFO 161
#define IDI_HARD_DISC_INFO 273
#define IDC_HD_DRIVES 1072
#define IDC_HD_REQUIRED 1076
#define IDC_HD_CHART 1090

#endif
