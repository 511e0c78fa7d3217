#include "writer/ImageBuild.h"

#include "image/Zl4Extract.h"
#include "image/Zl4Writer.h"
#include "source/DriveTypes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr uint32_t kRawSize = 2352;
constexpr uint32_t kCookedSize = 2048;
constexpr uint32_t kSessionGap = 11400; // lead-out, lead-in and pre-gap between sessions
constexpr uint16_t kRun = 16;
constexpr uint32_t kPregap = 150; // two seconds

// The sync pattern that starts every data sector; audio has none.
bool IsDataSector(const uint8_t* raw) {
    static const uint8_t kSync[12] = {0,    0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    return memcmp(raw, kSync, sizeof(kSync)) == 0;
}

bool Number(const std::map<std::string, std::string>& texts, const char* name, int& value) {
    auto it = texts.find(name);
    if (it == texts.end() || it->second.empty())
        return false;
    char* end = nullptr;
    long v = strtol(it->second.c_str(), &end, 10);
    if (*end != '\0')
        return false;
    value = static_cast<int>(v);
    return true;
}

bool Flag(const std::map<std::string, std::string>& texts, const char* name, bool fallback) {
    auto it = texts.find(name);
    return it == texts.end() || it->second.empty() ? fallback : it->second[0] == '1';
}

std::string Text(const std::map<std::string, std::string>& texts, const char* name) {
    auto it = texts.find(name);
    return it == texts.end() ? std::string() : it->second;
}
} // namespace

bool ParseBuildJob(const std::map<std::string, std::string>& texts, const std::string& tocBytes,
                   BuildJob& job, std::string& error) {
    std::string drive = Text(texts, "ZLXBuildSourceCDDrive");
    job.destination = Text(texts, "ZLXBuildDestinationFile");
    const bool compilation = tocBytes.empty() && IsCompilation(texts);
    if (compilation) {
        if (!ParseCompilation(texts, job.sources, error))
            return false;
        drive = std::string(1, job.sources[0].drive);
    }
    if (drive.empty() || job.destination.empty()) {
        error = "The job names no source drive or no image file.";
        return false;
    }
    if (!compilation && tocBytes.size() != sizeof(_CDROM_TOC)) {
        error = "The job holds no table of contents of the source disc.";
        return false;
    }
    job.drive = drive[0];
    job.toc.assign(tocBytes.begin(), tocBytes.end());
    Number(texts, "ZlxBuildCompressionType", job.compressionType);
    Number(texts, "ZlxBuildCompressionLevel", job.compressionLevel);
    if (job.compressionType < 0 || job.compressionType > 2)
        job.compressionType = 0; // an unknown method stores raw rather than failing
    job.fua = Flag(texts, "ZlxBuildReadFUA", false);
    Number(texts, "ZlxBuildRAWDataType", job.rawDataType);
    Number(texts, "ZlxBuildRAWAudioType", job.rawAudioType);
    Number(texts, "ZlxBuildSectorSize", job.sectorSize);
    if (job.sectorSize != 2352)
        job.sectorSize = 2048;
    Number(texts, "ZlxBuildSectorType", job.sectorType);
    Number(texts, "ZlxBuildCDType", job.discType);
    Number(texts, "ZlxBuildSkipRange", job.skipRange);
    if (job.skipRange < 1)
        job.skipRange = 1;
    Number(texts, "ZlxBuildAudioRecordMode", job.audioRecordMode);
    Number(texts, "ZlxBuildTimesToValidate", job.timesToValidate);
    if (job.timesToValidate < 1 || job.timesToValidate > 10)
        job.timesToValidate = 1;
    job.readSubchannel = Flag(texts, "ZlxBuildReadSZQ", false);
    job.fastErrorSkip = Flag(texts, "ZlxBuildFastErrorSkip", true);
    job.autoCreateFolder = Flag(texts, "ZlxBuildAutoCreateFolder", true);
    job.eject = Flag(texts, "ZlxBuildEjectAfterBuild", false);
    job.dynamicErrors = Flag(texts, "ZlxBuildDynamicErrorHandling", true);
    Number(texts, "ZlxBuildSelReadSpeed", job.selectedSpeed);
    Number(texts, "ZlxBuildDynamicReadSpeed", job.dynamicSpeed);
    job.label = Text(texts, "ZLXBuildZLXLabel");
    job.description = Text(texts, "ZlxBuildDescription");
    job.infoText = Text(texts, "ZlxBuildInfoText");
    job.password = Text(texts, "ZlxBuildPassword");
    job.startProgram = Text(texts, "ZlxBuildStartProgram");
    job.startPath = Text(texts, "ZlxBuildStartPath");
    job.autoInsertDrive = Text(texts, "ZlxBuildAutoInsertDrive");
    job.artist = Text(texts, "ZlxBuildAudioArtist");
    job.album = Text(texts, "ZlxBuildAudioRecord");
    // Only a custom disc has an order of its own; without one every track goes in, in order.
    if (Flag(texts, "ZlxBuildCreateCustomCD", false))
        job.trackOrder = Text(texts, "ZlxBuildTrackOrder");
    int key = 0, modifiers = 0;
    Number(texts, "ZlxBuildHotkeyVirtualCode", key);
    Number(texts, "ZlxBuildHotkeyModifiers", modifiers);
    job.hotkey = static_cast<uint16_t>(key);
    job.hotkeyModifiers = static_cast<uint16_t>(modifiers);
    for (int n = 1; n <= 99; ++n) {
        auto it = texts.find("ZlxBuildNameOfAudioTrack" + std::to_string(n));
        if (it != texts.end())
            job.trackTitles[n] = it->second;
    }
    return true;
}

bool PlanTracks(const BuildJob& job, std::vector<PlannedTrack>& plan, std::string& error) {
    _CDROM_TOC toc;
    memcpy(&toc, job.toc.data(), sizeof(toc));
    const int first = toc.FirstTrack, last = toc.LastTrack;
    if (first < 1 || last < first || last > 99) {
        error = "The job's table of contents lists no tracks.";
        return false;
    }
    std::vector<int> order;
    if (job.trackOrder.empty()) {
        for (int t = first; t <= last; ++t)
            order.push_back(t);
    } else {
        for (size_t i = 0; i + 1 < job.trackOrder.size(); i += 2)
            order.push_back(atoi(job.trackOrder.substr(i, 2).c_str()));
    }
    plan.clear();
    std::vector<PlannedTrack> tracks;
    for (int t : order) {
        if (t < first || t > last) {
            error = "The track order names track " + std::to_string(t) +
                    ", which the disc does not have.";
            return false;
        }
        const TocTrackEntry& e = toc.TrackData[t - first];
        const TocTrackEntry& next = toc.TrackData[t - first + 1]; // the lead-out after the last
        PlannedTrack p;
        p.number = t;
        p.sourceTrack = t;
        p.audio = !TocIsData(e);
        p.control = TocControl(e);
        p.first = TocAddress(e);
        uint32_t end = TocAddress(next);
        if (t < last && p.audio && TocIsData(next) && (job.discType & 0xFF) == 6 &&
            end >= p.first + kSessionGap)
            end -= kSessionGap;
        if (end <= p.first) {
            error = "Track " + std::to_string(t) + " has no sectors in the table of contents.";
            return false;
        }
        p.count = end - p.first;
        if (!p.audio && t < last && !TocIsData(next))
            p.audioPregap = p.count < kPregap ? p.count : kPregap;
        p.imageFirst = p.first;
        auto title = job.trackTitles.find(t);
        if (title != job.trackTitles.end())
            p.title = title->second;
        tracks.push_back(p);
    }
    plan = tracks;
    return true;
}

zl4::StdioFile* FileSet::Create(const std::string& target) {
    auto file = std::make_unique<zl4::StdioFile>();
    if (!file->Create(TemporaryName(target)))
        return nullptr;
    files_.push_back({target, std::move(file)});
    return files_.back().file.get();
}

bool FileSet::Commit(std::string& error) {
    for (Entry& e : files_) {
        if (!e.file->Close()) {
            error = "Cannot finish " + e.target + " (is the disk full?)";
            Discard();
            return false;
        }
    }
    for (Entry& e : files_) {
        std::remove(e.target.c_str());
        if (std::rename(TemporaryName(e.target).c_str(), e.target.c_str()) != 0) {
            error = "Cannot rename the finished file to " + e.target;
            Discard();
            return false;
        }
    }
    files_.clear();
    return true;
}

void FileSet::Discard() {
    for (Entry& e : files_) {
        e.file->Close();
        std::remove(TemporaryName(e.target).c_str());
    }
    files_.clear();
}

std::string SoundFileName(const std::string& imagePath, int track) {
    std::string base = imagePath;
    if (base.size() > 4 && (base.compare(base.size() - 4, 4, ".zl4") == 0 ||
                            base.compare(base.size() - 4, 4, ".ZL4") == 0))
        base.resize(base.size() - 4);
    char suffix[24];
    snprintf(suffix, sizeof(suffix), " - Track %02d.wav", track);
    return base + suffix;
}

namespace {
std::string FileNameOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Reads the disc as the job says and hands good sectors, and zeroed stand-ins for bad
// ones, to a sink.
class TrackReader {
public:
    TrackReader(const BuildJob& job, IDiscReader& reader, IBuildObserver& observer,
                BuildProgress& progress, std::vector<zl4::Range>& unreadable)
        : job_(job), reader_(reader), observer_(observer), progress_(progress),
          unreadable_(unreadable) {}

    // `sink(data, q)` gets every sector; false from it stops the read (a write failed).
    template <class Sink>
    BuildResult Read(const PlannedTrack& t, uint32_t unit, bool raw, bool q, Sink sink) {
        const uint32_t stride = raw ? kRawSize + (q ? zl4::kSubchannelSize : 0) : kCookedSize;
        std::vector<uint8_t> run(size_t(stride) * kRun), check(run.size()), one(stride);
        std::vector<uint8_t> zero(unit, 0), zeroQ(zl4::kSubchannelSize, 0);
        progress_.track = t.number;
        uint32_t lba = t.first;
        const uint32_t end = t.first + t.count;
        while (lba < end) {
            const uint16_t n = static_cast<uint16_t>(end - lba < kRun ? end - lba : kRun);
            if (ReadValidated(lba, n, run, check, raw, t.audio, q)) {
                for (uint16_t i = 0; i < n; ++i)
                    if (!Hand(sink, &run[size_t(i) * stride], raw, q))
                        return BuildResult::Failed;
                lba += n;
            } else {
                // Sector by sector to find the bad one; the run's good sectors are kept.
                bool bad = false;
                for (uint16_t i = 0; i < n && !bad; ++i, ++lba) {
                    if (ReadOne(lba, one, check, raw, t.audio, q)) {
                        if (!Hand(sink, one.data(), raw, q))
                            return BuildResult::Failed;
                        continue;
                    }
                    if (!raw && lba >= end - t.audioPregap && InAudioPregap(lba)) {
                        progress_.doneSectors += end - lba;
                        progress_.sector = end;
                        return observer_.Progress(progress_) ? BuildResult::Done
                                                             : BuildResult::Cancelled;
                    }
                    bad = true;
                    ++progress_.errors;
                    uint32_t skip = job_.dynamicErrors ? uint32_t(job_.skipRange) : 1;
                    if (skip > end - lba)
                        skip = end - lba;
                    AddUnreadable(lba - t.first + t.imageFirst, skip);
                    progress_.doneSectors += skip;
                    for (uint32_t k = 0; k < skip; ++k)
                        if (!sink(zero.data(), zeroQ.data()))
                            return BuildResult::Failed;
                    lba += skip - 1; // the loop steps past the last skipped one
                    if (job_.dynamicErrors && job_.dynamicSpeed > 0)
                        reader_.SetSpeed(job_.dynamicSpeed);
                }
            }
            progress_.sector = lba;
            if (!observer_.Progress(progress_))
                return BuildResult::Cancelled;
        }
        return BuildResult::Done;
    }

private:
    bool ReadRaw(uint32_t lba, uint16_t n, std::vector<uint8_t>& buf, bool raw, bool audio,
                 bool q) {
        return raw ? reader_.ReadRaw(lba, n, buf.data(), audio, q)
                   : reader_.ReadCooked(lba, n, buf.data(), job_.fua);
    }

    // A sector without user data that the drive still reads whole, as audio.
    bool InAudioPregap(uint32_t lba) {
        std::vector<uint8_t> raw(kRawSize);
        return reader_.ReadRaw(lba, 1, raw.data(), false, false) && !IsDataSector(raw.data());
    }

    // Read `timesToValidate` times; every read must agree with the first.
    bool ReadValidated(uint32_t lba, uint16_t n, std::vector<uint8_t>& buf,
                       std::vector<uint8_t>& check, bool raw, bool audio, bool q) {
        if (!ReadRaw(lba, n, buf, raw, audio, q))
            return false;
        const size_t bytes = buf.size() / kRun * n;
        for (int k = 1; k < job_.timesToValidate; ++k)
            if (!ReadRaw(lba, n, check, raw, audio, q) || memcmp(buf.data(), check.data(), bytes))
                return false;
        return true;
    }

    bool ReadOne(uint32_t lba, std::vector<uint8_t>& one, std::vector<uint8_t>& check, bool raw,
                 bool audio, bool q) {
        // Without fast error skip a failing sector gets two more tries.
        const int tries = job_.fastErrorSkip ? 1 : 3;
        std::vector<uint8_t> buf(one.size() * kRun);
        for (int k = 0; k < tries; ++k) {
            if (ReadValidated(lba, 1, buf, check, raw, audio, q)) {
                memcpy(one.data(), buf.data(), one.size());
                return true;
            }
        }
        return false;
    }

    template <class Sink> bool Hand(Sink& sink, const uint8_t* sector, bool raw, bool q) {
        ++progress_.doneSectors;
        return sink(sector, raw && q ? sector + kRawSize : nullptr);
    }

    void AddUnreadable(uint32_t lba, uint32_t count) {
        if (!unreadable_.empty() && unreadable_.back().first + unreadable_.back().count == lba)
            unreadable_.back().count += count;
        else
            unreadable_.push_back({lba, count});
    }

    const BuildJob& job_;
    IDiscReader& reader_;
    IBuildObserver& observer_;
    BuildProgress& progress_;
    std::vector<zl4::Range>& unreadable_;
};
} // namespace

BuildOutcome BuildImage(const BuildJob& job, IDiscReader& reader, IBuildObserver& observer,
                        const zl4::PasswordHash& password) {
    return BuildImage(job, std::vector<IDiscReader*>{&reader}, observer, password);
}

BuildOutcome BuildImage(const BuildJob& job, const std::vector<IDiscReader*>& readers,
                        IBuildObserver& observer, const zl4::PasswordHash& password) {
    BuildOutcome out;
    std::vector<PlannedTrack> plan;
    const bool compilation = !job.sources.empty();
    if (readers.empty() || (compilation && readers.size() < job.sources.size())) {
        out.message = "No drive to read from.";
        return out;
    }
    if (compilation) {
        std::vector<std::vector<uint8_t>> tocs;
        for (size_t i = 0; i < job.sources.size(); ++i) {
            std::vector<uint8_t> toc(sizeof(_CDROM_TOC));
            if (!readers[i]->Toc(toc.data()))
                toc.clear();
            tocs.push_back(std::move(toc));
        }
        if (!PlanCompilation(job, tocs, plan, out.message))
            return out;
        for (const PlannedTrack& t : plan) {
            char line[64];
            snprintf(line, sizeof(line), "%02d %c: track %02d", t.number,
                     job.sources[size_t(t.source)].drive, t.sourceTrack);
            out.sources.push_back(line);
        }
    } else if (!PlanTracks(job, plan, out.message)) {
        return out;
    }
    const bool soundFiles = job.audioRecordMode == 1;
    bool audioInImage = false;
    for (const PlannedTrack& t : plan)
        audioInImage |= t.audio && !soundFiles;
    // Audio sectors exist only raw, so an image holding them stores every sector raw.
    const bool raw = job.sectorSize == 2352 || audioInImage;

    zl4::Properties props;
    props.label = job.label;
    props.description = job.description;
    props.comment = job.infoText;
    props.startProgram = job.startProgram;
    props.startPath = job.startPath;
    props.artist = job.artist;
    props.album = job.album;
    props.autoInsertDrive = job.autoInsertDrive;
    props.hotkeyVirtualKey = job.hotkey;
    props.hotkeyModifiers = job.hotkeyModifiers;
    props.discType = static_cast<uint16_t>(job.discType);
    props.sectorType = static_cast<uint16_t>(job.sectorType);
    props.sectorSize = raw ? kRawSize : kCookedSize;
    props.subchannel = raw && job.readSubchannel;
    props.compressionType = static_cast<uint8_t>(job.compressionType);
    props.compressionLevel =
        static_cast<uint8_t>(job.compressionType == 2 ? job.compressionLevel : 0);
    props.password = password;

    // A compilation is a new single-session disc: its own table of contents, no sessions.
    std::vector<uint8_t> disc(zl4::kDiscRecordSize, 0);
    if (compilation) {
        const std::vector<uint8_t> toc = CompilationToc(plan);
        memcpy(disc.data(), toc.data(), toc.size());
    } else {
        memcpy(disc.data(), job.toc.data(), sizeof(_CDROM_TOC));
        readers[0]->SessionDetails(disc.data() + sizeof(_CDROM_TOC));
    }
    if (job.selectedSpeed > 0)
        for (IDiscReader* reader : readers)
            reader->SetSpeed(job.selectedSpeed);

    FileSet files;
    zl4::StdioFile* image = files.Create(job.destination);
    if (!image) {
        out.message = "Cannot create the image file " + job.destination + ".";
        return out;
    }
    zl4::Writer writer(*image);
    if (!writer.Begin(props, disc.data())) {
        out.message = "Cannot write the image file " + job.destination + ": " + writer.Error();
        return out;
    }
    BuildProgress progress;
    for (const PlannedTrack& t : plan)
        progress.totalSectors += t.count;
    std::vector<std::string> soundPaths;

    for (const PlannedTrack& t : plan) {
        TrackReader tracks(job, *readers[size_t(t.source)], observer, progress, out.unreadable);
        zl4::Track entry;
        entry.number = static_cast<uint8_t>(t.number);
        entry.control = t.control;
        entry.discFirstSector = t.imageFirst;
        entry.title = t.title;
        BuildResult result;
        if (t.audio && soundFiles) {
            const std::string path = SoundFileName(job.destination, t.number);
            zl4::StdioFile* wav = files.Create(path);
            if (!wav) {
                out.message = "Cannot create the sound file " + path + ".";
                return out;
            }
            entry.kind = zl4::kTrackSoundFile;
            entry.sectorCount = t.count;
            entry.soundFile = FileNameOf(path);
            writer.AddTrack(entry);
            std::vector<uint8_t> header = zl4::CdWavHeader(t.count * kRawSize);
            if (!wav->Write(header.data(), header.size())) {
                out.message = "Cannot write the sound file " + path + " (is the disk full?)";
                return out;
            }
            result = tracks.Read(t, kRawSize, true, false, [&](const uint8_t* d, const uint8_t*) {
                return wav->Write(d, kRawSize);
            });
            soundPaths.push_back(path);
            if (result == BuildResult::Failed && out.message.empty())
                out.message = "Cannot write the sound file " + path + " (is the disk full?)";
        } else {
            entry.kind = t.audio ? zl4::kTrackAudio : zl4::kTrackData;
            writer.AddTrack(entry);
            result = tracks.Read(
                t, props.sectorSize, raw, props.subchannel,
                [&](const uint8_t* d, const uint8_t* q) { return writer.AddSector(d, q); });
            if (result == BuildResult::Failed)
                out.message =
                    "Cannot write the image file " + job.destination + ": " + writer.Error();
        }
        if (result != BuildResult::Done) {
            out.result = result;
            if (result == BuildResult::Cancelled)
                out.message = "Cancelled: no image was made.";
            return out; // `files` removes every temporary file
        }
    }
    for (const zl4::Range& r : out.unreadable)
        writer.AddUnreadable(r.first, r.count);
    if (!writer.Finish()) {
        out.message = "Cannot write the image file " + job.destination + ": " + writer.Error();
        return out;
    }
    out.imageBytes = writer.BytesWritten();
    if (!files.Commit(out.message))
        return out;
    out.files.push_back(job.destination);
    out.files.insert(out.files.end(), soundPaths.begin(), soundPaths.end());
    out.result = BuildResult::Done;
    out.message = "Image written.";
    return out;
}
