#include "scsi/RegistryWatch.h"

namespace {
constexpr DWORD kPollInterval = 1000;
}

CRegistryWatch::~CRegistryWatch() {
    Disarm();
    if (m_event)
        CloseHandle(m_event);
}

void CRegistryWatch::Disarm() {
    if (m_key)
        RegCloseKey(m_key);
    m_key = nullptr;
}

bool CRegistryWatch::Arm() {
    if (!m_event)
        m_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (!m_key &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, KEY_NOTIFY, &m_key) != ERROR_SUCCESS)
        m_key = nullptr;
    if (!m_key || !m_event)
        return false;
    if (RegNotifyChangeKeyValue(m_key, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                m_event, TRUE) != ERROR_SUCCESS) {
        Disarm(); // the key was deleted; open it afresh on the next poll
        return false;
    }
    return true;
}

bool CRegistryWatch::Changed() {
    if (m_first) {
        m_first = false;
        m_lastPoll = GetTickCount();
        Arm();
        return true;
    }
    if (m_key) {
        if (WaitForSingleObject(m_event, 0) != WAIT_OBJECT_0)
            return false;
        Arm(); // before the caller reads, so no change between the two goes unnoticed
        return true;
    }
    const DWORD now = GetTickCount();
    if (now - m_lastPoll < kPollInterval)
        return false;
    m_lastPoll = now;
    Arm();
    return true;
}
