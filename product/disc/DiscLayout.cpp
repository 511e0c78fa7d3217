#include "disc/DiscLayout.h"

#include <algorithm>

namespace {
// A run of sheet frames belonging to one index of one track, as stored in one file.
struct Segment {
    size_t track = 0;
    int index = 0;
    int file = 0;
    uint64_t byteOffset = 0;
    int64_t frames = 0;
};

SectorKind KindOf(CueTrackMode mode) {
    switch (mode) {
    case CueTrackMode::Audio:
        return SectorKind::Audio;
    case CueTrackMode::Mode2_2352:
        return SectorKind::Mode2;
    default:
        return SectorKind::Mode1;
    }
}

// Frame counts in a sheet are in sectors of the track they belong to, so a file that mixes
// 2048- and 2352-byte tracks is walked track by track to find byte offsets.
bool BuildSegments(const CueSheet& sheet, const std::vector<uint64_t>& fileSizes,
                   std::vector<Segment>& segments, std::string& error) {
    struct Point {
        size_t track;
        CueIndex index;
    };
    std::vector<Point> points;
    for (size_t t = 0; t < sheet.tracks.size(); ++t)
        for (const CueIndex& i : sheet.tracks[t].indexes)
            points.push_back({t, i});
    uint64_t byteStart = 0;
    for (size_t k = 0; k < points.size(); ++k) {
        const Point& p = points[k];
        const uint64_t size = CueSectorSize(sheet.tracks[p.track].mode);
        if (p.index.file < 0 || static_cast<size_t>(p.index.file) >= fileSizes.size()) {
            error = "index without a file";
            return false;
        }
        if (k == 0 || points[k - 1].index.file != p.index.file)
            byteStart = static_cast<uint64_t>(p.index.frames) * size;
        const uint64_t fileSize = fileSizes[static_cast<size_t>(p.index.file)];
        Segment s;
        s.track = p.track;
        s.index = p.index.number;
        s.file = p.index.file;
        s.byteOffset = byteStart;
        const bool lastInFile = k + 1 == points.size() || points[k + 1].index.file != p.index.file;
        if (lastInFile) {
            // A partial sector at the end of a file is not part of the disc.
            s.frames =
                byteStart > fileSize ? -1 : static_cast<int64_t>((fileSize - byteStart) / size);
        } else {
            s.frames = points[k + 1].index.frames - p.index.frames;
        }
        if (s.frames < 0 || s.byteOffset + static_cast<uint64_t>(s.frames) * size > fileSize) {
            error = "track " + std::to_string(sheet.tracks[p.track].number) +
                    " reaches past the end of its file";
            return false;
        }
        segments.push_back(s);
        byteStart += static_cast<uint64_t>(s.frames) * size;
    }
    return true;
}

Extent SyntheticExtent(int64_t first, int64_t count, SectorKind kind) {
    Extent e;
    e.firstLba = first;
    e.count = count;
    e.kind = kind;
    return e;
}
} // namespace

const LayoutTrack* CDiscLayout::TrackAt(int64_t lba) const {
    for (const LayoutTrack& t : tracks)
        if (lba >= t.pregapLba && lba < t.endLba)
            return &t;
    return nullptr;
}

const Extent* CDiscLayout::ExtentAt(int64_t lba) const {
    auto it = std::upper_bound(extents.begin(), extents.end(), lba,
                               [](int64_t a, const Extent& e) { return a < e.firstLba; });
    if (it == extents.begin())
        return nullptr;
    --it;
    return lba < it->firstLba + it->count ? &*it : nullptr;
}

int CDiscLayout::IndexAt(const LayoutTrack& track, int64_t lba) const {
    if (lba < track.startLba)
        return 0;
    int index = 1;
    for (size_t i = 2; i < track.indexLbas.size(); ++i)
        if (lba >= track.indexLbas[i])
            index = static_cast<int>(i);
    return index;
}

bool BuildCueLayout(const CueSheet& sheet, const std::vector<uint64_t>& fileSizes,
                    CDiscLayout& layout, std::string& error) {
    layout = CDiscLayout();
    std::vector<Segment> segments;
    if (!BuildSegments(sheet, fileSizes, segments, error))
        return false;
    int64_t pos = 0;
    size_t next = 0;
    for (size_t ti = 0; ti < sheet.tracks.size(); ++ti) {
        const CueTrack& ct = sheet.tracks[ti];
        const SectorKind kind = KindOf(ct.mode);
        const Storage storage =
            ct.mode == CueTrackMode::Mode1_2048 ? Storage::Cooked2048 : Storage::Raw2352;
        int64_t indexZero = 0;
        for (size_t k = next; k < segments.size() && segments[k].track == ti; ++k)
            if (segments[k].index == 0)
                indexZero = segments[k].frames;
        const int64_t lead = static_cast<int64_t>(ct.pregap) + indexZero;
        if (ti == 0) {
            pos = -lead; // track 1's index 01 is address 0, whatever comes before it
        } else if (ct.session != sheet.tracks[ti - 1].session) {
            layout.sessions.back().leadoutLba = pos;
            pos = pos + kSessionGap - lead;
        }
        if (layout.sessions.empty() || layout.sessions.back().number != ct.session) {
            LayoutSession s;
            s.number = ct.session;
            s.firstTrack = s.lastTrack = ct.number;
            layout.sessions.push_back(s);
        }
        LayoutTrack t;
        t.number = ct.number;
        t.session = ct.session;
        t.kind = kind;
        t.control = static_cast<uint8_t>((CueIsData(ct.mode) ? 4 : 0) | ct.flags);
        t.pregapLba = pos;
        t.indexLbas.assign(ct.indexes.back().number + 1, pos);
        if (ct.pregap) {
            layout.extents.push_back(SyntheticExtent(pos, ct.pregap, kind));
            pos += ct.pregap;
        }
        for (; next < segments.size() && segments[next].track == ti; ++next) {
            const Segment& s = segments[next];
            if (s.index > 0)
                t.indexLbas[static_cast<size_t>(s.index)] = pos;
            if (s.frames > 0) {
                Extent e;
                e.firstLba = pos;
                e.count = s.frames;
                e.file = s.file;
                e.byteOffset = s.byteOffset;
                e.storage = storage;
                e.kind = kind;
                layout.extents.push_back(e);
            }
            pos += s.frames;
        }
        t.startLba = t.indexLbas[1];
        if (!ct.pregap && indexZero == 0)
            t.indexLbas[0] = t.startLba;
        if (pos <= t.startLba) {
            error = "track " + std::to_string(ct.number) + " holds no sector";
            return false;
        }
        if (ct.postgap) {
            layout.extents.push_back(SyntheticExtent(pos, ct.postgap, kind));
            pos += ct.postgap;
        }
        t.endLba = pos;
        layout.tracks.push_back(t);
        layout.sessions.back().lastTrack = ct.number;
        if (layout.sessions.back().firstTrack == ct.number)
            layout.sessions.back().firstLba = t.startLba;
    }
    layout.sessions.back().leadoutLba = pos;
    return true;
}

CDiscLayout BuildIsoLayout(int64_t sectors, bool dvd) {
    CDiscLayout layout;
    layout.dvd = dvd;
    LayoutTrack t;
    t.endLba = sectors;
    t.indexLbas = {0, 0};
    layout.tracks.push_back(t);
    LayoutSession s;
    s.leadoutLba = sectors;
    layout.sessions.push_back(s);
    Extent e;
    e.count = sectors;
    e.file = 0;
    e.storage = Storage::Cooked2048;
    layout.extents.push_back(e);
    return layout;
}
