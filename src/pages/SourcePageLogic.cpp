#include "pages/SourcePageLogic.h"

#include "app/StringIds.h"
#include "source/DriveList.h"

SourceNextResult SourcePageNext(const std::optional<std::string>& selectedRowText,
                                uint16_t rowCdType, CBuildJob& job, ISourceAnalysis& analysis,
                                const CZlxBuildSettings& settings) {
    if (!selectedRowText)
        return {false, IDS_NO_SOURCE_SELECTED};
    const ParsedDriveRow row = ParseDriveRow(*selectedRowText);
    job.SourceDiscName = row.discName;
    if (!analysis.Analyse(job, settings, row.letter, rowCdType))
        return {false, IDS_SOURCE_READ_ERROR};
    if (!job.RawDataReadable && KindNeedsRawRead(job.CdType))
        return {false, IDS_RAW_READ_REQUIRED};
    job.Label = row.discName;
    return {true, 0};
}
