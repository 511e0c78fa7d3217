#include "scsi/DriveConfig.h"

#include <cctype>
#include <cstdlib>

namespace {
const char* const kOverrideNames[] = {"vendor",   "product",    "revision",     "commands",
                                      "maxspeed", "speedsteps", "reportedspeed"};

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool ParseUnsigned(const std::string& text, uint32_t& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 10);
    if (*end || text[0] == '-')
        return false;
    value = static_cast<uint32_t>(v);
    return true;
}

bool ParseFlag(const std::string& text, bool& flag) {
    uint32_t v = 0;
    if (!ParseUnsigned(text, v) || v > 1)
        return false;
    flag = v == 1;
    return true;
}

bool IsOverride(const std::string& name) {
    for (const char* n : kOverrideNames)
        if (name == n)
            return true;
    return false;
}

bool ParseFactor(const std::string& text, uint8_t& factor) {
    uint32_t v = 0;
    if (!ParseUnsigned(text, v) || v > 255)
        return false;
    factor = static_cast<uint8_t>(v);
    return true;
}

bool ValidOverride(const std::string& name, const std::string& value) {
    uint32_t commands = 0;
    uint8_t factor = 0;
    std::vector<uint8_t> steps;
    if (name == "commands")
        return ParseCommands(value, commands);
    if (name == "maxspeed" || name == "reportedspeed")
        return ParseFactor(value, factor);
    if (name == "speedsteps")
        return ParseSpeedSteps(value, steps);
    return true;
}
} // namespace

bool DriveConfig::operator==(const DriveConfig& o) const {
    return FormatDriveConfig(*this) == FormatDriveConfig(o);
}

bool ParseSectorRanges(const std::string& text, std::vector<SectorRange>& ranges) {
    std::vector<SectorRange> result;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        std::string part;
        for (char c : text.substr(start, end - start))
            if (!std::isspace(static_cast<unsigned char>(c)))
                part += c;
        if (!part.empty()) {
            const size_t dash = part.find('-');
            SectorRange r;
            if (!ParseUnsigned(part.substr(0, dash), r.first))
                return false;
            r.last = r.first;
            if (dash != std::string::npos && !ParseUnsigned(part.substr(dash + 1), r.last))
                return false;
            if (r.last < r.first)
                return false;
            result.push_back(r);
        }
        start = end + 1;
    }
    ranges = result;
    return true;
}

std::string FormatSectorRanges(const std::vector<SectorRange>& ranges) {
    std::string text;
    for (const SectorRange& r : ranges) {
        text += text.empty() ? "" : ",";
        text += std::to_string(r.first);
        if (r.last != r.first)
            text += "-" + std::to_string(r.last);
    }
    return text;
}

std::string MediaHintName(MediaHint hint) {
    return hint == MediaHint::Cd ? "cd" : hint == MediaHint::Dvd ? "dvd" : "auto";
}

bool ParseMediaHint(const std::string& text, MediaHint& hint) {
    const std::string t = Lower(text);
    if (t == "auto" || t.empty())
        hint = MediaHint::Auto;
    else if (t == "cd")
        hint = MediaHint::Cd;
    else if (t == "dvd")
        hint = MediaHint::Dvd;
    else
        return false;
    return true;
}

bool ParseDriveConfig(const ConfigValues& values, DriveConfig& config, std::string& error) {
    DriveConfig c;
    for (const auto& v : values) {
        const std::string name = Lower(v.first);
        bool ok = true;
        if (name == "image")
            c.image = v.second;
        else if (name == "media")
            ok = ParseMediaHint(v.second, c.media);
        else if (name == "profile")
            c.profile = Lower(v.second);
        else if (name == "virtual")
            ok = ParseFlag(v.second, c.isVirtual);
        else if (name == "analog")
            ok = ParseFlag(v.second, c.analog);
        else if (name == "badsectors")
            ok = ParseSectorRanges(v.second, c.badSectors);
        else if (name == "changes")
            ok = ParseUnsigned(v.second, c.changes);
        else if (IsOverride(name) && (ok = ValidOverride(name, v.second)))
            c.overrides[name] = v.second;
        if (!ok) {
            error = "bad value " + v.first + "=" + v.second;
            return false;
        }
    }
    if (c.profile.empty())
        c.profile = kDefaultProfile;
    config = c;
    return true;
}

ConfigValues FormatDriveConfig(const DriveConfig& config) {
    ConfigValues values = config.overrides;
    values["profile"] = config.profile;
    values["virtual"] = config.isVirtual ? "1" : "0";
    values["analog"] = config.analog ? "1" : "0";
    values["changes"] = std::to_string(config.changes);
    if (!config.image.empty()) {
        values["image"] = config.image;
        values["media"] = MediaHintName(config.media);
    }
    if (!config.badSectors.empty())
        values["badsectors"] = FormatSectorRanges(config.badSectors);
    return values;
}

DriveProfile EffectiveProfile(const DriveConfig& config) {
    const DriveProfile* named = FindProfile(config.profile);
    DriveProfile p = named ? *named : *FindProfile(kDefaultProfile);
    for (const auto& o : config.overrides) {
        if (o.first == "vendor")
            p.vendor = o.second;
        else if (o.first == "product")
            p.product = o.second;
        else if (o.first == "revision")
            p.revision = o.second;
        else if (o.first == "commands")
            ParseCommands(o.second, p.commands);
        else if (o.first == "maxspeed")
            ParseFactor(o.second, p.maxSpeed);
        else if (o.first == "speedsteps")
            ParseSpeedSteps(o.second, p.speedSteps);
        else if (o.first == "reportedspeed")
            ParseFactor(o.second, p.reportedSpeed);
    }
    return p;
}
