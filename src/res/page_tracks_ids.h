/* Track list page (template 136): controls, the disc information menu and the images. */
#ifndef ZL_RES_PAGE_TRACKS_IDS_H
#define ZL_RES_PAGE_TRACKS_IDS_H

#define IDD_PAGE_TRACKS 136
#define IDC_TRACKS_LIST 1300
#define IDC_TRACKS_TOP 1301
#define IDC_TRACKS_UP 1302
#define IDC_TRACKS_TOGGLE 1303
#define IDC_TRACKS_DOWN 1304
#define IDC_TRACKS_END 1305
#define IDC_TRACKS_DISC_MENU 1306
#define IDC_TRACKS_EDIT 1307

/* The disc information menu and its commands, in menu order. */
#define IDR_TRACKS_DISC_MENU 3600
#define IDM_TRACKS_ABOUT 3620
#define IDM_TRACKS_SHOW 3621
#define IDM_TRACKS_EDIT_INFO 3622
#define IDM_TRACKS_SUBMIT 3623
#define IDM_TRACKS_BROWSER 3624
#define IDM_TRACKS_OPTIONS 3625

/* Row icons and the activate/block button's images, in row image order: active audio,
   blocked audio, active data, blocked data. */
#define IDI_TRACK_AUDIO 3601
#define IDI_TRACK_AUDIO_OFF 3602
#define IDI_TRACK_DATA 3603
#define IDI_TRACK_DATA_OFF 3604
#define IDB_TRACK_AUDIO 3605
#define IDB_TRACK_AUDIO_OFF 3606
#define IDB_TRACK_DATA 3607
#define IDB_TRACK_DATA_OFF 3608
#define IDB_MOVE_TOP 3609
#define IDB_MOVE_UP 3610
#define IDB_MOVE_DOWN 3611
#define IDB_MOVE_END 3612
/* The disc information menu button's icon. */
#define IDI_TRACKS_DISC_INFO 3613

#endif
