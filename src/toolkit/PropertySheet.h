#pragma once
// A wizard-97 property sheet, modal or modeless, whose pages can be appended and removed
// while it runs. Registered messages reach OnSheetMessage through a subclass.
#include "toolkit/PropertyPage.h"

#include <vector>

class CPropertySheet {
public:
    CPropertySheet() = default;
    virtual ~CPropertySheet();
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    void SetCaption(const std::string& caption) { m_caption = caption; }
    // The wizard-97 header bitmap, from the program's own module.
    void SetHeaderBitmap(int bitmapId) { m_headerBitmap = bitmapId; }

    // Appends the page (false when it cannot be created).
    bool AppendPage(CPropertyPage* page);
    // Takes the page out of the sheet; the caller destroys the object.
    void RemovePage(CPropertyPage* page);
    const std::vector<CPropertyPage*>& Pages() const { return m_pages; }

    // Modal: positive after Finish, 0 after Cancel, -1 when the sheet could not be created.
    INT_PTR DoModal(HWND parent, int startPage);
    // Modeless (tests and hosts with their own message loop).
    HWND CreateModeless(HWND parent, int startPage);
    HWND Handle() const { return m_hWnd; }
    CPropertyPage* ActivePage() const;

protected:
    virtual void OnInitialized() {}
    // Messages of the sheet window before the common controls see them; set handled.
    virtual LRESULT OnSheetMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

private:
    INT_PTR Run(HWND parent, int startPage, bool modeless);
    static int CALLBACK Callback(HWND window, UINT message, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::string m_caption;
    int m_headerBitmap = 0;
    HBITMAP m_header = nullptr;
    std::vector<CPropertyPage*> m_pages;
    HWND m_hWnd = nullptr;
    WNDPROC m_baseProc = nullptr;
};
