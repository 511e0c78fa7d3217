#pragma once
// An in-memory drive library: drives are scripted per letter.
#include "source/DriveLibrary.h"

#include <cstring>
#include <map>
#include <string>

struct FakeDrive {
    bool infoReadable = true;
    bool ready = true;
    bool opens = true;
    bool tocReadable = true;
    _CDROM_TOC toc{};
    uint16_t cdType = 2;
    uint32_t lastSector = 0;
    int opened = 0;
    int closed = 0;
};

// Builds a table of contents from track starts; the last start is the lead-out.
inline _CDROM_TOC MakeToc(std::initializer_list<std::pair<uint32_t, bool>> tracks, uint32_t leadOut) {
    _CDROM_TOC toc{};
    toc.FirstTrack = 1;
    uint8_t n = 0;
    for (const auto& t : tracks) {
        TocTrackEntry& e = toc.TrackData[n];
        e.TrackNumber = static_cast<uint8_t>(n + 1);
        e.ControlAdr = static_cast<uint8_t>(0x10 | (t.second ? kTocDataTrack : 0));
        SetTocAddress(e, t.first);
        ++n;
    }
    toc.LastTrack = n;
    toc.TrackData[n].TrackNumber = 0xAA;
    SetTocAddress(toc.TrackData[n], leadOut);
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
    int GetZLXDriveLetters(char* letters, int size) override { return Copy(virtualLetters, letters, size); }
    int GetDriveInfo(char letter, CAspiCdromInfo* info) override {
        FakeDrive* d = Find(letter);
        if (!d || !d->infoReadable)
            return 0;
        std::strcpy(info->Vendor, "FAKE");
        return 1;
    }
    int IsUnitReady(char letter, int) override {
        FakeDrive* d = Find(letter);
        return d && d->ready;
    }
    int GetToc(char letter, _CDROM_TOC* toc, int) override {
        FakeDrive* d = Find(letter);
        if (!d || !d->tocReadable)
            return 0;
        *toc = d->toc;
        return 1;
    }
    int GetTocEC(char letter, _CDROM_TOC* toc, int timeout) override { return GetToc(letter, toc, timeout); }
    uint16_t GetCDType(char letter) override {
        FakeDrive* d = Find(letter);
        return d ? d->cdType : 0;
    }
    uint32_t ReadCapaticity(char letter, uint32_t* last, uint32_t* block, int) override {
        FakeDrive* d = Find(letter);
        *last = d ? d->lastSector : 0;
        *block = 2048;
        return *last;
    }
    int OpenDrive(char letter) override {
        FakeDrive* d = Find(letter);
        if (!d || !d->opens)
            return 0;
        ++d->opened;
        return 1;
    }
    int CloseDrive(char letter) override {
        if (FakeDrive* d = Find(letter))
            ++d->closed;
        return 1;
    }
    int GetMultiSessionInfo(char, MULTISESSION_INFO*, int) override { return 0; }
    int GetSessionsDetails(MULTISESSION_INFO*, SESSIONS_DETAILS*) override { return 0; }
    uint32_t ReadSectors(char, uint32_t, uint16_t, void*, uint32_t, int) override { return 0; }
    uint32_t ReadSectorsNFUA(char, uint32_t, uint16_t, void*, uint32_t, int) override { return 0; }
    uint32_t ReadSectorsReadCD(char, uint32_t, uint16_t, void*, uint32_t, int, int) override { return 0; }
    uint32_t ReadSectorsReadCDSCQ(char, uint32_t, uint16_t, void*, uint32_t, int) override { return 0; }
    uint32_t ReadPlxtrCDDA(char, uint32_t, uint16_t, void*, uint32_t, int) override { return 0; }
    uint32_t ReadNecCDDA(char, uint32_t, uint16_t, void*, uint32_t, int) override { return 0; }
    int SetReadSize(char, int) override { return 0; }
    int SetReadSpeed(char, uint8_t) override { return 0; }
    int GetCapabilities(char, _MODE_CAPABILITIES_PAGE2*, int) override { return 0; }

private:
    static int Copy(const std::string& text, char* out, int size) {
        std::strncpy(out, text.c_str(), static_cast<size_t>(size));
        out[size - 1] = '\0';
        return static_cast<int>(text.size());
    }
};
