#pragma once
// What Next on the source page decides: the chosen drive is analysed, and only a disc the
// drive can copy lets the user go on.
#include "app/AppServices.h"
#include "app/BuildJob.h"

#include <optional>
#include <string>

struct SourceNextResult {
    bool goOn = false;
    int messageId = 0; // the refusal shown to the user, 0 when going on
};

SourceNextResult SourcePageNext(const std::optional<std::string>& selectedRowText,
                                uint16_t rowCdType, CBuildJob& job, ISourceAnalysis& analysis,
                                const CZlxBuildSettings& settings);
