/* Shared dialog geometry (dialog units), so every template lines up the same way. */
#ifndef ZL_RES_LAYOUT_H
#define ZL_RES_LAYOUT_H

/* Interior page of a wizard with header band. */
#define PAGE_W 317
#define PAGE_H 143
#define MARGIN 7
#define LINE_H 10
#define PAGE_STYLE DS_SETFONT | DS_CONTROL | WS_CHILD | WS_DISABLED | WS_CAPTION
#define PAGE_FONT 8, "MS Shell Dlg"

#endif
