#pragma once
// Drop-down list of the audio track titles, each with the track icon, for picking the
// track to record. Entry k is the k-th audio track of the disc; data tracks have none.
#include "source/DriveTypes.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class CTitleCombo {
public:
    CTitleCombo() = default;
    ~CTitleCombo();
    CTitleCombo(const CTitleCombo&) = delete;
    CTitleCombo& operator=(const CTitleCombo&) = delete;

    // Binds the extended combo box (a dialog item) and fills it.
    void Attach(HWND comboEx, const _CDROM_TOC& toc, const std::vector<std::string>& titles);
    // Appends one entry per audio track; the image list is made on the first call.
    void Fill(const _CDROM_TOC& toc, const std::vector<std::string>& titles);
    HWND Handle() const { return m_combo; }

private:
    HWND m_combo = nullptr;
    HIMAGELIST m_images = nullptr;
};
