#pragma once
// What an emulated drive is: its identification, the commands it accepts, which media it
// reads and how it answers speed requests. Named profiles stand for typical drives; each
// makes the wizard's read tests take a different road.
#include <cstdint>
#include <string>
#include <vector>

namespace DriveCommand {
constexpr uint32_t kReadFua = 1 << 0;     // READ(10) with Force Unit Access
constexpr uint32_t kReadNoFua = 1 << 1;   // READ(10) without it
constexpr uint32_t kReadCd = 1 << 2;      // READ CD, whole 2352-byte sectors
constexpr uint32_t kSubChannel = 1 << 3;  // READ CD with the formatted Q sub-channel
constexpr uint32_t kPlextorCdda = 1 << 4; // Plextor's digital audio read
constexpr uint32_t kNecCdda = 1 << 5;     // NEC's digital audio read
constexpr uint32_t kBlock2352 = 1 << 6;   // MODE SELECT to 2352-byte blocks
constexpr uint32_t kSetSpeed = 1 << 7;    // SET CD SPEED
constexpr uint32_t kModePage = 1 << 8;    // MODE SENSE of the capabilities page 2Ah
constexpr uint32_t kCdMedia = 1 << 9;     // recognises CDs
constexpr uint32_t kDvdMedia = 1 << 10;   // recognises DVDs
} // namespace DriveCommand

struct DriveProfile {
    std::string name;
    std::string description;
    std::string vendor, product, revision; // INQUIRY strings (8, 16 and 4 characters)
    uint32_t commands = 0;
    uint8_t maxSpeed = 0; // read speed factor in the capabilities page
    // Factors the drive can run at; a request settles on the fastest not above it. Empty:
    // any factor up to the maximum.
    std::vector<uint8_t> speedSteps;
    // Nonzero: the speed the drive reports whatever it was asked (CAV drives that report
    // the speed at the inner edge).
    uint8_t reportedSpeed = 0;

    bool Accepts(uint32_t command) const { return (commands & command) == command; }
    // The factor the drive runs at after a request; 255 asks for the fastest.
    uint8_t SettleSpeed(uint8_t requested) const;
};

const std::vector<DriveProfile>& NamedProfiles();
// Null for an unknown name (names compare case-blind).
const DriveProfile* FindProfile(const std::string& name);
constexpr const char* kDefaultProfile = "modern";

// Command sets as text: "fua,nofua,readcd,subchannel,plextor,nec,block2352,speed,modepage,
// cd,dvd". False for an unknown word.
bool ParseCommands(const std::string& text, uint32_t& commands);
std::string FormatCommands(uint32_t commands);
// "4,8,16"; false for anything but factors 1 to 255.
bool ParseSpeedSteps(const std::string& text, std::vector<uint8_t>& steps);
std::string FormatSpeedSteps(const std::vector<uint8_t>& steps);
