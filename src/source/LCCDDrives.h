#pragma once
// The source drive list (report view): every CD/DVD drive with its disc's name, size and
// kind; the selection survives refreshes by row text or preselected drive.
#include "source/DriveList.h"
#include "toolkit/ImageList.h"
#include "toolkit/ReportList.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

class CLCCDDrives {
public:
    explicit CLCCDDrives(CDriveListModel& model) : m_model(model) {}
    CLCCDDrives(const CLCCDDrives&) = delete;
    CLCCDDrives& operator=(const CLCCDDrives&) = delete;

    void Attach(HWND list) { m_view.Attach(list); }
    HWND Handle() const { return m_view.Handle(); }
    // The drive icons; the list view only borrows them.
    const COwnedImageList& Images() const { return m_images; }
    void Initialise(bool showEmpty, bool largeIcons, bool discInformation,
                    const std::string& preselection);
    void SetIncludeVirtual(bool include) { m_options.includeVirtual = include; }
    void SetErrorCorrectedToc(bool on) { m_options.errorCorrectedToc = on; }
    void Fill();
    void Refresh();

    // The row that is selected and focused.
    int SelectedRow() const;
    std::string RowText(int row) const;
    uint16_t RowCdType(int row) const;
    const std::vector<DriveRow>& Rows() const { return m_rows; }

private:
    void CreateImageList();
    int AddDriveIcon(char letter);
    void Select(int row);

    CDriveListModel& m_model;
    // Declared before the view: the view lets go of the images before they are destroyed.
    COwnedImageList m_images;
    CReportList m_view;
    bool m_largeIcons = false;
    DriveListOptions m_options;
    std::string m_preselection;
    std::vector<DriveRow> m_rows;
};
