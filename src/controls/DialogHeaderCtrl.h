#pragma once
// The band across the top of the small dialogs: an icon, a bold title and a subtitle
// that wraps over as many lines as the band holds, ending with "..." when it does not fit.
// Bind it to the template's static (control 1105) with SubclassDlgItem, then set the texts.
#include "controls/ControlWindow.h"
#include "controls/Paragraph.h"
#include "toolkit/Gdi.h"

#include <string>
#include <vector>

class CDialogHeaderCtrl : public CPaintedControl {
public:
    CDialogHeaderCtrl();
    ~CDialogHeaderCtrl() override;

    // Binds the header to the dialog's control 1105 with string-table texts and an icon.
    bool Bind(HWND dialog, int titleStringId, int subtitleStringId, int iconId);
    void SetTitle(const std::string& text);
    void SetSubtitle(const std::string& text);
    // An icon resource from the resource module; 0 removes the icon.
    void SetIcon(int resourceId);

    const std::string& Title() const { return m_title; }
    const std::string& Subtitle() const { return m_subtitle; }
    bool HasIcon() const { return m_icon != nullptr; }
    // The subtitle as it is drawn at the current size (client coordinates).
    std::vector<WrittenText> SubtitleLines() const;

protected:
    void Paint(HDC dc) override;

private:
    // Places the paragraph in the client area, below the title.
    void PlaceSubtitle(const RECT& client) const;

    Font m_titleFont;
    Font m_subtitleFont;
    std::string m_title;
    std::string m_subtitle;
    int m_iconArea = 50;
    int m_topMargin = 5;
    mutable CParagraph m_paragraph;
    HICON m_icon = nullptr;
};
