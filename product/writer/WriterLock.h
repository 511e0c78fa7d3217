#pragma once
// The named mutex that tells the wizard a writer is at work. Held from start to exit.
#include <windows.h>

class CWriterLock {
public:
    CWriterLock() = default;
    ~CWriterLock() {
        if (m_mutex) {
            if (m_owned)
                ReleaseMutex(m_mutex);
            CloseHandle(m_mutex);
        }
    }
    CWriterLock(const CWriterLock&) = delete;
    CWriterLock& operator=(const CWriterLock&) = delete;

    // False when another writer holds it. The wizard only probes the mutex briefly, so a
    // short wait rides out a probe that happens at the same moment.
    bool Acquire() {
        m_mutex = CreateMutexA(nullptr, TRUE, "ZL5_BUILD_WRITER");
        if (!m_mutex)
            return false;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            m_owned = true;
            return true;
        }
        DWORD wait = WaitForSingleObject(m_mutex, 2000);
        m_owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        return m_owned;
    }

private:
    HANDLE m_mutex = nullptr;
    bool m_owned = false;
};
