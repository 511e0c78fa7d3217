#include "controls/ImageButton.h"

#include "toolkit/ResourceModule.h"

bool CImageButton::SetBitmap(int resourceId, COLORREF transparent) {
    m_bitmap.Reset(static_cast<HBITMAP>(LoadImageA(ResourceModule(), MAKEINTRESOURCEA(resourceId),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    m_transparent = transparent;
    m_size = {};
    BITMAP info = {};
    if (m_bitmap && GetObjectA(m_bitmap, sizeof info, &info))
        m_size = {info.bmWidth, info.bmHeight};
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
    return m_bitmap;
}

void CImageButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT content = DrawFace(item);
    if (!m_bitmap)
        return;
    const int x = (content.left + content.right - m_size.cx) / 2;
    const int y = (content.top + content.bottom - m_size.cy) / 2;
    MemoryDc source(item.hDC);
    SelectScope bitmap(source, m_bitmap);
    TransparentBlt(item.hDC, x, y, m_size.cx, m_size.cy, source, 0, 0, m_size.cx, m_size.cy,
                   m_transparent);
}
