#include "toolkit/DataExchange.h"

#include "app/StringIds.h"

#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

bool ParseInt(const std::string& text, int& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

void CDataExchange::Fail(int id) {
    m_failed = true;
    HWND control = m_dialog.Item(id);
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

void CDataExchange::Check(int id, int& value) {
    if (m_failed)
        return;
    if (m_save)
        value = m_dialog.IsChecked(id) ? 1 : 0;
    else
        m_dialog.SetCheck(id, value != 0);
}

void CDataExchange::Radio(std::initializer_list<int> ids, int& index) {
    if (m_failed)
        return;
    int position = 0;
    if (m_save)
        index = -1;
    for (int id : ids) {
        if (m_save && m_dialog.IsChecked(id))
            index = position;
        else if (!m_save)
            m_dialog.SetCheck(id, position == index);
        ++position;
    }
}

void CDataExchange::ComboIndex(int id, int& index) {
    if (m_failed)
        return;
    HWND combo = m_dialog.Item(id);
    if (m_save)
        index = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    else
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CDataExchange::ComboData(int id, intptr_t& data) {
    if (m_failed)
        return;
    HWND combo = m_dialog.Item(id);
    if (m_save) {
        const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (selected != CB_ERR)
            data = static_cast<intptr_t>(SendMessageA(combo, CB_GETITEMDATA, selected, 0));
        return;
    }
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    LRESULT found = -1;
    for (LRESULT i = 0; i < count && found < 0; ++i)
        if (static_cast<intptr_t>(SendMessageA(combo, CB_GETITEMDATA, i, 0)) == data)
            found = i;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void CDataExchange::Text(int id, std::string& text, int maxLength) {
    if (m_failed)
        return;
    if (m_save) {
        text = m_dialog.ItemText(id);
        if (maxLength > 0 && text.size() > static_cast<size_t>(maxLength))
            text.resize(static_cast<size_t>(maxLength));
        return;
    }
    if (maxLength > 0)
        SendMessageA(m_dialog.Item(id), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    m_dialog.SetItemText(id, text);
}

void CDataExchange::Int(int id, int& value, int minimum, int maximum) {
    if (m_failed)
        return;
    if (!m_save) {
        m_dialog.SetItemText(id, std::to_string(value));
        return;
    }
    int parsed = 0;
    if (ParseInt(m_dialog.ItemText(id), parsed) && parsed >= minimum && parsed <= maximum) {
        value = parsed;
        return;
    }
    if (m_messages)
        m_messages->ShowArgs(IDS_INTEGER_RANGE, MsgIcon::Exclamation, MsgButtons::Ok,
                             {std::to_string(minimum), std::to_string(maximum)});
    Fail(id);
}

void CDataExchange::UpDownRange(int id, int minimum, int maximum) {
    if (m_failed || m_save)
        return;
    SendMessageA(m_dialog.Item(id), UDM_SETRANGE32, static_cast<WPARAM>(minimum),
                 static_cast<LPARAM>(maximum));
}

void CDataExchange::HotKey(int id, uint16_t& virtualKey, uint16_t& modifiers) {
    if (m_failed)
        return;
    HWND control = m_dialog.Item(id);
    if (m_save) {
        const LRESULT key = SendMessageA(control, HKM_GETHOTKEY, 0, 0);
        virtualKey = LOBYTE(LOWORD(key));
        modifiers = HIBYTE(LOWORD(key));
    } else {
        SendMessageA(control, HKM_SETHOTKEY, MAKEWORD(virtualKey & 0xFF, modifiers & 0xFF), 0);
    }
}
