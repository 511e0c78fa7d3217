#pragma once
// An in-memory drive library: drives are scripted per letter. Beyond the disc's table of
// contents and kind, a drive can hold sector contents, accept or refuse each read command,
// fail on sector ranges, report sessions and run at scripted speeds; every read, speed and
// block-size request is logged.
#include "source/DriveLibrary.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

enum class ReadCommand { Normal, NoFua, ReadCd, ReadCdSubChannel, Plextor, Nec };

struct ReadCall {
    ReadCommand command;
    uint32_t first;
    uint16_t count;
    uint32_t size;
};

// The KB/s of a speed factor, as drives report them.
inline uint16_t FactorKBs(int factor) {
    return static_cast<uint16_t>(factor * kKBsPerSpeedFactor);
}

struct FakeDrive {
    bool infoReadable = true, ready = true, opens = true, tocReadable = true;
    _CDROM_TOC toc{};
    uint16_t cdType = 2;
    uint32_t lastSector = 0;
    int opened = 0, closed = 0;
    std::string vendor = "FAKE", product, revision;
    bool sessionsReadable = true;
    SESSIONS_DETAILS sessions{};

    // Commands the drive understands; reads of any sector in `failing` (inclusive ranges)
    // or refused by `refuses` return nothing.
    std::set<ReadCommand> commands = {ReadCommand::Normal,  ReadCommand::NoFua,
                                      ReadCommand::ReadCd,  ReadCommand::ReadCdSubChannel,
                                      ReadCommand::Plextor, ReadCommand::Nec};
    std::vector<std::pair<uint32_t, uint32_t>> failing;
    std::function<bool(ReadCommand, uint32_t sector)> refuses;
    // Bytes of one sector as a command returns it (2048, 2352 or 2368); zeros by default.
    std::function<void(uint32_t sector, uint8_t* out, size_t bytes)> content;
    bool blockSizeAccepted = true;
    int blockSize = 2048; // of the normal reads

    bool capabilitiesReadable = true;
    uint16_t maxReadKBs = 0, currentKBs = 0;
    // KB/s the drive reports running at after a speed factor was requested.
    std::function<uint16_t(int factor)> runsAt = FactorKBs;
    std::set<int> refusedSpeeds;

    std::vector<ReadCall> reads;
    std::vector<int> speedRequests, blockSizeRequests;

    bool Fails(ReadCommand command, uint32_t sector) const {
        for (const auto& r : failing)
            if (sector >= r.first && sector <= r.second)
                return true;
        return refuses && refuses(command, sector);
    }
    size_t ReadCount(ReadCommand command) const {
        return static_cast<size_t>(std::count_if(
            reads.begin(), reads.end(), [&](const ReadCall& c) { return c.command == command; }));
    }
};

// Builds a table of contents from track starts; the last start is the lead-out.
inline _CDROM_TOC MakeToc(const std::vector<std::pair<uint32_t, bool>>& tracks, uint32_t leadOut) {
    _CDROM_TOC toc{};
    toc.FirstTrack = 1;
    toc.LastTrack = static_cast<uint8_t>(tracks.size());
    for (uint8_t n = 0; n <= toc.LastTrack; ++n) {
        TocTrackEntry& e = toc.TrackData[n];
        const bool leadOutEntry = n == toc.LastTrack;
        e.TrackNumber = leadOutEntry ? 0xAA : static_cast<uint8_t>(n + 1);
        if (!leadOutEntry)
            e.ControlAdr = static_cast<uint8_t>(0x10 | (tracks[n].second ? kTocDataTrack : 0));
        SetTocAddress(e, leadOutEntry ? leadOut : tracks[n].first);
    }
    return toc;
}

class CFakeDriveLibrary : public IDriveLibrary {
public:
    std::map<char, FakeDrive> drives; // known drives in letter order
    std::string virtualLetters;

    FakeDrive* Find(char letter) {
        auto it = drives.find(letter);
        return it == drives.end() ? nullptr : &it->second;
    }
    int GetKnownDrives(char* letters, int size) override {
        std::string all;
        for (auto& d : drives)
            all += d.first;
        return Copy(all, letters, size);
    }
    int GetZLXDriveLetters(char* s, int size) override { return Copy(virtualLetters, s, size); }
    int GetDriveInfo(char letter, CAspiCdromInfo* info) override {
        FakeDrive* d = Find(letter);
        if (!d || !d->infoReadable)
            return 0;
        CopyField(d->vendor, info->Vendor);
        CopyField(d->product, info->Product);
        CopyField(d->revision, info->Revision);
        return 1;
    }
    int IsUnitReady(char letter, int) override { return Find(letter) && Find(letter)->ready; }
    int GetToc(char letter, _CDROM_TOC* toc, int) override {
        FakeDrive* d = Find(letter);
        if (d && d->tocReadable)
            *toc = d->toc;
        return d && d->tocReadable;
    }
    int GetTocEC(char letter, _CDROM_TOC* toc, int t) override { return GetToc(letter, toc, t); }
    uint16_t GetCDType(char letter) override { return Find(letter) ? Find(letter)->cdType : 0; }
    uint32_t ReadCapaticity(char letter, uint32_t* last, uint32_t* block, int) override {
        *last = Find(letter) ? Find(letter)->lastSector : 0;
        *block = 2048;
        return *last;
    }
    int OpenDrive(char letter) override {
        FakeDrive* d = Find(letter);
        if (d && d->opens)
            ++d->opened;
        return d && d->opens;
    }
    int CloseDrive(char letter) override {
        if (FakeDrive* d = Find(letter))
            ++d->closed;
        return 1;
    }
    // The record is opaque to callers; the fake keeps the drive letter in it so that the
    // details query, which names no drive, finds its drive again.
    int GetMultiSessionInfo(char letter, MULTISESSION_INFO* info, int) override {
        *info = MULTISESSION_INFO{};
        info->Data[0] = static_cast<uint8_t>(letter);
        return Find(letter) && Find(letter)->sessionsReadable;
    }
    int GetSessionsDetails(MULTISESSION_INFO* info, SESSIONS_DETAILS* details) override {
        FakeDrive* d = Find(static_cast<char>(info->Data[0]));
        if (d && d->sessionsReadable)
            *details = d->sessions;
        return d && d->sessionsReadable;
    }
    uint32_t ReadSectors(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int) override {
        return Read(letter, ReadCommand::Normal, first, count, buffer, size, 0);
    }
    uint32_t ReadSectorsNFUA(char letter, uint32_t first, uint16_t count, void* buffer,
                             uint32_t size, int) override {
        return Read(letter, ReadCommand::NoFua, first, count, buffer, size, 0);
    }
    uint32_t ReadSectorsReadCD(char letter, uint32_t first, uint16_t count, void* buffer,
                               uint32_t size, int mode, int) override {
        return mode == kReadCdMode
                   ? Read(letter, ReadCommand::ReadCd, first, count, buffer, size, 2352)
                   : 0;
    }
    uint32_t ReadSectorsReadCDSCQ(char letter, uint32_t first, uint16_t count, void* buffer,
                                  uint32_t size, int) override {
        return Read(letter, ReadCommand::ReadCdSubChannel, first, count, buffer, size, 2368);
    }
    uint32_t ReadPlxtrCDDA(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                           int) override {
        return Read(letter, ReadCommand::Plextor, first, count, buffer, size, 2352);
    }
    uint32_t ReadNecCDDA(char letter, uint32_t first, uint16_t count, void* buffer, uint32_t size,
                         int) override {
        return Read(letter, ReadCommand::Nec, first, count, buffer, size, 2352);
    }
    int SetReadSize(char letter, int blockSize) override {
        FakeDrive* d = Find(letter);
        if (d)
            d->blockSizeRequests.push_back(blockSize);
        if (!d || !d->blockSizeAccepted)
            return 0;
        d->blockSize = blockSize;
        return 1;
    }
    int SetReadSpeed(char letter, uint8_t factor) override {
        FakeDrive* d = Find(letter);
        if (d)
            d->speedRequests.push_back(factor);
        if (!d || d->refusedSpeeds.count(factor))
            return 0;
        d->currentKBs = factor == 255 ? d->maxReadKBs : d->runsAt(factor);
        return 1;
    }
    int GetCapabilities(char letter, _MODE_CAPABILITIES_PAGE2* page, int) override {
        FakeDrive* d = Find(letter);
        if (!d || !d->capabilitiesReadable)
            return 0;
        *page = _MODE_CAPABILITIES_PAGE2{};
        PutSpeed(*page, kMaxReadSpeedOffset, d->maxReadKBs);
        PutSpeed(*page, kCurrentReadSpeedOffset, d->currentKBs);
        return 1;
    }

private:
    static int Copy(const std::string& text, char* out, int size) {
        std::strncpy(out, text.c_str(), static_cast<size_t>(size));
        out[size - 1] = '\0';
        return static_cast<int>(text.size());
    }
    template <size_t N> static void CopyField(const std::string& text, char (&out)[N]) {
        std::memset(out, 0, N);
        std::memcpy(out, text.data(), std::min(text.size(), N - 1));
    }
    static void PutSpeed(_MODE_CAPABILITIES_PAGE2& page, int offset, uint16_t kbs) {
        page.Bytes[offset] = static_cast<uint8_t>(kbs >> 8);
        page.Bytes[offset + 1] = static_cast<uint8_t>(kbs);
    }
    // Whole sectors or nothing, and only into a buffer large enough for all of them. The
    // normal reads return sectors of the drive's block size (`sectorBytes` 0).
    uint32_t Read(char letter, ReadCommand command, uint32_t first, uint16_t count, void* buffer,
                  uint32_t size, int sectorBytes) {
        FakeDrive* d = Find(letter);
        if (!d)
            return 0;
        const uint32_t one = static_cast<uint32_t>(sectorBytes ? sectorBytes : d->blockSize);
        d->reads.push_back({command, first, count, size});
        if (!d->commands.count(command) || count * one > size || count == 0)
            return 0;
        for (uint32_t s = first; s < first + count; ++s)
            if (d->Fails(command, s))
                return 0;
        for (uint32_t i = 0; i < count; ++i) {
            uint8_t* sector = static_cast<uint8_t*>(buffer) + i * one;
            if (d->content)
                d->content(first + i, sector, one);
            else
                std::memset(sector, 0, one);
        }
        return count * one;
    }
};
