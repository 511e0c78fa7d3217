// The job's Quick Copy operations: finding the files recorded for the source disc and
// taking over the read options of the chosen one.
#include "app/QuickCopy.h"

#include "app/BuildJob.h"
#include "app/QuickCopyDefault.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint32_t kMaxSkipRange = 100000;

// Reads one record; false when the file cannot be opened or read.
bool ReadRecord(IQuickCopyFiles& files, const std::string& path, bool exclusive,
                QuickCopyRecord& record) {
    uint8_t bytes[kQuickCopyRecordSize];
    const long got = files.Read(path, bytes, sizeof bytes, exclusive);
    if (got < 0)
        return false;
    record = ParseQuickCopyRecord(bytes, static_cast<size_t>(got));
    return true;
}

bool SameDisc(const QuickCopyRecord& record, const std::string& discName, const _CDROM_TOC& toc) {
    static_assert(sizeof toc == kQuickCopyTocSize, "the record holds the whole contents");
    return TrimTrailingSpace(record.label) == discName &&
           std::memcmp(record.toc.data(), &toc, kQuickCopyTocSize) == 0;
}
} // namespace

int CBuildJob::FindQuickCopyFiles(int mode, const QuickCopyServices& services) {
    QuickCopyMatchCount = 0;
    QuickCopyInUse = 0;
    const std::string discName = TrimTrailingSpace(SourceDiscName);
    QuickCopyCandidates candidates;

    for (const std::string& name : services.files.List(services.folder + "*.zqc")) {
        const std::string path = services.folder + name;
        QuickCopyRecord record;
        if (!ReadRecord(services.files, path, false, record) || !SameDisc(record, discName, Toc))
            continue;
        QuickCopyFileName = path;
        QuickCopyDisplayName = MakeQuickCopyDisplayName(record, path);
        candidates.emplace(path, std::move(record));
        ++QuickCopyMatchCount;
        if (mode == kQuickCopyFirstMatch)
            break;
    }

    if (mode == kQuickCopyFirstMatch) {
        QuickCopyInUse = QuickCopyMatchCount > 0;
    } else if (QuickCopyMatchCount > 1 || mode == kQuickCopyAlwaysChoose) {
        QuickCopyChoice choice;
        if (services.chooser.Choose(candidates, choice)) {
            QuickCopyFileName = choice.path;
            QuickCopyDisplayName = choice.displayName;
            QuickCopyInUse = 1;
        }
    } else {
        QuickCopyInUse = QuickCopyMatchCount == 1;
    }
    return QuickCopyMatchCount;
}

bool CBuildJob::LoadQuickCopySettings(IQuickCopyFiles& files) {
    QuickCopyRecord record;
    if (!ReadRecord(files, QuickCopyFileName, true, record) || !record.Complete())
        return false;
    const QuickCopyOptions options = DecodeQuickCopyFlags(record.flags);
    FastRead = options.fastRead;
    DynamicErrorHandling = options.dynamicErrorHandling;
    if (options.raw) {
        SubChannelReadable = options.subChannel;
        SectorSize = 2352;
        SectorType = 256;
    } else {
        SectorSize = 2048;
        SectorType = 0;
    }
    QuickCopySettingsLoaded = 1;
    AudioRecordMode = options.audioAsData ? 2 : 1;
    // The data track page accepts 1 to 100,000; a damaged record must not get past that.
    SkipRange = static_cast<int>(std::clamp<uint32_t>(record.skipRange, 1, kMaxSkipRange));
    return true;
}

void CQuickCopyDefault::Prepare(CBuildJob& job) {
    CNoQuickCopyChooser never;
    job.FindQuickCopyFiles(kQuickCopyFirstMatch, {m_files, never, m_folder ? m_folder() : ""});
}
