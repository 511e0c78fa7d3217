#include "settings/ZlxBuildSettings.h"

namespace {
constexpr int kPositions = 14;
constexpr int kThreeWayPosition = 5;
} // namespace

CZlxBuildSettings::CZlxBuildSettings(IEnvStore& store, IRegistry& registry)
    : CZlxBaseSettings(store, registry) {
    auto text = ReadStoreText(m_store, "ZlxBuildSettings", 15);
    if (!text || text->size() < kPositions)
        return;
    for (int pos = 1; pos <= kPositions; ++pos) {
        char c = (*text)[static_cast<size_t>(pos - 1)];
        if (pos == kThreeWayPosition)
            *Field(pos) = c == '0' ? 0 : c == '2' ? 2 : 1;
        else
            *Field(pos) = c == '1';
    }
}

int* CZlxBuildSettings::Field(int position) {
    int* fields[kPositions] = {&BuildFlag1,          &AllowLabelChange,     &BuildFlag3,
                               &EasyCopyMode,        &BuildFlag5,           &BuildFlag6,
                               &AcceptVirtualDrives, &EjectAfterBuild,      &AddTitlesToInfoText,
                               &BuildFlag10,         &OmitCdExtraDataTrack, &UseErrorCorrectedToc,
                               &BuildFlag13,         &BuildFlag14};
    return fields[position - 1];
}

std::string CZlxBuildSettings::Text() const {
    std::string text;
    auto* self = const_cast<CZlxBuildSettings*>(this);
    for (int pos = 1; pos <= kPositions; ++pos)
        text += static_cast<char>('0' + (*self->Field(pos) % 3));
    return text;
}

void CZlxBuildSettings::Save() {
    if (!m_modified)
        return;
    const std::string text = Text();
    WriteAndMirror({{"ZlxBuildSettings", text}}, {{"ZlxBuildSettings", text}});
    m_modified = 0;
}
