// zl5drive as a user runs it, and what running programs see of its changes: the library's
// drives and the device-change broadcast. Last, when the test scripts have mapped sample
// discs to Wine drives, those drives as the shell shows them.
#include "ZL5Scsi.h"
#include "disc/DiscImage.h"
#include "scsi/DriveRegistry.h"
#include "scsi/ScsiTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>
#include <shellapi.h>

#include <vector>

using namespace scsitest;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Known() {
    char letters[28] = {};
    ZLXScsiGetKnownDrives(letters, sizeof(letters));
    return letters;
}

TEST(DriveTool, ListInsertEjectRemoveRoundTrip) {
    ProcessResult r = RunDriveTool("add v: --profile oldslow --virtual");
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    r = RunDriveTool("list");
    const std::string line = r.output.substr(r.output.find("V:"));
    EXPECT_EQ(line.substr(0, line.find('\n')).find("oldslow"), 4u) << r.output;
    EXPECT_TRUE(Contains(line.substr(0, line.find('\n')), " virtual ")) << r.output;
    EXPECT_EQ(line.substr(line.find('\n') - 5, 5), "empty") << r.output;
    EXPECT_TRUE(Contains(Known(), "V"));
    char letters[28] = {};
    ZLXScsiGetZLXDriveLetters(letters, sizeof(letters));
    EXPECT_TRUE(Contains(letters, "V"));
    EXPECT_EQ(ZLXScsiIsUnitReady('V', 30), 0);

    r = RunDriveTool("insert V: \"" + Sample("data.iso") + "\" --bad 20-29");
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_EQ(ZLXScsiIsUnitReady('V', 30), 1);
    EXPECT_EQ(ZLXScsiGetCDType('V'), 0);
    std::vector<uint8_t> b(2048);
    EXPECT_EQ(ZLXScsiReadSectorsNFUA('V', 25, 1, b.data(), 2048, 15), 0u);
    r = RunDriveTool("list");
    EXPECT_TRUE(Contains(r.output, "data.iso")) << r.output;
    r = RunDriveTool("info V:");
    EXPECT_TRUE(Contains(r.output, "label=ZELVANE_DATA\n")) << r.output;
    EXPECT_TRUE(Contains(r.output, "type=0\n")) << r.output;

    r = RunDriveTool("insert V: \"" + Sample("dvdvideo.iso") + "\" --dvd");
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_EQ(ZLXScsiGetCDType('V'), 0); // an old CD-ROM does not read DVDs
    EXPECT_EQ(ZLXScsiIsUnitReady('V', 30), 0);
    r = RunDriveTool("list");
    EXPECT_TRUE(Contains(r.output, "dvdvideo.iso (dvd)")) << r.output;

    EXPECT_EQ(RunDriveTool("eject V:").exitCode, 0u);
    EXPECT_EQ(ZLXScsiIsUnitReady('V', 30), 0);
    EXPECT_TRUE(Contains(Known(), "V"));
    EXPECT_EQ(RunDriveTool("remove V:").exitCode, 0u);
    EXPECT_FALSE(Contains(Known(), "V"));
}

TEST(DriveTool, RefusesWhatItCannotDo) {
    EXPECT_EQ(RunDriveTool("").exitCode, 2u);
    EXPECT_EQ(RunDriveTool("insert").exitCode, 2u);
    EXPECT_EQ(RunDriveTool("insert 7: x.iso").exitCode, 2u);
    EXPECT_EQ(RunDriveTool("insert W: x.iso --cd --dvd").exitCode, 2u);
    EXPECT_EQ(RunDriveTool("eject W:").exitCode, 1u); // no such drive
    const ProcessResult r = RunDriveTool("add W: --profile turbo");
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_TRUE(Contains(r.output, "unknown profile")) << r.output;
    EXPECT_FALSE(Contains(Known(), "W"));
    const ProcessResult profiles = RunDriveTool("profiles");
    for (const char* name : {"modern", "noraw", "dvdonly", "vendoraudio", "oldslow", "nosub"})
        EXPECT_TRUE(Contains(profiles.output, name)) << name;
}

// A top-level window of this process that records the device changes it is sent.
class CDeviceChangeWindow {
public:
    struct Notice {
        WPARAM event;
        DWORD unitMask;
        WORD flags;
    };
    CDeviceChangeWindow() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "Zl5DeviceChangeTest";
        RegisterClassA(&wc);
        m_window = CreateWindowA(wc.lpszClassName, "device changes", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                 100, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CDeviceChangeWindow() { DestroyWindow(m_window); }
    HWND Window() const { return m_window; }
    const std::vector<Notice>& Notices() const { return m_notices; }

    // Runs zl5drive in a child process and handles messages until it ends.
    DWORD RunTool(const std::string& arguments) {
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::string line = "\"" + ExeFolder() + "zl5drive.exe\" " + arguments;
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back('\0');
        if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &si, &pi))
            return 0xFFFFFFFF;
        const DWORD deadline = GetTickCount() + 30000;
        while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 200, QS_ALLINPUT) !=
                   WAIT_OBJECT_0 &&
               GetTickCount() < deadline)
            Pump();
        Pump();
        DWORD code = 0xFFFFFFFF;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code;
    }

private:
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self =
            reinterpret_cast<CDeviceChangeWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_DEVICECHANGE && self && lParam) {
            const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
            if (header->dbch_devicetype == DBT_DEVTYP_VOLUME) {
                const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam);
                self->m_notices.push_back({wParam, volume->dbcv_unitmask, volume->dbcv_flags});
            }
            return TRUE;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
    std::vector<Notice> m_notices;
};

TEST(DriveTool, MediaChangesReachTheWindowsOfOtherProcesses) {
    CDeviceChangeWindow listener;
    ASSERT_NE(listener.Window(), nullptr);
    ASSERT_EQ(listener.RunTool("add W:"), 0u);
    EXPECT_TRUE(listener.Notices().empty()); // a drive without a disc changes no medium
    ASSERT_EQ(listener.RunTool("insert W: \"" + Sample("audio.cue") + "\""), 0u);
    ASSERT_EQ(listener.RunTool("eject W:"), 0u);
    ASSERT_EQ(listener.RunTool("remove W:"), 0u);
    const DWORD w = 1u << ('W' - 'A');
    ASSERT_EQ(listener.Notices().size(), 2u);
    EXPECT_EQ(listener.Notices()[0].event, static_cast<WPARAM>(DBT_DEVICEARRIVAL));
    EXPECT_EQ(listener.Notices()[0].unitMask, w);
    EXPECT_EQ(listener.Notices()[0].flags, DBTF_MEDIA);
    EXPECT_EQ(listener.Notices()[1].event, static_cast<WPARAM>(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_EQ(listener.Notices()[1].unitMask, w);
}

// The sample discs that scripts/drives.sh mapped: each shows as a CD drive whose label is the
// disc's and whose shell name is "LABEL (X:)". Uses the real drive configuration.
TEST(MappedDrives, ShowAsCdDrivesWithTheDiscLabel) {
    const CDriveRegistry real(kDrivesKeyPath);
    int checked = 0;
    for (char letter : real.Letters()) {
        ConfigValues values;
        DriveConfig config;
        std::string error;
        const std::string root = std::string(1, letter) + ":\\";
        if (!real.Read(letter, values) || !ParseDriveConfig(values, config, error) ||
            config.image.empty() || GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR)
            continue;
        SCOPED_TRACE(root + " " + config.image);
        auto disc = OpenDiscImage(config.image, config.media, error);
        ASSERT_TRUE(disc) << error;
        EXPECT_EQ(GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_CDROM));
        char label[MAX_PATH] = {};
        ASSERT_TRUE(GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr,
                                          nullptr, nullptr, 0));
        EXPECT_EQ(std::string(label), disc->Label());
        SHFILEINFOA info = {};
        ASSERT_TRUE(SHGetFileInfoA(root.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME));
        EXPECT_EQ(std::string(info.szDisplayName), disc->Label() + " (" + letter + ":)");
        // The root holds the disc's files and nothing else (no label file).
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((root + ".windows-label").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        ++checked;
    }
    if (!checked)
        GTEST_SKIP() << "no sample disc is mapped (ZL_SAMPLE_DRIVES=1 maps them)";
}

} // namespace
