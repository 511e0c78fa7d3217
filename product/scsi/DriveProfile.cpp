#include "scsi/DriveProfile.h"

#include <cctype>
#include <cstdlib>

namespace {
using namespace DriveCommand;

const struct {
    uint32_t bit;
    const char* word;
} kCommandWords[] = {{kReadFua, "fua"},         {kReadNoFua, "nofua"},
                     {kReadCd, "readcd"},       {kSubChannel, "subchannel"},
                     {kPlextorCdda, "plextor"}, {kNecCdda, "nec"},
                     {kBlock2352, "block2352"}, {kSetSpeed, "speed"},
                     {kModePage, "modepage"},   {kCdMedia, "cd"},
                     {kDvdMedia, "dvd"}};

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + ",") {
        if (c == ',') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            part += c;
        }
    }
    return parts;
}

std::vector<DriveProfile> MakeProfiles() {
    std::vector<DriveProfile> p(5);
    // Reads everything with READ CD, sub-channel included. Speeds come in steps, so the
    // probe misses at m-2 and m-1 and finds the top speed; the speed list holds every step.
    p[0] = {"modern",
            "DVD writer: READ CD with sub-channel, stepped speeds up to 48x",
            "KESTREL",
            "DVD-RW KD-2080",
            "1.07",
            kReadFua | kReadNoFua | kReadCd | kSubChannel | kBlock2352 | kSetSpeed | kModePage |
                kCdMedia | kDvdMedia,
            48,
            {4, 8, 16, 24, 32, 40, 48},
            0};
    // Cooked reads only: raw data and raw audio both end untested-unreadable (method 9), so
    // audio must be recorded through the analog path. Runs at any factor: found at m-2.
    p[1] = {"noraw",   "CD-ROM without raw reading: plain reads with FUA, any speed up to 32x",
            "KESTREL", "CD-ROM KC-3200",
            "2.10",    kReadFua | kReadNoFua | kSetSpeed | kModePage | kCdMedia,
            32,        {},
            0};
    // Knows DVDs only, refuses reads with FUA (the NFUA fallback) and every speed request.
    p[2] = {"dvdonly", "DVD-ROM that does not recognise CDs; no FUA, refuses speed requests",
            "KESTREL", "DVD-ROM KD-16",
            "1.30",    kReadNoFua | kModePage | kDvdMedia,
            125,       {},
            0};
    // No READ CD: raw data through 2352-byte blocks and audio through the Plextor command;
    // it has no capabilities page, so the speed probe stops at once.
    p[3] = {"vendoraudio",
            "CD-ROM with vendor audio commands only (Plextor and NEC), 2352-byte blocks",
            "KESTREL",
            "CD-ROM KP-40TS",
            "1.04",
            kReadFua | kReadNoFua | kBlock2352 | kPlextorCdda | kNecCdda | kSetSpeed | kCdMedia,
            40,
            {},
            0};
    // An old 8x drive: no FUA (NFUA fallback), 2352-byte blocks, NEC audio, speeds 1-8x
    // in steps: found at m-2 with a speed list of 6, 4 and 2.
    p[4] = {
        "oldslow", "Old 8x CD-ROM: no FUA, NEC audio command, 2352-byte blocks, speeds 1/2/4/6/8x",
        "KESTREL", "CD-ROM KN-8X",
        "1.00",    kReadNoFua | kBlock2352 | kNecCdda | kSetSpeed | kModePage | kCdMedia,
        8,         {1, 2, 4, 6, 8},
        0};
    // READ CD without sub-channel; accepts speed requests but always reports 24x, so the
    // probe runs past its limit and gives up.
    DriveProfile nosub = {
        "nosub",   "CD writer: READ CD without sub-channel, reports 24x whatever it is asked",
        "KESTREL", "CD-RW KR-52",
        "3.01",    kReadFua | kReadNoFua | kReadCd | kBlock2352 | kSetSpeed | kModePage | kCdMedia,
        52,        {},
        24};
    p.push_back(nosub);
    return p;
}
} // namespace

uint8_t DriveProfile::SettleSpeed(uint8_t requested) const {
    if (requested == 255 || requested > maxSpeed)
        requested = maxSpeed;
    if (speedSteps.empty())
        return requested ? requested : 1;
    uint8_t chosen = speedSteps.front();
    for (uint8_t step : speedSteps)
        if (step <= requested && step > chosen)
            chosen = step;
    return chosen;
}

const std::vector<DriveProfile>& NamedProfiles() {
    static const std::vector<DriveProfile> profiles = MakeProfiles();
    return profiles;
}

const DriveProfile* FindProfile(const std::string& name) {
    const std::string wanted = Lower(name);
    for (const DriveProfile& p : NamedProfiles())
        if (p.name == wanted)
            return &p;
    return nullptr;
}

bool ParseCommands(const std::string& text, uint32_t& commands) {
    uint32_t result = 0;
    for (const std::string& word : SplitCommas(Lower(text))) {
        bool known = false;
        for (const auto& w : kCommandWords)
            if (word == w.word) {
                result |= w.bit;
                known = true;
            }
        if (!known)
            return false;
    }
    commands = result;
    return true;
}

std::string FormatCommands(uint32_t commands) {
    std::string text;
    for (const auto& w : kCommandWords)
        if (commands & w.bit)
            text += (text.empty() ? "" : ",") + std::string(w.word);
    return text;
}

bool ParseSpeedSteps(const std::string& text, std::vector<uint8_t>& steps) {
    std::vector<uint8_t> result;
    for (const std::string& part : SplitCommas(text)) {
        char* end = nullptr;
        const long v = std::strtol(part.c_str(), &end, 10);
        if (*end || v < 1 || v > 255)
            return false;
        result.push_back(static_cast<uint8_t>(v));
    }
    steps = result;
    return true;
}

std::string FormatSpeedSteps(const std::vector<uint8_t>& steps) {
    std::string text;
    for (uint8_t s : steps)
        text += (text.empty() ? "" : ",") + std::to_string(s);
    return text;
}
