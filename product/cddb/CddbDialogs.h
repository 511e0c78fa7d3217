#pragma once
// The library's dialogs: disc information (view, edit, submit), the database browser, the
// options and the about box. While one is open the library counts as locked.
#include "cddb/CddbService.h"
#include "cddb/WinCddbSystem.h"

#include <windows.h>

#include <string>

enum class DiscInfoMode { View = 1, Edit = 2, Submit = 3 };

// Edit and Submit: OK makes the dialog's texts current when they differ from the current
// disc's; the result then has kDiscInfoChanged set. Submit also writes the entry.
constexpr int kDiscInfoChanged = 0x100 | 0x400;
int ShowDiscInfo(HWND owner, CCddbService& service, DiscInfoMode mode);
void ShowBrowser(HWND owner, CCddbService& service);
void ShowOptions(HWND owner, CWinCddbSystem& system);
void ShowAbout(HWND owner, CCddbService& service);

// Nonzero while one of the dialogs or message boxes is open.
int OpenDialogCount();
void ShowMessage(HWND owner, const std::string& text, UINT icon);
// The caption of the library's message boxes.
constexpr const char* kCddbCaption = "Disc Information";
