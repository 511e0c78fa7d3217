#include "scsi/ScsiTestSupport.h"

#include "scsi/DriveRegistry.h"

#include <cstring>

namespace scsitest {
namespace {
uint8_t GfMul(uint8_t a, uint8_t b) {
    unsigned r = 0, x = a;
    for (; b; b >>= 1) {
        if (b & 1)
            r ^= x;
        x <<= 1;
        if (x & 0x100)
            x ^= 0x11D;
    }
    return static_cast<uint8_t>(r);
}

// A codeword is good when the plain sum and the sum weighted by a^(n-1-m) are both zero.
bool CodewordIsZero(const uint8_t* base, int plane, const std::vector<size_t>& words) {
    uint8_t s0 = 0, s1 = 0;
    for (size_t w : words) {
        const uint8_t v = base[2 * w + plane];
        s0 ^= v;
        s1 = static_cast<uint8_t>(GfMul(s1, 2) ^ v);
    }
    return s0 == 0 && s1 == 0;
}

bool ParityChecksOut(const uint8_t* fromHeader) {
    for (int plane = 0; plane < 2; ++plane) {
        for (size_t col = 0; col < 43; ++col) {
            std::vector<size_t> words;
            for (size_t m = 0; m < 26; ++m)
                words.push_back(43 * m + col);
            if (!CodewordIsZero(fromHeader, plane, words))
                return false;
        }
        for (size_t d = 0; d < 26; ++d) {
            std::vector<size_t> words;
            for (size_t m = 0; m < 43; ++m)
                words.push_back((44 * m + 43 * d) % 1118);
            words.push_back(1118 + d);
            words.push_back(1144 + d);
            if (!CodewordIsZero(fromHeader, plane, words))
                return false;
        }
    }
    return true;
}

uint32_t EdcBitwise(const uint8_t* data, size_t count) {
    uint32_t crc = 0;
    for (size_t i = 0; i < count; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ ((crc & 1) ? 0xD8018001u : 0u);
    }
    return crc;
}

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
} // namespace

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s = path;
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string Sample(const std::string& name) {
    return ExeFolder() + "..\\..\\samples\\" + name;
}

std::vector<uint8_t> FileBytes(const std::string& path, uint64_t offset, size_t count) {
    std::vector<uint8_t> bytes(count);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return {};
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    if (!SetFilePointerEx(f, at, nullptr, FILE_BEGIN) ||
        !ReadFile(f, bytes.data(), static_cast<DWORD>(count), &got, nullptr) || got != count)
        bytes.clear();
    CloseHandle(f);
    return bytes;
}

uint32_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

const std::string& DrivesKey() {
    static const std::string key = [] {
        std::string k =
            "Software\\Kestrelin\\Zelvane 5\\TestDrives-" + std::to_string(GetCurrentProcessId());
        SetEnvironmentVariableA("ZL5_DRIVES_KEY", k.c_str());
        return k;
    }();
    return key;
}

void Configure(char letter, const DriveConfig& config) {
    CDriveRegistry(DrivesKey()).Write(letter, FormatDriveConfig(config));
}

void Configure(char letter, const std::string& image, const std::string& profile, MediaHint media) {
    DriveConfig c;
    c.image = image;
    c.profile = profile;
    c.media = media;
    Configure(letter, c);
}

void RemoveDrive(char letter) {
    CDriveRegistry(DrivesKey()).Remove(letter);
}

void RemoveAllDrives() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, DrivesKey().c_str());
}

bool DataSectorChecksOut(const uint8_t* s) {
    static const uint8_t sync[12] = {0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    if (memcmp(s, sync, sizeof(sync)) != 0)
        return false;
    if (s[15] == 1)
        return EdcBitwise(s, 2064) == Le32(s + 2064) && ParityChecksOut(s + 12);
    if (s[15] != 2 || (s[18] & 0x20))
        return false;
    // Form 1 parity is computed as if the header were zero.
    std::vector<uint8_t> copy(s, s + 2352);
    memset(copy.data() + 12, 0, 4);
    return EdcBitwise(s + 16, 2056) == Le32(s + 2072) && ParityChecksOut(copy.data() + 12);
}

uint16_t QCrcBitwise(const uint8_t* q, size_t count) {
    uint16_t crc = 0;
    for (size_t i = 0; i < count; ++i)
        for (int bit = 7; bit >= 0; --bit) {
            const bool top = ((crc >> 15) & 1) != (((q[i] >> bit) & 1) != 0);
            crc = static_cast<uint16_t>(crc << 1);
            if (top)
                crc ^= 0x1021;
        }
    return static_cast<uint16_t>(~crc);
}

uint8_t Bcd(int value) {
    return static_cast<uint8_t>((value / 10) << 4 | (value % 10));
}

ProcessResult RunDriveTool(const std::string& arguments) {
    ProcessResult result;
    DrivesKey(); // the child inherits the test's drive key
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    std::string line = "\"" + ExeFolder() + "zl5drive.exe\" " + arguments;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    const BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (started) {
        // Reads until the child ends, not until the pipe closes: a process the child causes
        // to start (Wine's desktop, say) may inherit the pipe and keep it open.
        const DWORD deadline = GetTickCount() + 30000;
        for (bool ended = false; !ended;) {
            ended = WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0;
            DWORD available = 0;
            while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available) {
                char chunk[4096];
                DWORD got = 0;
                if (!ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) || !got)
                    break;
                result.output.append(chunk, got);
            }
            if (!ended && GetTickCount() > deadline) {
                TerminateProcess(pi.hProcess, 99);
                ended = true;
            }
        }
        GetExitCodeProcess(pi.hProcess, &result.exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    std::string clean;
    for (char c : result.output)
        if (c != '\r')
            clean += c;
    result.output = clean;
    return result;
}

} // namespace scsitest
