#pragma once
// Lists every hard disk, removable and network drive with its total and free space and
// whether it can be written, under the space the image needs, so the user can pick a
// drive with room enough. The pie shows the selected drive. Modal; only OK closes it.
#include "controls/DialogHeaderCtrl.h"
#include "controls/HardDiscList.h"
#include "controls/Label.h"
#include "controls/PieChartCtrl.h"
#include "toolkit/Dialog.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class CDlgHardDiscInfo : public CDialog {
public:
    // Without a query the PC's own drives are listed.
    explicit CDlgHardDiscInfo(std::unique_ptr<IDriveQuery> drives = nullptr);
    ~CDlgHardDiscInfo() override;

    // The space the image needs, as shown ("1234 MB", or "?" when it is not known).
    void SetRequiredSpace(const std::string& text) { m_requiredText = text; }
    // The same in megabytes, for the selected drive's pie; 0 when not known.
    void SetRequiredMegabytes(uint64_t megabytes) { m_requiredMB = megabytes; }

    const std::vector<HardDiscRow>& Rows() const { return m_rows; }
    const CPieChartCtrl& Chart() const { return m_chart; }
    const CDialogHeaderCtrl& Header() const { return m_header; }

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void AddColumns(HWND list) const;
    void AddRow(HWND list, const HardDiscRow& row, int image) const;
    void ShowDriveInChart(int row);

    std::unique_ptr<IDriveQuery> m_drives;
    CDialogHeaderCtrl m_header;
    CLabel m_required;
    CPieChartCtrl m_chart;
    HIMAGELIST m_images = nullptr;
    std::string m_requiredText;
    uint64_t m_requiredMB = 0;
    std::vector<HardDiscRow> m_rows;
};
