#pragma once
// "Edit comment": the image's free comment over several lines. Constructed with the text;
// after DoModal returns IDOK, Text() holds the edited comment, otherwise the text given.
#include "controls/DialogHeaderCtrl.h"
#include "toolkit/Dialog.h"

#include <string>

class CDlgInfoText : public CDialog {
public:
    static constexpr int kMaxText = 2047;

    explicit CDlgInfoText(std::string text);

    const std::string& Text() const { return m_text; }

protected:
    BOOL OnInitDialog() override;
    bool DataExchange(bool save) override;

private:
    std::string m_text;
    CDialogHeaderCtrl m_header;
};
