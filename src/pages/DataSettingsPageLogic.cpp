#include "pages/DataSettingsPageLogic.h"

#include "pages/ToDoPageLogic.h"
#include "source/CdTypeCode.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
enum TextId {
    kSubChannelNeedsOrder = 105,
    kDefaultSpeed = 144, // "Default"
    kRawRequiredByKind = 168,
    kRawRequiredByAudio = 169,
    kNoRawDrive = 177,
    kNoSubChannelDrive = 203,
    kNoSubChannelWithSoundFiles = 255,
    kQuickCopyExists = 277,
    kErrorSpeedRaised = 292,
};
constexpr int kRawSectorSize = 2352, kCookedSectorSize = 2048;
constexpr uint16_t kRawSectorType = 256;
constexpr int kAudioAsSoundFiles = 1, kAudioAsDataTracks = 2;

// Kinds whose rules differ from the default ones (raw selectable but not required, no
// Quick Copy file).
struct KindRules {
    uint8_t kind;
    DataDiscRules rules;
};
constexpr KindRules kKindRules[] = {
    {CdKind::Data, {true, false, true}},         {CdKind::MixedMode, {true, false, true}},
    {CdKind::Dvd, {false, false, true}},         {CdKind::CdI, {true, true, false}},
    {CdKind::VideoCd, {true, true, false}},      {CdKind::CdExtra, {true, true, false}},
    {CdKind::SuperVideoCd, {true, true, false}},
};

std::string SpeedText(int speed) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d x", speed);
    return text;
}
} // namespace

DataDiscRules RulesForDisc(uint16_t cdType) {
    for (const KindRules& entry : kKindRules)
        if (entry.kind == KindByte(cdType))
            return entry.rules;
    return {};
}

std::vector<std::string> SpeedEntries(const uint32_t (&table)[100],
                                      const std::string& defaultText) {
    std::vector<std::string> entries;
    for (uint32_t speed : table) {
        if (speed == 0)
            break;
        entries.push_back(SpeedText(static_cast<int>(std::min<uint32_t>(speed, 9999))));
    }
    if (entries.empty())
        entries.push_back(defaultText);
    return entries;
}

int SpeedOfEntry(const std::string& entry) {
    if (entry.size() < 2)
        return 0;
    // Whatever the unit's translation, it is the last two characters.
    const std::string number = TrimTrailingSpace(entry.substr(0, entry.size() - 2));
    return std::atoi(number.c_str());
}

int SpeedEntryIndex(const std::vector<std::string>& entries, int speed, int maxSpeed) {
    if (speed == 0 || speed > maxSpeed)
        return 0;
    const auto found = std::find(entries.begin(), entries.end(), SpeedText(speed));
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

CDataSettingsPageModel::CDataSettingsPageModel(const PageContext& context, TextById text)
    : m_context(context), m_text(std::move(text)) {}

int CDataSettingsPageModel::Buttons() const {
    return kWizBack | kWizNext;
}

void CDataSettingsPageModel::Activate() {
    const CBuildJob& job = m_context.job;
    m_view.speeds = SpeedEntries(job.SpeedTable, m_text(kDefaultSpeed));
    if (RulesForDisc(job.CdType).quickCopyOffered)
        m_view.quickCopyEnabled = true;
    LoadControls();
}

void CDataSettingsPageModel::LoadControls() {
    const CBuildJob& job = m_context.job;
    m_view.rawEnabled = RulesForDisc(job.CdType).rawSelectable;
    m_view.fastErrorSkip = job.FastErrorSkip != 0;
    m_view.fastRead = job.FastRead != 0;
    m_view.raw = job.SectorSize == kRawSectorSize;
    m_view.subChannel = job.ReadSubChannel != 0;
    m_view.dynamic = job.DynamicErrorHandling != 0;
    m_view.quickCopy = job.WriteQuickCopyFile != 0;
    m_view.skipRange = job.SkipRange;
    // A count from a Quick Copy file or the store may lie outside the list.
    m_view.repeatReads = std::clamp(job.TimesToValidate - 1, 0, kRepeatChoices - 1);
    m_view.readSpeed = SpeedEntryIndex(m_view.speeds, job.SelReadSpeed, job.MaxReadSpeed);
    m_view.errorSpeed = SpeedEntryIndex(m_view.speeds, job.DynamicReadSpeed, job.MaxReadSpeed);
    RawClicked();
}

void CDataSettingsPageModel::RawClicked() {
    const CBuildJob& job = m_context.job;
    IMessages& messages = m_context.Messages();
    if (m_view.raw) {
        const bool dataUnreadable = !job.RawDataReadable && job.DataTrackCount > 0;
        const bool audioUnreadable = !job.RawAudioReadable && job.AudioTrackCount > 0;
        if (dataUnreadable || audioUnreadable) {
            messages.Show(kNoRawDrive, MsgIcon::Error, MsgButtons::Ok);
            // The job follows with the next store; the view never shows sub-channel
            // reading without raw sectors.
            m_view.raw = false;
            m_view.subChannel = false;
            m_view.subChannelEnabled = false;
            return;
        }
    } else {
        if (RulesForDisc(job.CdType).rawRequired) {
            messages.Show(kRawRequiredByKind, MsgIcon::Information, MsgButtons::Ok);
            m_view.raw = true;
        }
        if (job.AudioTrackCount > 0 && job.AudioRecordMode == kAudioAsDataTracks) {
            messages.Show(kRawRequiredByAudio, MsgIcon::Information, MsgButtons::Ok);
            m_view.raw = true;
        }
    }
    StoreValues();
    m_view.subChannelEnabled = m_view.raw;
}

void CDataSettingsPageModel::SubChannelClicked() {
    const CBuildJob& job = m_context.job;
    IMessages& messages = m_context.Messages();
    if (!job.SubChannelReadable) {
        if (m_view.subChannel) {
            messages.Show(kNoSubChannelDrive, MsgIcon::Error, MsgButtons::Ok);
            m_view.subChannel = false;
        }
    } else if (job.UnchangedDisc == 0) {
        // Sub-channel data belongs to the source's track layout, which the user changed.
        messages.Show(kSubChannelNeedsOrder, MsgIcon::Error, MsgButtons::Ok);
        m_view.subChannel = false;
    }
    if (m_view.subChannel && job.AudioTrackCount > 0 && job.AudioRecordMode == kAudioAsSoundFiles) {
        messages.Show(kNoSubChannelWithSoundFiles, MsgIcon::Error, MsgButtons::Ok);
        m_view.subChannel = false;
    }
    StoreValues();
}

void CDataSettingsPageModel::QuickCopyClicked() {
    CBuildJob& job = m_context.job;
    if (m_view.quickCopy && job.QuickCopyInUse &&
        m_context.Messages().Show(kQuickCopyExists, MsgIcon::Question, MsgButtons::YesNo) !=
            kAnswerYes)
        m_view.quickCopy = false;
    job.WriteQuickCopyFile = m_view.quickCopy ? 1 : 0;
}

int CDataSettingsPageModel::SelectedSpeed(int index) const {
    if (m_context.job.MaxReadSpeed == 0 || index < 0 ||
        index >= static_cast<int>(m_view.speeds.size()))
        return 0;
    return SpeedOfEntry(m_view.speeds[static_cast<size_t>(index)]);
}

void CDataSettingsPageModel::StoreValues() {
    CBuildJob& job = m_context.job;
    if (!m_view.raw)
        m_view.subChannel = false;
    job.FastErrorSkip = m_view.fastErrorSkip ? 1 : 0;
    job.FastRead = m_view.fastRead ? 1 : 0;
    job.SectorSize = m_view.raw ? kRawSectorSize : kCookedSectorSize;
    job.SectorType = m_view.raw ? kRawSectorType : 0;
    job.ReadSubChannel = m_view.subChannel ? 1 : 0;
    job.TimesToValidate = std::clamp(m_view.repeatReads, 0, kRepeatChoices - 1) + 1;
    job.DynamicErrorHandling = m_view.dynamic ? 1 : 0;
    job.SkipRange = m_view.skipRange;
    m_view.errorSpeedEnabled = m_view.dynamic;

    job.SelReadSpeed = SelectedSpeed(m_view.readSpeed);
    job.DynamicReadSpeed = SelectedSpeed(m_view.errorSpeed);
    // The dynamic speed is the careful one for bad areas; the normal speed never stays
    // below it, so it is raised and the user told.
    if (m_view.dynamic && job.DynamicReadSpeed > job.SelReadSpeed) {
        job.SelReadSpeed = job.DynamicReadSpeed;
        m_context.Messages().Show(kErrorSpeedRaised, MsgIcon::Information, MsgButtons::Ok);
        if (m_reloads < 2) {
            ++m_reloads;
            LoadControls();
            --m_reloads;
        }
    }
}
