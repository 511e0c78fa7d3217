#include "toolkit/ImageList.h"

bool COwnedImageList::Create(int size, int initialCount, int grow) {
    if (m_list)
        return true;
    m_list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, initialCount, grow);
    if (!m_list)
        return false;
    m_size = size;
    ImageList_SetBkColor(m_list, GetSysColor(COLOR_WINDOW));
    return true;
}

void COwnedImageList::Destroy() {
    if (m_list)
        ImageList_Destroy(m_list);
    m_list = nullptr;
    m_size = 0;
}

int COwnedImageList::AddIcon(HICON icon) {
    return m_list && icon ? ImageList_ReplaceIcon(m_list, -1, icon) : -1;
}

int COwnedImageList::AddIconResource(HINSTANCE module, int resourceId) {
    if (!m_list)
        return -1;
    HICON icon = static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, m_size, m_size, 0));
    const int index = AddIcon(icon);
    if (icon)
        DestroyIcon(icon);
    return index;
}

void COwnedImageList::RemoveAll() {
    if (m_list)
        ImageList_Remove(m_list, -1);
}

int COwnedImageList::Count() const {
    return m_list ? ImageList_GetImageCount(m_list) : 0;
}
