#include "image/Zl4Extract.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace zl4 {
namespace {
const char* MethodName(uint8_t type, uint8_t level) {
    static char text[32];
    if (type == kMethodBlockCoder)
        return "block coder (type 1)";
    if (type == kMethodZlib) {
        snprintf(text, sizeof(text), "zlib level %u (type 2)", level);
        return text;
    }
    return "none (type 0)";
}

const char* KindName(uint8_t kind) {
    return kind == kTrackData ? "data" : kind == kTrackAudio ? "audio" : "audio, sound file";
}

std::string FileName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool Put(std::FILE* f, const void* data, size_t size) {
    return std::fwrite(data, 1, size, f) == size;
}

bool CloseOk(File& f) {
    return std::fclose(f.release()) == 0;
}

// Sectors [first, first + count) of the image appended to `out` (data part only, or the
// user data of raw data sectors when `userData` is set).
bool CopySectors(Reader& reader, uint32_t first, uint32_t count, std::FILE* out, std::FILE* sub,
                 bool userData, std::string& error) {
    const uint32_t size = reader.GetHeader().props.sectorSize;
    std::vector<uint8_t> data(size);
    uint8_t q[kSubchannelSize] = {};
    for (uint32_t n = first; n < first + count; ++n) {
        if (!reader.ReadSector(n, data.data(), q, error))
            return false;
        const uint8_t* from = data.data();
        size_t bytes = size;
        if (userData && size == 2352) {
            from += data[15] == 2 ? 24 : 16; // Mode 2 Form 1 has an 8-byte sub-header
            bytes = 2048;
        }
        if (!Put(out, from, bytes) || (sub && !Put(sub, q, sizeof(q)))) {
            error = "cannot write the extracted sectors (is the disk full?)";
            return false;
        }
    }
    return true;
}
} // namespace

std::string CueTime(uint32_t sectors) {
    char text[16];
    snprintf(text, sizeof(text), "%02u:%02u:%02u", sectors / 75 / 60, sectors / 75 % 60,
             sectors % 75);
    return text;
}

std::vector<uint8_t> CdWavHeader(uint32_t dataBytes) {
    std::vector<uint8_t> h(44, 0);
    memcpy(&h[0], "RIFF", 4);
    Put32(&h[4], 36 + dataBytes);
    memcpy(&h[8], "WAVEfmt ", 8);
    Put32(&h[16], 16);
    Put16(&h[20], 1);      // PCM
    Put16(&h[22], 2);      // channels
    Put32(&h[24], 44100);  // samples per second
    Put32(&h[28], 176400); // bytes per second
    Put16(&h[32], 4);      // block alignment
    Put16(&h[34], 16);     // bits per sample
    memcpy(&h[36], "data", 4);
    Put32(&h[40], dataBytes);
    return h;
}

std::string InfoText(const Reader& reader, uint64_t fileSize) {
    const Properties& p = reader.GetHeader().props;
    const Layout& l = reader.GetHeader().layout;
    std::string s;
    char line[512];
    auto add = [&](const char* name, const std::string& value) {
        s += name;
        s += value;
        s += "\n";
    };
    add("Format version: ", std::to_string(l.versionMajor) + "." + std::to_string(l.versionMinor));
    add("Label: ", p.label);
    add("Description: ", p.description);
    add("Comment: ", p.comment);
    add("Artist: ", p.artist);
    add("Album: ", p.album);
    add("Autostart: ", p.startProgram + (p.startPath.empty() ? "" : " in " + p.startPath));
    snprintf(line, sizeof(line), "%u, modifiers %u", p.hotkeyVirtualKey, p.hotkeyModifiers);
    add("Hot key: ", line);
    add("Insertion drive: ", p.autoInsertDrive);
    add("Password: ",
        p.password.algorithm == kPasswordPbkdf2Sha256
            ? "set (PBKDF2-HMAC-SHA256, " + std::to_string(p.password.iterations) + " iterations)"
            : std::string("none"));
    snprintf(line, sizeof(line), "%u, sector type %u", p.discType, p.sectorType);
    add("Disc type: ", line);
    add("Sector size: ",
        std::to_string(p.sectorSize) + (p.subchannel ? " with 16 bytes of Q sub-channel" : ""));
    add("Compression: ", MethodName(p.compressionType, p.compressionLevel));
    snprintf(line, sizeof(line), "%u sectors in %u blocks", l.sectorCount, l.blockCount);
    add("Sectors: ", line);
    const uint64_t plain = uint64_t(l.sectorCount) * StoredSectorSize(p);
    snprintf(line, sizeof(line), "%llu bytes (sector data %llu bytes, %.1f %% of it)",
             static_cast<unsigned long long>(fileSize), static_cast<unsigned long long>(plain),
             plain ? 100.0 * double(l.discOffset - kHeaderSize) / double(plain) : 0.0);
    add("Image size: ", line);
    s += "Tracks: " + std::to_string(reader.Tracks().size()) + "\n";
    for (const Track& t : reader.Tracks()) {
        if (t.kind == kTrackSoundFile)
            snprintf(line, sizeof(line), "  %02u %-17s disc %u, %u sectors, file %s", t.number,
                     KindName(t.kind), t.discFirstSector, t.sectorCount, t.soundFile.c_str());
        else
            snprintf(line, sizeof(line), "  %02u %-17s disc %u, %u sectors, image sector %u",
                     t.number, KindName(t.kind), t.discFirstSector, t.sectorCount, t.firstStored);
        s += line;
        s += t.title.empty() ? "" : " \"" + t.title + "\"";
        s += "\n";
    }
    s += "Unreadable ranges: " + std::to_string(reader.Unreadable().size()) + "\n";
    for (const Range& r : reader.Unreadable())
        s += "  " + std::to_string(r.first) + " +" + std::to_string(r.count) + "\n";
    return s;
}

bool ExtractBinCue(Reader& reader, const std::string& basePath, std::vector<std::string>& written,
                   std::string& error) {
    const Properties& p = reader.GetHeader().props;
    const std::string binPath = basePath + ".bin";
    File bin(std::fopen(binPath.c_str(), "wb"));
    File sub(p.subchannel ? std::fopen((basePath + ".sub").c_str(), "wb") : nullptr);
    if (!bin || (p.subchannel && !sub)) {
        error = "cannot create " + binPath;
        return false;
    }
    written.push_back(binPath);
    if (p.subchannel)
        written.push_back(basePath + ".sub");
    std::string cue = "FILE \"" + FileName(binPath) + "\" BINARY\n";
    const char* dataMode = p.sectorSize == 2352 ? "MODE1/2352" : "MODE1/2048";
    uint32_t position = 0;
    for (const Track& t : reader.Tracks()) {
        if (t.kind == kTrackSoundFile)
            continue;
        if (!CopySectors(reader, t.firstStored, t.sectorCount, bin.get(), sub.get(), false, error))
            return false;
        char line[64];
        snprintf(line, sizeof(line), "  TRACK %02u %s\n", t.number,
                 t.kind == kTrackAudio ? "AUDIO" : dataMode);
        cue += line;
        cue += "    INDEX 01 " + CueTime(position) + "\n";
        position += t.sectorCount;
    }
    if (!CloseOk(bin) || (sub && !CloseOk(sub))) {
        error = "cannot write " + binPath + " (is the disk full?)";
        return false;
    }
    const std::string cuePath = basePath + ".cue";
    File cueFile(std::fopen(cuePath.c_str(), "wb"));
    if (!cueFile || !Put(cueFile.get(), cue.data(), cue.size()) || !CloseOk(cueFile)) {
        error = "cannot write " + cuePath;
        return false;
    }
    written.push_back(cuePath);
    return true;
}

bool ExtractIso(Reader& reader, const std::string& path, std::string& error) {
    for (const Track& t : reader.Tracks()) {
        if (t.kind != kTrackData)
            continue;
        File iso(std::fopen(path.c_str(), "wb"));
        if (!iso) {
            error = "cannot create " + path;
            return false;
        }
        if (!CopySectors(reader, t.firstStored, t.sectorCount, iso.get(), nullptr, true, error))
            return false;
        if (!CloseOk(iso)) {
            error = "cannot write " + path + " (is the disk full?)";
            return false;
        }
        return true;
    }
    error = "the image holds no data track";
    return false;
}

bool ExtractWavs(Reader& reader, const std::string& basePath, std::vector<std::string>& written,
                 std::string& error) {
    if (reader.GetHeader().props.sectorSize != 2352)
        return true; // audio is only ever stored raw
    for (const Track& t : reader.Tracks()) {
        if (t.kind != kTrackAudio)
            continue;
        char suffix[16];
        snprintf(suffix, sizeof(suffix), "_track%02u.wav", t.number);
        const std::string path = basePath + suffix;
        File wav(std::fopen(path.c_str(), "wb"));
        const std::vector<uint8_t> header = CdWavHeader(t.sectorCount * 2352u);
        if (!wav || !Put(wav.get(), header.data(), header.size())) {
            error = "cannot create " + path;
            return false;
        }
        written.push_back(path);
        if (!CopySectors(reader, t.firstStored, t.sectorCount, wav.get(), nullptr, false, error))
            return false;
        if (!CloseOk(wav)) {
            error = "cannot write " + path + " (is the disk full?)";
            return false;
        }
    }
    return true;
}

} // namespace zl4
