#pragma once
// Shared by the drive library's tests: where the sample discs are, a private registry key
// for the drives a test configures, an independent check of whole data sectors and a way
// to run the zl5drive tool.
#include "TestProcess.h"
#include "scsi/DriveConfig.h"
#include "support/SectorCheck.h"

#include <cstdint>
#include <vector>

namespace scsitest {

using testproc::ExeFolder;
using testproc::ProcessResult;

// build/<kind>/samples, two levels above the test executable.
std::string Sample(const std::string& name);
// Empty when the file is shorter.
std::vector<uint8_t> FileBytes(const std::string& path, uint64_t offset, size_t count);
uint32_t FileSize(const std::string& path); // the samples are all far below 4 GB
// Writes a file into the temporary folder; returns its path.
std::string TempFile(const std::string& name, const std::string& bytes);

// Drives configured for one test run live below their own key (ZL5_DRIVES_KEY), which is
// removed again at the end; the library, zl5comm and zl5drive all honour it.
const std::string& DrivesKey();
void Configure(char letter, const DriveConfig& config);
void Configure(char letter, const std::string& image, const std::string& profile = "modern",
               MediaHint media = MediaHint::Auto);
void RemoveDrive(char letter);
void RemoveAllDrives();

using sectorcheck::DataSectorChecksOut;
// CRC-16 CCITT of the Q sub-channel, bit by bit.
uint16_t QCrcBitwise(const uint8_t* q, size_t count);
uint8_t Bcd(int value);

// Runs zl5drive.exe from beside the tests with these arguments.
ProcessResult RunDriveTool(const std::string& arguments);

} // namespace scsitest
