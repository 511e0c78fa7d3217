// The product's libraries and programs as their callers meet them: the real DLLs loaded
// at run time, the real programs started as processes, the real registry underneath.
#include "TestProcess.h"
#include "zl5env_ordinals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace testproc;

namespace {
// A store of the tests' own (ZL5ENV_KEY), so the installed product's settings stay intact.
const char kStoreKey[] = "Software\\Kestrelin\\Zelvane 5\\TestStore";

// A private product home, <temp>\zl5test-N\ with a system\ folder, removed afterwards.
class TempHome {
public:
    TempHome() {
        static int counter = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_home = std::string(temp) + "zl5test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++counter) + "\\";
        CreateDirectoryA(m_home.c_str(), nullptr);
        CreateDirectoryA(System().c_str(), nullptr);
    }
    ~TempHome() {
        Remove(System());
        Remove(m_home);
    }
    const std::string& Home() const { return m_home; }
    std::string System() const { return m_home + "system\\"; }
    // Copies a built file from beside the test into system\.
    bool Install(const char* name) const {
        return CopyFileA((ExeFolder() + name).c_str(), (System() + name).c_str(), FALSE) != 0;
    }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd)) {
            SetFileAttributesA((folder + fd.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder + fd.cFileName).c_str());
        }
        FindClose(h);
        RemoveDirectoryA(folder.c_str());
    }
    std::string m_home;
};

template <typename F> F Export(HMODULE module, LPCSTR name) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Every test starts from an empty store and leaves none behind.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("ZL5ENV_KEY", kStoreKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
        SetEnvironmentVariableA("ZL5ENV_JOURNAL", nullptr);
        m_dll = LoadLibraryA((ExeFolder() + "ZL5Env.dll").c_str());
        ASSERT_NE(m_dll, nullptr);
        m_writeText = Export<ZL5EnvWriteTextFn>(m_dll, MAKEINTRESOURCEA(kZL5EnvWriteText));
        m_readText = Export<ZL5EnvReadTextFn>(m_dll, MAKEINTRESOURCEA(kZL5EnvReadText));
        m_writeBinary = Export<ZL5EnvWriteBinaryFn>(m_dll, MAKEINTRESOURCEA(kZL5EnvWriteBinary));
        m_readBinary = Export<ZL5EnvReadBinaryFn>(m_dll, MAKEINTRESOURCEA(kZL5EnvReadBinary));
        ASSERT_TRUE(m_writeText && m_readText && m_writeBinary && m_readBinary);
    }
    void TearDown() override {
        SetEnvironmentVariableA("ZL5ENV_JOURNAL", nullptr);
        if (m_dll)
            FreeLibrary(m_dll);
        RegDeleteKeyA(HKEY_CURRENT_USER, kStoreKey);
    }
    // The text as a caller with a `size`-byte buffer sees it; "<absent>" when not found.
    std::string Read(const char* name, int size = 260) {
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '#');
        if (!m_readText(name, buffer.data(), size))
            return "<absent>";
        return buffer.data();
    }
    static ProcessResult Tool(const std::string& arguments) {
        return RunProcess("\"" + ExeFolder() + "zl5env.exe\" " + arguments);
    }

    HMODULE m_dll = nullptr;
    ZL5EnvWriteTextFn m_writeText = nullptr;
    ZL5EnvReadTextFn m_readText = nullptr;
    ZL5EnvWriteBinaryFn m_writeBinary = nullptr;
    ZL5EnvReadBinaryFn m_readBinary = nullptr;
};

TEST_F(StoreTest, OperationsAreReachableByOrdinalOnly) {
    for (const char* name : {"ZL5EnvWriteText", "ZL5EnvReadText", "ZL5EnvWriteBinary",
                             "ZL5EnvReadBinary", "WriteText", "ReadText"})
        EXPECT_EQ(GetProcAddress(m_dll, name), nullptr) << name;
}

TEST_F(StoreTest, TextIsFoundCutToTheBufferAndClearedByEmptyText) {
    EXPECT_EQ(Read("ZlxHomePath"), "<absent>");
    m_writeText("ZlxHomePath", "C:\\Zelvane\\");
    EXPECT_EQ(Read("ZlxHomePath"), "C:\\Zelvane\\");
    EXPECT_EQ(Read("ZlxHomePath", 12), "C:\\Zelvane\\"); // exactly fits with its NUL
    EXPECT_EQ(Read("ZlxHomePath", 3), "C:");
    EXPECT_EQ(Read("ZlxHomePath", 1), "");
    EXPECT_EQ(Read("zlxhomepath"), "C:\\Zelvane\\"); // names ignore case, as in the registry

    char untouched[4] = {'x', 'y', 'z', 0};
    EXPECT_EQ(m_readText("ZlxHomePath", untouched, 0), 0);
    EXPECT_STREQ(untouched, "xyz");

    m_writeText("ZlxHomePath", "");
    EXPECT_EQ(Read("ZlxHomePath"), "<absent>");
    m_writeText("ZlxHomePath", ""); // clearing a missing value is harmless
    EXPECT_EQ(Read("ZlxHomePath"), "<absent>");
}

TEST_F(StoreTest, BinaryValuesRoundTripAndFillOnlyTheirLength) {
    std::vector<unsigned char> toc(804);
    for (size_t i = 0; i < toc.size(); ++i)
        toc[i] = static_cast<unsigned char>(i % 5 == 0 ? 0 : i); // embedded zero bytes
    m_writeBinary("ZlxBuildTOC", toc.data(), 804);

    std::vector<unsigned char> buffer(900, 0xCC);
    m_readBinary("ZlxBuildTOC", buffer.data(), 900);
    EXPECT_EQ(std::vector<unsigned char>(buffer.begin(), buffer.begin() + 804), toc);
    EXPECT_EQ(std::vector<unsigned char>(buffer.begin() + 804, buffer.end()),
              std::vector<unsigned char>(96, 0xCC));

    std::vector<unsigned char> part(64, 0xCC);
    m_readBinary("ZlxBuildTOC", part.data(), 32);
    EXPECT_TRUE(std::equal(toc.begin(), toc.begin() + 32, part.begin()));
    EXPECT_EQ(part[32], 0xCC);

    std::vector<unsigned char> missing(16, 0xCC);
    m_readBinary("ZlxEditorAcmData", missing.data(), 16);
    EXPECT_EQ(missing, std::vector<unsigned char>(16, 0xCC));
    EXPECT_EQ(Read("ZlxBuildTOC"), "<absent>"); // a binary value is not text
}

TEST_F(StoreTest, JournalGetsEveryWriteInCallOrderAcrossProcesses) {
    TempHome temp;
    const std::string journal = temp.Home() + "journal.txt";
    SetEnvironmentVariableA("ZL5ENV_JOURNAL", journal.c_str());
    m_writeText("ZLXBuildDataReady", "0");
    const unsigned char bytes[] = {0x00, 0xAB, 0x7F};
    m_writeBinary("ZlxBuildAcmData", bytes, 3);
    // A second process appends to the same journal between this one's writes.
    EXPECT_EQ(Tool("set ZlxBuildPassword pw").exitCode, 0u);
    m_writeText("ZlxBuildInfoText", "a\tb\r\nc\\d");
    m_writeText("ZLXBuildDataReady", "");
    SetEnvironmentVariableA("ZL5ENV_JOURNAL", nullptr);
    m_writeText("ZLXBuildDataReady", "1");

    EXPECT_EQ(FileText(journal), "T\tZLXBuildDataReady\t0\n"
                                 "B\tZlxBuildAcmData\t00AB7F\n"
                                 "T\tZlxBuildPassword\tpw\n"
                                 "T\tZlxBuildInfoText\ta\\tb\\r\\nc\\\\d\n"
                                 "T\tZLXBuildDataReady\t\n");
}

TEST_F(StoreTest, ToolWritesReadsDeletesAndDumpsTheSharedStore) {
    EXPECT_EQ(Tool("set ZlxB \"two words\"").exitCode, 0u);
    EXPECT_EQ(Tool("setbin ZlxA 0aFF").exitCode, 0u);
    m_writeText("ZlxC", "from the library");

    const ProcessResult got = Tool("get ZlxB");
    EXPECT_EQ(got.exitCode, 0u);
    EXPECT_EQ(got.output, "two words\n");
    EXPECT_EQ(Read("ZlxB"), "two words");
    EXPECT_EQ(Tool("dump").output, "ZlxA=0AFF\nZlxB=two words\nZlxC=from the library\n");

    EXPECT_EQ(Tool("del ZlxB").exitCode, 0u);
    EXPECT_EQ(Read("ZlxB"), "<absent>");
    EXPECT_EQ(Tool("get ZlxB").exitCode, 1u);

    EXPECT_EQ(Tool("setbin ZlxA ABC").exitCode, 2u); // odd number of digits
    EXPECT_EQ(Tool("set ZlxA").exitCode, 2u);
    const ProcessResult usage = Tool("frobnicate");
    EXPECT_EQ(usage.exitCode, 2u);
    EXPECT_NE(usage.output.find("usage"), std::string::npos);
}

// The common library, installed in a private home so its location-derived answers are known.
TEST(CommonLibrary, FindsItsHomeThePlayerAndTheSystemErrorOfAnAccess) {
    TempHome temp;
    ASSERT_TRUE(temp.Install("zl5comm.dll"));
    HMODULE dll = LoadLibraryA((temp.System() + "zl5comm.dll").c_str());
    ASSERT_NE(dll, nullptr);
    const auto installPath = Export<int (*)(char*, int)>(dll, "ZLXGetInstallPath");
    const auto checkPlay = Export<int (*)()>(dll, "ZLXCheckZLXPlay");
    const auto checkAccess = Export<int (*)(const char*, unsigned long)>(dll, "ZLXCheckAccessFile");
    ASSERT_TRUE(installPath && checkPlay && checkAccess);
    auto makeFile = [&](const char* name, DWORD attributes) {
        CloseHandle(CreateFileA((temp.System() + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, attributes, nullptr));
        return temp.System() + name;
    };

    // The home is the folder above the library's.
    char path[MAX_PATH] = {};
    ASSERT_NE(installPath(path, MAX_PATH), 0);
    EXPECT_EQ(lstrcmpiA(path, temp.Home().c_str()), 0) << path;
    char tiny[4] = {};
    EXPECT_EQ(installPath(tiny, sizeof(tiny)), 0);

    EXPECT_EQ(checkPlay(), 0);
    makeFile("zl5play.exe", FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(checkPlay(), 0);

    const std::string writable = makeFile("zlximg.dat", FILE_ATTRIBUTE_NORMAL);
    const std::string readOnly = makeFile("locked.dat", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(checkAccess(writable.c_str(), GENERIC_WRITE), 0);
    EXPECT_EQ(checkAccess(readOnly.c_str(), GENERIC_WRITE), ERROR_ACCESS_DENIED);
    EXPECT_EQ(checkAccess(readOnly.c_str(), GENERIC_READ), 0);
    EXPECT_EQ(checkAccess((temp.System() + "none.dat").c_str(), GENERIC_WRITE),
              ERROR_FILE_NOT_FOUND);
    FreeLibrary(dll);
}

// The writer program runs from a private home, so its report lands there.
class WriterTest : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        ASSERT_TRUE(m_temp.Install("zl5write.exe"));
        ASSERT_TRUE(m_temp.Install("ZL5Env.dll"));
    }
    void TearDown() override {
        SetEnvironmentVariableA("ZL5WRITE_QUIET", nullptr);
        StoreTest::TearDown();
    }
    ProcessResult RunWriter(const char* arguments = "") const {
        return RunProcess("\"" + m_temp.System() + "zl5write.exe\"" + arguments);
    }
    std::string Report() const { return m_temp.System() + "zl5write.log"; }

    TempHome m_temp;
};

TEST_F(WriterTest, QuietRunReportsEveryJobValueInTheOrderTheWizardWritesThem) {
    const std::vector<unsigned char> toc(804, 0x5A);
    m_writeText("ZLXBuildDataReady", "1");
    m_writeText("ZlxBuildTrackOrder", "0210");
    m_writeText("ZlxBuildNameOfAudioTrack10", "Tenth");
    m_writeText("ZlxBuildNameOfAudioTrack2", "Second");
    m_writeBinary("ZlxBuildTOC", toc.data(), 804);
    m_writeText("ZlxBuildInfoText", "line 1\r\nline 2");
    m_writeText("ZLXBuildDestinationFile", "C:\\Images\\disc.zl4");
    m_writeText("ZLXBuildSourceCDDrive", "Y"); // no such drive: the image cannot be made
    m_writeText("ZlxNotAJobValue", "left out");

    const ProcessResult run = RunWriter(" /quiet");
    EXPECT_EQ(run.exitCode, 4u) << run.output;
    std::string tocHex;
    for (size_t i = 0; i < toc.size(); ++i)
        tocHex += "5A";
    const std::string job = "ZLXBuildSourceCDDrive=Y\r\n"
                            "ZLXBuildDestinationFile=C:\\Images\\disc.zl4\r\n"
                            "ZlxBuildInfoText=line 1\\r\\nline 2\r\n"
                            "ZlxBuildNameOfAudioTrack2=Second\r\n"
                            "ZlxBuildNameOfAudioTrack10=Tenth\r\n"
                            "ZlxBuildTrackOrder=0210\r\n"
                            "ZlxBuildTOC=" +
                            tocHex + "\r\nZLXBuildDataReady=1\r\n";
    const std::string report = FileText(Report());
    EXPECT_EQ(report.substr(0, job.size()), job);
    EXPECT_NE(report.find("ImageResult=failed\r\n", job.size()), std::string::npos) << report;
    EXPECT_EQ(GetFileAttributesA("C:\\Images\\disc.zl4"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WriterTest, QuietRunRefusesAJobThatIsNotReady) {
    SetEnvironmentVariableA("ZL5WRITE_QUIET", "1"); // the other way to ask for quiet
    m_writeText("ZLXBuildSourceCDDrive", "E");
    const ProcessResult missing = RunWriter();
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_NE(missing.output.find("No image job is ready"), std::string::npos) << missing.output;

    m_writeText("ZLXBuildDataReady", "0"); // still being written by the wizard
    EXPECT_EQ(RunWriter().exitCode, 1u);
    EXPECT_EQ(GetFileAttributesA(Report().c_str()), INVALID_FILE_ATTRIBUTES);
}
} // namespace
