#pragma once
// The writer's window while it builds: the job's name, a progress bar over the whole
// disc, the current track and sector, the read speed as a CD/DVD factor, elapsed and
// remaining time, errors so far and Cancel. The build runs on a worker thread; the window
// shows what the build last reported and asks it to stop on Cancel.
#include "writer/ImageBuild.h"

#include <windows.h>

#include <atomic>
#include <string>

class CProgressWindow : public IBuildObserver {
public:
    CProgressWindow(std::string name, bool dvd) : m_name(std::move(name)), m_dvd(dvd) {}

    // Runs `build` on a worker thread while the window is shown; returns its outcome.
    template <class Build> BuildOutcome Run(HINSTANCE instance, Build build) {
        struct Call {
            Build* build;
            BuildOutcome outcome;
            CProgressWindow* window;
        } call{&build, {}, this};
        RunThread(
            instance,
            [](void* p) {
                Call* c = static_cast<Call*>(p);
                try {
                    c->outcome = (*c->build)(*c->window);
                } catch (...) {
                    c->outcome.message = "Out of memory.";
                }
            },
            &call);
        return call.outcome;
    }

    bool Progress(const BuildProgress& progress) override; // worker thread

    static constexpr int kRows = 5; // track, speed, elapsed, remaining, errors

private:
    void RunThread(HINSTANCE instance, void (*work)(void*), void* argument);
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static SIZE WindowSize(DWORD style); // of the window around the fixed client layout
    void Create(HWND window);
    void Refresh();

    std::string m_name;
    bool m_dvd;
    HWND m_window = nullptr, m_bar = nullptr, m_status = nullptr, m_cancel = nullptr;
    HWND m_values[kRows] = {};
    HFONT m_font = nullptr;
    CRITICAL_SECTION m_lock;
    BuildProgress m_progress;
    std::atomic<bool> m_cancelled{false};
    DWORD m_start = 0;
};
