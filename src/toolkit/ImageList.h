#pragma once
// An image list that belongs to this object and is destroyed by it, never by a control:
// controls only borrow it (CReportList gives its list view LVS_SHAREIMAGELISTS for that).
// Keep it alive as long as a control shows it.
#include <windows.h>
#include <commctrl.h>

class COwnedImageList {
public:
    COwnedImageList() = default;
    ~COwnedImageList() { Destroy(); }
    COwnedImageList(const COwnedImageList&) = delete;
    COwnedImageList& operator=(const COwnedImageList&) = delete;

    // Square images of `size` pixels with masks, on the window background colour. False
    // when the list cannot be made; an existing list is kept as it is.
    bool Create(int size, int initialCount = 1, int grow = 1);
    void Destroy();

    // Adds a copy of the icon (the caller keeps its own); the new index, or -1.
    int AddIcon(HICON icon);
    // Adds an icon resource of `module` at the list's size; the new index, or -1.
    int AddIconResource(HINSTANCE module, int resourceId);
    void RemoveAll();
    int Count() const;
    int Size() const { return m_size; }
    HIMAGELIST Handle() const { return m_list; }

private:
    HIMAGELIST m_list = nullptr;
    int m_size = 0;
};
