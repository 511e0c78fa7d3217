#pragma once
// Shared by the drive library's tests: where the built files and the sample discs are, a
// private registry key for the drives a test configures, an independent check of whole
// data sectors and a way to run the zl5drive tool.
#include "scsi/DriveConfig.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scsitest {

std::string ExeFolder();
// build/<kind>/samples, two levels above the test executable.
std::string Sample(const std::string& name);
std::vector<uint8_t> FileBytes(const std::string& path, uint64_t offset, size_t count);
uint32_t FileSize(const std::string& path); // the samples are all far below 4 GB

// Drives configured for one test run live below their own key (ZL5_DRIVES_KEY), which is
// removed again at the end; the library, zl5comm and zl5drive all honour it.
const std::string& DrivesKey();
void Configure(char letter, const DriveConfig& config);
void Configure(char letter, const std::string& image, const std::string& profile = "modern",
               MediaHint media = MediaHint::Auto);
void RemoveDrive(char letter);
void RemoveAllDrives();

// EDC and both Reed-Solomon parity codes of a whole Mode 1 or Mode 2 Form 1 sector, checked
// from their definitions rather than with the code that made them.
bool DataSectorChecksOut(const uint8_t* sector);
// CRC-16 CCITT of the Q sub-channel, bit by bit.
uint16_t QCrcBitwise(const uint8_t* q, size_t count);
uint8_t Bcd(int value);

struct ProcessResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output; // standard output and error together
};
// Runs zl5drive.exe from beside the tests with these arguments.
ProcessResult RunDriveTool(const std::string& arguments);

} // namespace scsitest
