#include "writer/Compilation.h"

#include "source/DriveTypes.h"
#include "writer/ImageBuild.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
std::string Text(const std::map<std::string, std::string>& texts, const std::string& name) {
    auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
}

// A decimal number, or -1 when the text is empty or not a number.
int Decimal(const std::string& text) {
    if (text.empty())
        return -1;
    char* end = nullptr;
    const long v = strtol(text.c_str(), &end, 10);
    return *end == '\0' && v >= 0 && v <= 9999 ? static_cast<int>(v) : -1;
}

std::string DiscName(const SourceDisc& disc) {
    return disc.id.empty() ? std::string(1, disc.drive) + ":" : "\"" + disc.id + "\"";
}

_CDROM_TOC TocOf(const std::vector<uint8_t>& bytes) {
    _CDROM_TOC toc{};
    memcpy(&toc, bytes.data(), sizeof(toc));
    return toc;
}
} // namespace

bool IsCompilation(const std::map<std::string, std::string>& texts) {
    const std::string mode = Text(texts, "ZLXBuildEditor");
    return mode == "2" || mode == "3" || !Text(texts, "CDE1_Drive").empty();
}

bool ParseCompilation(const std::map<std::string, std::string>& texts,
                      std::vector<SourceDisc>& sources, std::string& error) {
    sources.clear();
    size_t tracks = 0;
    for (int i = 1; i <= 99; ++i) {
        const std::string prefix = "CDE" + std::to_string(i) + "_";
        const std::string drive = Text(texts, prefix + "Drive");
        if (drive.empty())
            break;
        SourceDisc disc;
        disc.drive = drive[0];
        disc.id = Text(texts, prefix + "ID");
        const std::string toc = Text(texts, prefix + "TOC");
        if (toc.size() == sizeof(_CDROM_TOC))
            disc.toc.assign(toc.begin(), toc.end());
        else if (!toc.empty()) {
            error = "The compilation's table of contents for " + DiscName(disc) +
                    " is damaged; no image was made.";
            return false;
        }
        const std::string order = Text(texts, prefix + "TrackOrder");
        for (size_t k = 0; k < order.size(); k += 2) {
            const int track = k + 1 < order.size() ? Decimal(order.substr(k, 2)) : -1;
            if (track < 1 || track > 99) {
                error = "The compilation's track order for " + DiscName(disc) + " (" + order +
                        ") is not a list of two-digit track numbers.";
                return false;
            }
            disc.order.push_back(track);
        }
        for (int track : disc.order) {
            auto title = texts.find(prefix + "TrackName" + std::to_string(track));
            if (title != texts.end() && !title->second.empty())
                disc.titles[track] = title->second;
        }
        tracks += disc.order.size();
        sources.push_back(std::move(disc));
    }
    if (tracks == 0) {
        error = "The compilation names no tracks; no image was made.";
        return false;
    }
    if (tracks > 99) {
        error = "The compilation holds more than 99 tracks; no image was made.";
        return false;
    }
    // The editor counts the tracks it put together; a different count means the hand-over
    // is a mix of two compilations.
    const int expected = Decimal(Text(texts, "ZlxBuildEditorNoT"));
    if (expected >= 0 && size_t(expected) != tracks) {
        error = "The compilation should hold " + std::to_string(expected) +
                " tracks but its source discs give " + std::to_string(tracks) +
                "; no image was made.";
        return false;
    }
    return true;
}

bool SameDisc(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != sizeof(_CDROM_TOC) || b.size() != sizeof(_CDROM_TOC))
        return false;
    const _CDROM_TOC x = TocOf(a), y = TocOf(b);
    if (x.FirstTrack != y.FirstTrack || x.LastTrack != y.LastTrack || x.LastTrack > 99 ||
        x.FirstTrack > x.LastTrack)
        return false;
    const int entries = x.LastTrack - x.FirstTrack + 2; // the lead-out included
    for (int i = 0; i < entries; ++i) {
        const TocTrackEntry &e = x.TrackData[i], &f = y.TrackData[i];
        if (e.TrackNumber != f.TrackNumber || TocControl(e) != TocControl(f) ||
            TocAddress(e) != TocAddress(f))
            return false;
    }
    return true;
}

bool PlanCompilation(const BuildJob& job, const std::vector<std::vector<uint8_t>>& driveTocs,
                     std::vector<PlannedTrack>& plan, std::string& error) {
    plan.clear();
    uint32_t next = 0;
    for (size_t i = 0; i < job.sources.size(); ++i) {
        const SourceDisc& disc = job.sources[i];
        if (i >= driveTocs.size() || driveTocs[i].size() != sizeof(_CDROM_TOC)) {
            error = std::string("The table of contents of the disc in drive ") + disc.drive +
                    ": cannot be read; no image was made.";
            return false;
        }
        if (!disc.toc.empty() && !SameDisc(disc.toc, driveTocs[i])) {
            error = std::string("Drive ") + disc.drive + ": holds a different disc than " +
                    DiscName(disc) +
                    ", which the compilation was put together from; no image "
                    "was made.";
            return false;
        }
        // Tracks the editor chose, one at a time, as a custom disc build would plan them.
        BuildJob single;
        single.toc = driveTocs[i];
        // A source disc's type is not handed over; audio followed by data is the CD Extra
        // layout, whose last audio track ends before the data session's lead-in.
        single.discType = job.discType;
        const _CDROM_TOC drive = TocOf(driveTocs[i]);
        for (int t = drive.FirstTrack; t < drive.LastTrack && t < 99; ++t)
            if (!TocIsData(drive.TrackData[t - drive.FirstTrack]) &&
                TocIsData(drive.TrackData[t - drive.FirstTrack + 1]))
                single.discType = 6;
        for (int track : disc.order) {
            char number[3];
            snprintf(number, sizeof(number), "%02d", track);
            single.trackOrder += number;
        }
        std::vector<PlannedTrack> tracks;
        if (!PlanTracks(single, tracks, error)) {
            error = std::string("Drive ") + disc.drive + ": " + error;
            return false;
        }
        for (PlannedTrack& t : tracks) {
            t.source = static_cast<int>(i);
            auto title = disc.titles.find(t.sourceTrack);
            t.title = title == disc.titles.end() ? std::string() : title->second;
            t.number = static_cast<int>(plan.size()) + 1;
            t.imageFirst = next;
            next += t.count;
            plan.push_back(t);
        }
    }
    return true;
}

std::vector<uint8_t> CompilationToc(const std::vector<PlannedTrack>& plan) {
    _CDROM_TOC toc{};
    const size_t count = plan.size() < 99 ? plan.size() : 99;
    toc.FirstTrack = 1;
    toc.LastTrack = static_cast<uint8_t>(count);
    uint32_t end = 0;
    for (size_t i = 0; i <= count; ++i) {
        TocTrackEntry& e = toc.TrackData[i];
        if (i < count) {
            e.TrackNumber = static_cast<uint8_t>(i + 1);
            e.ControlAdr = static_cast<uint8_t>(0x10 | plan[i].control);
            SetTocAddress(e, plan[i].imageFirst);
            end = plan[i].imageFirst + plan[i].count;
        } else {
            e.TrackNumber = 0xAA;
            e.ControlAdr = static_cast<uint8_t>(0x10 | (count ? plan[count - 1].control : 0));
            SetTocAddress(e, end);
        }
    }
    const size_t length = 2 + 8 * (count + 1);
    toc.Length[0] = static_cast<uint8_t>(length >> 8);
    toc.Length[1] = static_cast<uint8_t>(length);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&toc);
    return std::vector<uint8_t>(p, p + sizeof(toc));
}
