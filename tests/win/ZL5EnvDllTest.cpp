// The product's libraries and programs as their callers meet them: the real DLLs loaded
// at run time, the real programs started as processes, the real registry underneath.
#include "zl5env_ordinals.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {
// A store of the tests' own (ZL5ENV_KEY), so the installed product's settings stay intact.
const char kStoreKey[] = "Software\\Kestrelin\\Zelvane 5\\TestStore";

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ReadWholeFile(const std::string& path) {
    std::string data;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return data;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof(chunk), &got, nullptr) && got)
        data.append(chunk, got);
    CloseHandle(f);
    return data;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WithoutCR(std::string s) {
    std::string out;
    for (char c : s)
        if (c != '\r')
            out += c;
    return out;
}

std::string Hex(const std::vector<unsigned char>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

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
    ~TempHome() { RemoveTree(m_home); }
    const std::string& Home() const { return m_home; }
    std::string System() const { return m_home + "system\\"; }
    // Copies a built file from beside the test into system\.
    bool Install(const char* name) const {
        return CopyFileA((ExeFolder() + name).c_str(), (System() + name).c_str(), FALSE) != 0;
    }

private:
    static void RemoveTree(const std::string& folder) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = fd.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string path = folder + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + "\\");
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(folder.c_str());
    }
    std::string m_home;
};

struct ProcessResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // standard output and standard error together
};

ProcessResult RunProcess(const std::string& commandLine) {
    ProcessResult result;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    BOOL started =
        CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got)
            result.output.append(chunk, got);
        if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(pi.hProcess, 99);
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    return result;
}

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

    m_writeText("ZlxHomePath", "D:\\");
    EXPECT_EQ(Read("ZlxHomePath"), "D:\\");
    m_writeText("ZlxHomePath", "");
    EXPECT_EQ(Read("ZlxHomePath"), "<absent>");
    m_writeText("ZlxHomePath", ""); // clearing a missing value is harmless
    EXPECT_EQ(Read("ZlxHomePath"), "<absent>");
}

TEST_F(StoreTest, BinaryValuesRoundTripAndFillOnlyTheirLength) {
    std::vector<unsigned char> codec(64), toc(804);
    for (size_t i = 0; i < codec.size(); ++i)
        codec[i] = static_cast<unsigned char>(i * 7);
    for (size_t i = 0; i < toc.size(); ++i)
        toc[i] = static_cast<unsigned char>(i % 5 == 0 ? 0 : i); // embedded zero bytes
    m_writeBinary("ZlxBuildAcmData", codec.data(), 64);
    m_writeBinary("ZlxBuildTOC", toc.data(), 804);

    std::vector<unsigned char> buffer(900, 0xCC);
    m_readBinary("ZlxBuildTOC", buffer.data(), 900);
    EXPECT_EQ(std::vector<unsigned char>(buffer.begin(), buffer.begin() + 804), toc);
    EXPECT_EQ(std::vector<unsigned char>(buffer.begin() + 804, buffer.end()),
              std::vector<unsigned char>(96, 0xCC));

    std::vector<unsigned char> part(64, 0xCC);
    m_readBinary("ZlxBuildAcmData", part.data(), 32);
    EXPECT_EQ(std::vector<unsigned char>(part.begin(), part.begin() + 32),
              std::vector<unsigned char>(codec.begin(), codec.begin() + 32));
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
    EXPECT_EQ(RunProcess("\"" + ExeFolder() + "zl5env.exe\" set ZlxBuildPassword pw").exitCode, 0u);
    m_writeText("ZlxBuildInfoText", "a\tb\r\nc\\d");
    m_writeText("ZLXBuildDataReady", "");
    SetEnvironmentVariableA("ZL5ENV_JOURNAL", nullptr);
    m_writeText("ZLXBuildDataReady", "1");

    EXPECT_EQ(ReadWholeFile(journal), "T\tZLXBuildDataReady\t0\n"
                                      "B\tZlxBuildAcmData\t00AB7F\n"
                                      "T\tZlxBuildPassword\tpw\n"
                                      "T\tZlxBuildInfoText\ta\\tb\\r\\nc\\\\d\n"
                                      "T\tZLXBuildDataReady\t\n");
}

TEST_F(StoreTest, ToolWritesReadsDeletesAndDumpsTheSharedStore) {
    const std::string tool = "\"" + ExeFolder() + "zl5env.exe\" ";
    EXPECT_EQ(RunProcess(tool + "set ZlxB \"two words\"").exitCode, 0u);
    EXPECT_EQ(RunProcess(tool + "setbin ZlxA 0aFF").exitCode, 0u);
    m_writeText("ZlxC", "from the library");

    ProcessResult got = RunProcess(tool + "get ZlxB");
    EXPECT_EQ(got.exitCode, 0u);
    EXPECT_EQ(WithoutCR(got.output), "two words\n");
    EXPECT_EQ(Read("ZlxB"), "two words");

    ProcessResult dump = RunProcess(tool + "dump");
    EXPECT_EQ(dump.exitCode, 0u);
    EXPECT_EQ(WithoutCR(dump.output), "ZlxA=0AFF\nZlxB=two words\nZlxC=from the library\n");

    EXPECT_EQ(RunProcess(tool + "del ZlxB").exitCode, 0u);
    EXPECT_EQ(Read("ZlxB"), "<absent>");
    EXPECT_EQ(RunProcess(tool + "get ZlxB").exitCode, 1u);

    EXPECT_EQ(RunProcess(tool + "setbin ZlxA ABC").exitCode, 2u); // odd number of digits
    EXPECT_EQ(RunProcess(tool + "set ZlxA").exitCode, 2u);
    ProcessResult usage = RunProcess(tool + "frobnicate");
    EXPECT_EQ(usage.exitCode, 2u);
    EXPECT_NE(usage.output.find("usage"), std::string::npos);
}

// The common library, installed in a private home so its location-derived answers are known.
class CommonLibraryTest : public ::testing::Test {
protected:
    using InstallPathFn = int (*)(char*, int);
    using CheckPlayFn = int (*)();
    using CheckAccessFn = int (*)(const char*, unsigned long);

    void SetUp() override {
        ASSERT_TRUE(m_temp.Install("zl5comm.dll"));
        m_dll = LoadLibraryA((m_temp.System() + "zl5comm.dll").c_str());
        ASSERT_NE(m_dll, nullptr);
        m_installPath = Export<InstallPathFn>(m_dll, "ZLXGetInstallPath");
        m_checkPlay = Export<CheckPlayFn>(m_dll, "ZLXCheckZLXPlay");
        m_checkAccess = Export<CheckAccessFn>(m_dll, "ZLXCheckAccessFile");
        ASSERT_TRUE(m_installPath && m_checkPlay && m_checkAccess);
    }
    void TearDown() override {
        if (m_dll)
            FreeLibrary(m_dll);
    }
    void MakeFile(const std::string& path, DWORD attributes) {
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes,
                               nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        CloseHandle(f);
    }

    TempHome m_temp;
    HMODULE m_dll = nullptr;
    InstallPathFn m_installPath = nullptr;
    CheckPlayFn m_checkPlay = nullptr;
    CheckAccessFn m_checkAccess = nullptr;
};

TEST_F(CommonLibraryTest, HomeIsTheFolderAboveTheLibraryAndThePlayerIsFoundThere) {
    char path[MAX_PATH] = {};
    ASSERT_NE(m_installPath(path, MAX_PATH), 0);
    EXPECT_EQ(lstrcmpiA(path, m_temp.Home().c_str()), 0) << path;
    char tiny[4] = {};
    EXPECT_EQ(m_installPath(tiny, sizeof(tiny)), 0);

    EXPECT_EQ(m_checkPlay(), 0);
    MakeFile(m_temp.System() + "zl5play.exe", FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(m_checkPlay(), 0);
}

TEST_F(CommonLibraryTest, AccessCheckReportsTheSystemError) {
    const std::string writable = m_temp.System() + "zlximg.dat";
    const std::string readOnly = m_temp.System() + "locked.dat";
    MakeFile(writable, FILE_ATTRIBUTE_NORMAL);
    MakeFile(readOnly, FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(m_checkAccess(writable.c_str(), GENERIC_WRITE), 0);
    EXPECT_EQ(m_checkAccess(readOnly.c_str(), GENERIC_WRITE), ERROR_ACCESS_DENIED);
    EXPECT_EQ(m_checkAccess(readOnly.c_str(), GENERIC_READ), 0);
    EXPECT_EQ(m_checkAccess((m_temp.System() + "none.dat").c_str(), GENERIC_WRITE),
              ERROR_FILE_NOT_FOUND);
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
    std::string Writer() const { return "\"" + m_temp.System() + "zl5write.exe\""; }
    std::string Report() const { return m_temp.System() + "zl5write.log"; }

    TempHome m_temp;
};

TEST_F(WriterTest, QuietRunReportsEveryJobValueInTheOrderTheWizardWritesThem) {
    std::vector<unsigned char> toc(804);
    for (size_t i = 0; i < toc.size(); ++i)
        toc[i] = static_cast<unsigned char>(i * 3);
    m_writeText("ZLXBuildDataReady", "1");
    m_writeText("ZlxBuildTrackOrder", "0210");
    m_writeText("ZlxBuildNameOfAudioTrack10", "Tenth");
    m_writeText("ZlxBuildNameOfAudioTrack2", "Second");
    m_writeBinary("ZlxBuildTOC", toc.data(), 804);
    m_writeText("ZlxBuildInfoText", "line 1\r\nline 2");
    m_writeText("ZLXBuildDestinationFile", "C:\\Images\\disc.zl4");
    m_writeText("ZLXBuildSourceCDDrive", "E");
    m_writeText("ZlxNotAJobValue", "left out");

    ProcessResult run = RunProcess(Writer() + " /quiet");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(ReadWholeFile(Report()), "ZLXBuildSourceCDDrive=E\r\n"
                                       "ZLXBuildDestinationFile=C:\\Images\\disc.zl4\r\n"
                                       "ZlxBuildInfoText=line 1\\r\\nline 2\r\n"
                                       "ZlxBuildNameOfAudioTrack2=Second\r\n"
                                       "ZlxBuildNameOfAudioTrack10=Tenth\r\n"
                                       "ZlxBuildTrackOrder=0210\r\n"
                                       "ZlxBuildTOC=" +
                                           Hex(toc) +
                                           "\r\n"
                                           "ZLXBuildDataReady=1\r\n");
}

TEST_F(WriterTest, QuietRunRefusesAJobThatIsNotReady) {
    SetEnvironmentVariableA("ZL5WRITE_QUIET", "1"); // the other way to ask for quiet
    m_writeText("ZLXBuildSourceCDDrive", "E");
    ProcessResult missing = RunProcess(Writer());
    EXPECT_EQ(missing.exitCode, 1u);
    EXPECT_NE(missing.output.find("No image job is ready"), std::string::npos) << missing.output;

    m_writeText("ZLXBuildDataReady", "0"); // still being written by the wizard
    EXPECT_EQ(RunProcess(Writer()).exitCode, 1u);
    EXPECT_FALSE(Exists(Report()));
}
} // namespace
