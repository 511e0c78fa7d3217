#include "scsi/ScsiTestSupport.h"

#include "scsi/DriveRegistry.h"

namespace scsitest {
std::string Sample(const std::string& name) {
    return ExeFolder() + "..\\..\\samples\\" + name;
}

std::vector<uint8_t> FileBytes(const std::string& path, uint64_t offset, size_t count) {
    std::vector<uint8_t> bytes(count);
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count)))
        bytes.clear();
    return bytes;
}

uint32_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

std::string TempFile(const std::string& name, const std::string& bytes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = temp + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
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
    DrivesKey(); // the child inherits the test's drive key
    return testproc::RunProcess("\"" + ExeFolder() + "zl5drive.exe\" " + arguments);
}

} // namespace scsitest
