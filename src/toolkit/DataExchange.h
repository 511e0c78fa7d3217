#pragma once
// Moves values between a dialog's controls and its members in one direction per pass:
// writing (members to controls) when a dialog or page is shown, reading (controls to
// members) before its values are used. A value that fails its check shows the message,
// puts the focus back on the control and fails the whole pass, so the page refuses.
#include "app/Messages.h"
#include "toolkit/Window.h"

#include <cstdint>
#include <initializer_list>
#include <string>

class CDataExchange {
public:
    // `messages` shows the range message of Int; may be null where no number is checked.
    CDataExchange(const CWindow& dialog, bool save, IMessages* messages = nullptr)
        : m_dialog(dialog), m_save(save), m_messages(messages) {}

    bool Saving() const { return m_save; }
    // False once a check failed; later exchanges of the pass are skipped.
    bool Ok() const { return !m_failed; }

    void Check(int id, int& value);
    // `index`: position of the checked button among `ids`, -1 for none.
    void Radio(std::initializer_list<int> ids, int& index);
    // Position of the selected entry of a combo box, -1 for none.
    void ComboIndex(int id, int& index);
    // Item data of the selected entry; writing selects the first entry holding `data`
    // (or none).
    void ComboData(int id, intptr_t& data);
    // `maxLength` > 0 also limits what the user can type.
    void Text(int id, std::string& text, int maxLength = 0);
    // Decimal number in [minimum, maximum]; anything else fails the pass.
    void Int(int id, int& value, int minimum, int maximum);
    // Range of an up-down control (write only).
    void UpDownRange(int id, int minimum, int maximum);
    // Virtual key and HOTKEYF_* modifiers of a hot key control.
    void HotKey(int id, uint16_t& virtualKey, uint16_t& modifiers);

private:
    void Fail(int id);
    const CWindow& m_dialog;
    bool m_save;
    IMessages* m_messages;
    bool m_failed = false;
};

// The number of an edit text, when the whole text (blanks around it aside) is one decimal
// number that fits an int.
bool ParseInt(const std::string& text, int& value);
