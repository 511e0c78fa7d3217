#pragma once
// The modeless work dialog: "One moment please...", a message line and two spinning discs.
#include "source/WorkInfo.h"
#include "toolkit/Dialog.h"

class CDlgWorkInfo : public CDialog, public IWorkInfo {
public:
    CDlgWorkInfo() : CDialog(kTemplate) {}
    void Show(int messageStringId) override;
    void Close() override { Destroy(); }
    void* Window() const override { return m_hWnd; }

    static constexpr int kTemplate = 140;
    static constexpr int kMessage = 1000;
    static constexpr int kAnimationLeft = 1001;
    static constexpr int kAnimationRight = 1002;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override {} // it goes when the work is done, not on Escape
};
