// zl5drive as a user runs it, and what running programs see of its changes: the library's
// drives and the device-change broadcast.
#include "ZL5Scsi.h"
#include "scsi/ScsiTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <dbt.h>

#include <tuple>

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
    std::string line = r.output.substr(r.output.find("V:"));
    line = line.substr(0, line.find('\n'));
    EXPECT_EQ(line.find("oldslow"), 4u) << r.output;
    EXPECT_TRUE(Contains(line, " virtual ")) << r.output;
    EXPECT_EQ(line.substr(line.size() - 5), "empty") << r.output;
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
    EXPECT_TRUE(Contains(RunDriveTool("list").output, "data.iso"));
    r = RunDriveTool("info V:");
    EXPECT_TRUE(Contains(r.output, "label=ZELVANE_DATA\n")) << r.output;
    EXPECT_TRUE(Contains(r.output, "type=0\n")) << r.output;

    r = RunDriveTool("insert V: \"" + Sample("dvdvideo.iso") + "\" --dvd");
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    EXPECT_EQ(ZLXScsiGetCDType('V'), 0); // an old CD-ROM does not read DVDs
    EXPECT_EQ(ZLXScsiIsUnitReady('V', 30), 0);
    EXPECT_TRUE(Contains(RunDriveTool("list").output, "dvdvideo.iso (dvd)"));

    EXPECT_EQ(RunDriveTool("eject V:").exitCode, 0u);
    EXPECT_EQ(ZLXScsiIsUnitReady('V', 30), 0);
    EXPECT_TRUE(Contains(Known(), "V"));
    EXPECT_EQ(RunDriveTool("remove V:").exitCode, 0u);
    EXPECT_FALSE(Contains(Known(), "V"));
}

TEST(DriveTool, RefusesWhatItCannotDo) {
    const std::pair<const char*, DWORD> refused[] = {{"", 2},
                                                     {"insert", 2},
                                                     {"insert 7: x.iso", 2},
                                                     {"insert W: x.iso --cd --dvd", 2},
                                                     {"eject W:", 1}}; // no such drive
    for (const auto& [arguments, code] : refused)
        EXPECT_EQ(RunDriveTool(arguments).exitCode, code) << arguments;
    const ProcessResult r = RunDriveTool("add W: --profile turbo");
    EXPECT_EQ(r.exitCode, 1u);
    EXPECT_TRUE(Contains(r.output, "unknown profile")) << r.output;
    EXPECT_FALSE(Contains(Known(), "W"));
    const ProcessResult profiles = RunDriveTool("profiles");
    for (const char* name : {"modern", "noraw", "dvdonly", "vendoraudio", "oldslow", "nosub"})
        EXPECT_TRUE(Contains(profiles.output, name)) << name;
}

// Volume changes sent to a top-level window of this process: event, drives, flags.
std::vector<std::tuple<WPARAM, DWORD, WORD>> g_notices;

LRESULT CALLBACK NoteVolumeChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lParam);
    if (message != WM_DEVICECHANGE || !volume)
        return DefWindowProcA(window, message, wParam, lParam);
    if (volume->dbcv_devicetype == DBT_DEVTYP_VOLUME)
        g_notices.emplace_back(wParam, volume->dbcv_unitmask, volume->dbcv_flags);
    return TRUE;
}

TEST(DriveTool, MediaChangesReachTheWindowsOfOtherProcesses) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = NoteVolumeChanges;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Zl5DeviceChangeTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "device changes", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                100, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(RunDriveTool("add W:").exitCode, 0u);
    EXPECT_TRUE(g_notices.empty()); // a drive without a disc changes no medium
    ASSERT_EQ(RunDriveTool("insert W: \"" + Sample("audio.cue") + "\"").exitCode, 0u);
    ASSERT_EQ(RunDriveTool("eject W:").exitCode, 0u);
    ASSERT_EQ(RunDriveTool("remove W:").exitCode, 0u);
    DestroyWindow(window);
    const DWORD w = 1u << ('W' - 'A');
    ASSERT_EQ(g_notices.size(), 2u);
    EXPECT_EQ(g_notices[0], std::make_tuple(WPARAM(DBT_DEVICEARRIVAL), w, WORD(DBTF_MEDIA)));
    EXPECT_EQ(std::get<0>(g_notices[1]), WPARAM(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_EQ(std::get<1>(g_notices[1]), w);
}

} // namespace
