#include "disc/DiscRecords.h"

#include <cstring>

namespace {
constexpr size_t kTableOffset = 12;
const char kMagic[4] = {'Z', 'L', 'M', 'S'};
constexpr size_t kEntrySize = 11;
constexpr size_t kMaxSessions = 99;

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint8_t ControlAdr(uint8_t control) {
    return static_cast<uint8_t>(1 << 4 | (control & 0x0F)); // ADR 1 in the high nibble
}

SessionDetail Detail(const LayoutSession& s) {
    SessionDetail d;
    d.Session = static_cast<uint8_t>(s.number);
    d.FirstTrack = static_cast<uint8_t>(s.firstTrack);
    d.LastTrack = static_cast<uint8_t>(s.lastTrack);
    d.FirstSector = static_cast<uint32_t>(s.firstLba);
    d.LastSector = static_cast<uint32_t>(s.leadoutLba - 1);
    return d;
}
} // namespace

void BuildToc(const CDiscLayout& layout, _CDROM_TOC& toc) {
    memset(&toc, 0, sizeof(toc));
    const size_t count = layout.tracks.size() < 99 ? layout.tracks.size() : 99;
    if (!count)
        return;
    const size_t length = 2 + 8 * (count + 1); // the length field does not count itself
    toc.Length[0] = static_cast<uint8_t>(length >> 8);
    toc.Length[1] = static_cast<uint8_t>(length);
    toc.FirstTrack = static_cast<uint8_t>(layout.tracks.front().number);
    toc.LastTrack = static_cast<uint8_t>(layout.tracks[count - 1].number);
    for (size_t i = 0; i < count; ++i) {
        const LayoutTrack& t = layout.tracks[i];
        toc.TrackData[i].ControlAdr = ControlAdr(t.control);
        toc.TrackData[i].TrackNumber = static_cast<uint8_t>(t.number);
        SetTocAddress(toc.TrackData[i], static_cast<uint32_t>(t.startLba));
    }
    TocTrackEntry& leadOut = toc.TrackData[count];
    leadOut.ControlAdr = ControlAdr(layout.tracks[count - 1].control);
    leadOut.TrackNumber = 0xAA;
    SetTocAddress(leadOut, static_cast<uint32_t>(layout.LeadOut()));
}

void BuildSessionDetails(const CDiscLayout& layout, SESSIONS_DETAILS& details) {
    memset(&details, 0, sizeof(details));
    for (const LayoutSession& s : layout.sessions) {
        if (details.Count >= kMaxSessions)
            break;
        details.Sessions[details.Count++] = Detail(s);
    }
}

void BuildMultiSessionInfo(const CDiscLayout& layout, MULTISESSION_INFO& info) {
    memset(&info, 0, sizeof(info));
    if (layout.sessions.empty())
        return;
    uint8_t* d = info.Data;
    const LayoutSession& last = layout.sessions.back();
    d[1] = 10;
    d[2] = static_cast<uint8_t>(layout.sessions.front().number);
    d[3] = static_cast<uint8_t>(last.number);
    for (const LayoutTrack& t : layout.tracks)
        if (t.number == last.firstTrack)
            d[5] = ControlAdr(t.control);
    d[6] = static_cast<uint8_t>(last.firstTrack);
    for (int i = 0; i < 4; ++i)
        d[8 + i] = static_cast<uint8_t>(static_cast<uint32_t>(last.firstLba) >> (24 - 8 * i));
    memcpy(d + kTableOffset, kMagic, sizeof(kMagic));
    size_t count = 0;
    for (const LayoutSession& s : layout.sessions) {
        if (count >= kMaxSessions)
            break;
        const SessionDetail detail = Detail(s);
        uint8_t* e = d + kTableOffset + 5 + kEntrySize * count++;
        e[0] = detail.Session;
        e[1] = detail.FirstTrack;
        e[2] = detail.LastTrack;
        PutLe32(e + 3, detail.FirstSector);
        PutLe32(e + 7, detail.LastSector);
    }
    d[kTableOffset + 4] = static_cast<uint8_t>(count);
}

bool SessionDetailsFromInfo(const MULTISESSION_INFO& info, SESSIONS_DETAILS& details) {
    const uint8_t* d = info.Data;
    const size_t count = d[kTableOffset + 4];
    if (memcmp(d + kTableOffset, kMagic, sizeof(kMagic)) || count == 0 || count > kMaxSessions)
        return false;
    memset(&details, 0, sizeof(details));
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = d + kTableOffset + 5 + kEntrySize * i;
        SessionDetail& out = details.Sessions[i];
        out.Session = e[0];
        out.FirstTrack = e[1];
        out.LastTrack = e[2];
        out.FirstSector = GetLe32(e + 3);
        out.LastSector = GetLe32(e + 7);
    }
    details.Count = static_cast<uint8_t>(count);
    return true;
}
