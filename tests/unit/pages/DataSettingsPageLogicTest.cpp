#include "pages/DataSettingsPageLogic.h"
#include "support/PageTestBase.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kData = 0, kMixed = 1, kVideoCd = 5, kCdExtra = 6, kDvd = 32 | 1024;

struct DataSettingsFixture : ::testing::Test, PageTestBase {
    std::unique_ptr<CDataSettingsPageModel> model;

    // A disc in a drive that reads everything, with the modern drive's speeds.
    void Disc(uint16_t kind, int audioTracks, int dataTracks) {
        job.CdType = kind;
        job.AudioTrackCount = audioTracks;
        job.DataTrackCount = dataTracks;
        job.RawDataReadable = job.RawAudioReadable = job.SubChannelReadable = 1;
        job.MaxReadSpeed = 49;
        const uint32_t speeds[] = {48, 40, 32, 24, 16, 8, 4};
        std::copy(std::begin(speeds), std::end(speeds), job.SpeedTable);
    }
    DataSettingsView& Open() {
        model = std::make_unique<CDataSettingsPageModel>(
            Context(), [](int id) { return id == 144 ? "Default" : "#" + std::to_string(id); });
        model->Activate();
        return model->View();
    }
};

TEST(DataSettingsRules, SpeedListsAreBuiltParsedAndMatched) {
    uint32_t none[100] = {}, some[100] = {24, 8, 4};
    EXPECT_EQ(SpeedEntries(none, "Default"), (std::vector<std::string>{"Default"}));
    const auto entries = SpeedEntries(some, "Default");
    EXPECT_EQ(entries, (std::vector<std::string>{"24 x", "08 x", "04 x"}));

    const std::pair<const char*, int> parsed[] = {{"24 x", 24},   {"04 x", 4}, {"100 x", 100},
                                                  {"Default", 0}, {"x", 0},    {"", 0}};
    for (const auto& [text, speed] : parsed)
        EXPECT_EQ(SpeedOfEntry(text), speed) << text;

    struct Case {
        int speed, maxSpeed, index;
    } cases[] = {{8, 25, 1}, {0, 25, 0}, {30, 25, 0}, {12, 25, -1}, {4, 0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(SpeedEntryIndex(entries, c.speed, c.maxSpeed), c.index) << c.speed;
}

// Activation loads the job and applies the RAW rules of the disc and the drive at once.
TEST_F(DataSettingsFixture, ActivationEnablesPerDiscAndDriveAndCorrectsRaw) {
    struct Case {
        const char* name;
        uint16_t kind;
        int audioTracks, dataTracks, audioMode, sectorSize, rawDataReadable;
        std::vector<int> messages;
        bool rawEnabled, raw, subChannelEnabled, quickCopyEnabled;
    } cases[] = {
        {"data CD", kData, 0, 1, 1, 2352, 1, {}, true, true, true, true},
        {"cooked DVD", kDvd, 0, 1, 1, 2048, 1, {}, false, false, false, true},
        {"CD Extra cooked", kCdExtra, 3, 1, 1, 2048, 1, {168}, true, true, true, false},
        {"CD Extra, audio as data",
         kCdExtra,
         3,
         1,
         2,
         2048,
         1,
         {168, 169},
         true,
         true,
         true,
         false},
        {"mixed, audio as data", kMixed, 2, 1, 2, 2048, 1, {169}, true, true, true, true},
        {"mixed, sound files", kMixed, 2, 1, 1, 2048, 1, {}, true, false, false, true},
        {"raw without a raw drive", kData, 0, 1, 1, 2352, 0, {177}, true, false, false, true},
        {"Video CD", kVideoCd, 0, 2, 1, 2352, 1, {}, true, true, true, false},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        Disc(c.kind, c.audioTracks, c.dataTracks);
        job.AudioRecordMode = c.audioMode;
        job.SectorSize = c.sectorSize;
        job.RawDataReadable = c.rawDataReadable;
        const DataSettingsView& view = Open();
        EXPECT_EQ(messages.Ids(), c.messages) << c.name;
        EXPECT_EQ(view.rawEnabled, c.rawEnabled) << c.name;
        EXPECT_EQ(view.raw, c.raw) << c.name;
        EXPECT_EQ(view.subChannelEnabled, c.subChannelEnabled) << c.name;
        EXPECT_EQ(view.quickCopyEnabled, c.quickCopyEnabled) << c.name;
        if (c.messages != std::vector<int>{177}) { // a refusal stores nothing yet
            EXPECT_EQ(job.SectorSize, c.raw ? 2352 : 2048) << c.name;
        }
    }
}

TEST_F(DataSettingsFixture, SubChannelIsRefusedForTheDriveTheLayoutOrSoundFiles) {
    struct Case {
        const char* name;
        int subChannelReadable, unchangedDisc, audioMode;
        bool check;
        std::vector<int> messages;
        int stored;
    } cases[] = {
        {"accepted", 1, 1, 2, true, {}, 1},
        {"drive cannot", 0, 1, 2, true, {203}, 0},
        {"drive cannot, clearing", 0, 1, 2, false, {}, 0},
        {"tracks reordered", 1, 0, 2, true, {105}, 0},
        {"sound files", 1, 1, 1, true, {255}, 0},
    };
    for (const Case& c : cases) {
        Disc(kMixed, 2, 1);
        job.SectorSize = 2352;
        job.AudioRecordMode = c.audioMode;
        job.SubChannelReadable = c.subChannelReadable;
        job.UnchangedDisc = c.unchangedDisc;
        DataSettingsView& view = Open();
        messages.shown.clear();
        view.subChannel = c.check;
        model->SubChannelClicked();
        EXPECT_EQ(messages.Ids(), c.messages) << c.name;
        EXPECT_EQ(job.ReadSubChannel, c.stored) << c.name;
        EXPECT_EQ(view.subChannel, c.stored != 0) << c.name;
    }

    // Clearing RAW takes sub-channel reading with it, in the view and the job.
    DataSettingsView& view = Open();
    view.subChannel = true;
    model->SubChannelClicked();
    view.raw = false;
    model->RawClicked();
    EXPECT_FALSE(view.subChannel || view.subChannelEnabled);
    EXPECT_EQ(job.ReadSubChannel, 0);
    EXPECT_EQ(job.SectorSize, 2048);
    EXPECT_EQ(job.SectorType, 0);
}

TEST_F(DataSettingsFixture, SpeedsRepeatReadsAndSkipRangeReachTheJob) {
    Disc(kData, 0, 1);
    job.SelReadSpeed = 16;
    job.DynamicReadSpeed = 8;
    DataSettingsView& view = Open();
    EXPECT_EQ(view.speeds.front(), "48 x");
    EXPECT_EQ(view.readSpeed, 4);
    EXPECT_EQ(view.errorSpeed, 5);

    view.repeatReads = 4;
    view.skipRange = 250;
    view.errorSpeed = 3; // 24 x, faster than the read speed
    model->StoreValues();
    EXPECT_EQ(messages.Ids(), (std::vector<int>{292}));
    EXPECT_EQ(job.SelReadSpeed, 24);
    EXPECT_EQ(job.DynamicReadSpeed, 24);
    EXPECT_EQ(view.readSpeed, 3) << "the list shows the raised speed";
    EXPECT_EQ(job.TimesToValidate, 5);
    EXPECT_EQ(job.SkipRange, 250);

    // Without dynamic error correction its speed list is off and no check is made.
    view.dynamic = false;
    view.errorSpeed = 0;
    model->StoreValues();
    EXPECT_FALSE(view.errorSpeedEnabled);
    EXPECT_EQ(job.SelReadSpeed, 24);
    EXPECT_EQ(messages.shown.size(), 1u);

    // A drive without a speed list: "Default", and both speeds 0.
    std::fill(std::begin(job.SpeedTable), std::end(job.SpeedTable), 0u);
    job.DynamicErrorHandling = 1;
    EXPECT_EQ(Open().speeds, (std::vector<std::string>{"Default"}));
    EXPECT_EQ(job.SelReadSpeed, 0);
    EXPECT_EQ(job.DynamicReadSpeed, 0);
}

} // namespace
