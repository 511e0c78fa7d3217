#include "pages/TitleCombo.h"

#include "discinfo/TrackTitleList.h"
#include "res/edit_title_ids.h"
#include "toolkit/ResourceModule.h"

CTitleCombo::~CTitleCombo() {
    if (m_images) {
        ImageList_RemoveAll(m_images);
        ImageList_Destroy(m_images);
    }
}

void CTitleCombo::Attach(HWND comboEx, const _CDROM_TOC& toc,
                         const std::vector<std::string>& titles) {
    m_combo = comboEx;
    Fill(toc, titles);
}

void CTitleCombo::Fill(const _CDROM_TOC& toc, const std::vector<std::string>& titles) {
    if (!m_images) {
        m_images = ImageList_Create(16, 16, ILC_COLORDDB | ILC_MASK, 1, 1);
        ImageList_SetBkColor(m_images, GetSysColor(COLOR_WINDOW));
        SendMessageA(m_combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    }
    HICON icon = static_cast<HICON>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(IDI_AUDIO_TRACK), IMAGE_ICON, 16, 16, 0));
    if (icon) {
        ImageList_AddIcon(m_images, icon);
        DestroyIcon(icon);
    }
    for (const TrackTitleEntry& entry : AudioTrackTitles(toc, titles)) {
        COMBOBOXEXITEMA item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = -1;
        item.pszText = const_cast<char*>(entry.title.c_str());
        SendMessageA(m_combo, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}
