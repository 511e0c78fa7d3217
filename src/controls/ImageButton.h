#pragma once
// A push button showing a bitmap, centred, with one colour of the bitmap left transparent
// so the button face shows through.
#include "controls/OwnerDrawButton.h"
#include "toolkit/Gdi.h"

class CImageButton : public COwnerDrawButton {
public:
    // A bitmap resource of the resource module; false when it cannot be loaded.
    bool SetBitmap(int resourceId, COLORREF transparent);
    HBITMAP BitmapHandle() const { return m_bitmap; }

protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    Bitmap m_bitmap;
    SIZE m_size = {};
    COLORREF m_transparent = RGB(255, 255, 255);
};
