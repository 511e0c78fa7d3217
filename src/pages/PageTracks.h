#pragma once
// The track list page: binds the list, its buttons and the disc information menu to
// CTracksPageModel, which holds every rule.
#include "app/TTPage.h"
#include "controls/ImageButton.h"
#include "controls/MenuButton.h"
#include "pages/TracksPageLogic.h"
#include "toolkit/ImageList.h"
#include "toolkit/ReportList.h"

#include <array>

// An image button whose image is drawn greyed while the button is disabled, so a move
// that cannot be made looks it.
class CTrackImageButton : public CImageButton {
protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};

class CPageTracks : public CTTPage {
public:
    explicit CPageTracks(const PageContext& context);

    CTracksPageModel& Model() { return m_model; }
    CReportList& List() { return m_list; }
    CMenuButton& DiscMenu() { return m_menuButton; }
    // The row image the activate/block button shows.
    int ToggleImage() const { return m_toggleImage; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;
    DWORD WizardButtons() const override { return PSWIZB_BACK | PSWIZB_NEXT; }
    int OnWizardNext() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void BuildDiscMenu();
    void ReadSelection();
    void EditTitle();
    void ShowView();
    void ShowRows();
    void ShowSelection();
    void ShowButtons();
    void ShowDiscMenu();

    CTracksPageModel m_model;
    COwnedImageList m_images; // outlives the list that shows it
    CReportList m_list;
    std::array<CTrackImageButton, 5> m_buttons; // to top, up, activate/block, down, to end
    CMenuButton m_menuButton;
    int m_toggleImage = -1;
    bool m_writing = false; // the page itself changes the list: no selection notices
};
