/* Ids of the track title editor, its controls and the audio track icon. */
#ifndef ZL_RES_EDIT_TITLE_IDS_H
#define ZL_RES_EDIT_TITLE_IDS_H

#include "controls_ids.h" /* IDC_DIALOG_HEADER */

#define IDD_EDIT_TRACK_TITLE 165
/* Also the image of every entry of the audio track title lists. */
#define IDI_AUDIO_TRACK 275
#define IDC_EDIT_TITLE_NUMBER 1042
#define IDC_EDIT_TITLE_TEXT 1043

#endif
