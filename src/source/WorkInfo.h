#pragma once
// The modeless "One moment please..." dialog shown while drives are searched and the
// source disc is analysed. Long operations run on the interface thread, so it must be
// shown before and closed after them.
class IWorkInfo {
public:
    virtual ~IWorkInfo() = default;
    // Shows the dialog (or changes its message line) with the string-table text.
    virtual void Show(int messageStringId) = 0;
    virtual void Close() = 0;
    // The dialog's window while it is shown (owner for other libraries' dialogs), else null.
    virtual void* Window() const { return nullptr; }
};

// For run modes without a window and for tests.
class CNoWorkInfo : public IWorkInfo {
public:
    void Show(int) override {}
    void Close() override {}
};

// Shows the work dialog for as long as it lives, so every road out of a long operation
// closes it again.
class CWorkInfoScope {
public:
    CWorkInfoScope(IWorkInfo& work, int messageStringId) : m_work(work) {
        m_work.Show(messageStringId);
    }
    ~CWorkInfoScope() { m_work.Close(); }
    CWorkInfoScope(const CWorkInfoScope&) = delete;
    CWorkInfoScope& operator=(const CWorkInfoScope&) = delete;

private:
    IWorkInfo& m_work;
};
