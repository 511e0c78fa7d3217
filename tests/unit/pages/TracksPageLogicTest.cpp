#include "pages/TracksPageLogic.h"
#include "support/PageTestBase.h"

#include <gtest/gtest.h>

namespace {

constexpr uint16_t kMixed = 1, kAudio = 2, kCdExtra = 6;
enum Op { kTop, kUp, kDown, kEnd, kToggle };

// Records what the page asks of the service beyond the title lookup.
struct RecordingDiscInfo : CFakeDiscInfo {
    int DisplayDiskInfo(int mode) override {
        calls.push_back("Display(" + std::to_string(mode) + ")");
        return CFakeDiscInfo::DisplayDiskInfo(mode);
    }
    void SubmitDisc() override { calls.push_back("Submit"); }
    void InvokeSubmitDisc(const char* drive) override {
        calls.push_back(std::string("InvokeSubmit(") + drive + ")");
    }
};

struct TracksFixture : ::testing::Test, PageTestBase {
    RecordingDiscInfo recording;
    AppServices withRecording{store,  registry,    folders,   messages, system, common,  languages,
                              drives, shellDrives, recording, analysis, sheets, workInfo};
    std::unique_ptr<CTracksPageModel> model;

    // Four tracks of 4500 sectors; the kind decides which one is the data track.
    CTracksPageModel& Open(uint16_t kind) {
        job.CdType = kind;
        job.SourceDrive = 'e';
        job.TrackOrder.clear(); // as the copy method page leaves it
        job.Toc = MakeToc({{0, kind == kMixed},
                           {4500, false},
                           {9000, false},
                           {13500 + (kind == kCdExtra ? 11400u : 0u), kind == kCdExtra}},
                          40000);
        job.TrackTitles = {"", "Two", "Three", "Four"};
        if (kind != kMixed)
            job.TrackTitles[0] = "One";
        model = std::make_unique<CTracksPageModel>(Context(false, &withRecording),
                                                   [](int id) { return "#" + std::to_string(id); });
        model->Initialise(nullptr);
        model->Activate(nullptr);
        return *model;
    }
    TracksView& View() { return model->View(); }
    void Select(std::vector<int> rows) {
        View().selected = std::move(rows);
        model->SelectionChanged();
    }
    void Do(Op op) {
        switch (op) {
        case kTop:
            return model->MoveToTop();
        case kUp:
            return model->MoveUp();
        case kDown:
            return model->MoveDown();
        case kEnd:
            return model->MoveToEnd();
        case kToggle:
            return model->ToggleActive();
        }
    }
};

TEST_F(TracksFixture, RowsShowTheDiscWithPlayingTimes) {
    Open(kMixed);
    const TrackRow& data = View().rows[0];
    EXPECT_EQ(data.title, "#139");
    EXPECT_EQ(data.Image(), kImageActiveData);
    EXPECT_EQ(View().toggleImage, kImageActiveData);
    const TrackRow& second = View().rows[1];
    EXPECT_EQ((std::vector<std::string>{second.title, second.time, second.number, second.session}),
              (std::vector<std::string>{"Two", "00:00:59", "02", "1"}));

    job.Toc = MakeToc({{0, false}, {75 * 3661 + 1, false}}, 400000);
    EXPECT_EQ(TrackTimeText(job, 1), "01:01:01");
}

TEST_F(TracksFixture, MovesKeepTheDataTrackInItsRow) {
    struct Case {
        uint16_t kind;
        int row;
        Op op;
        std::string order; // empty: nothing moved
        bool refused;
    } cases[] = {
        {kAudio, 2, kTop, "03010204", false},   {kAudio, 1, kEnd, "01030402", false},
        {kAudio, 1, kDown, "01030204", false},  {kAudio, 0, kUp, "", false},
        {kMixed, 3, kTop, "01040203", false},   {kMixed, 1, kUp, "", false},
        {kMixed, 0, kDown, "", true},           {kMixed, 0, kTop, "", true},
        {kCdExtra, 0, kEnd, "02030104", false}, {kCdExtra, 2, kDown, "", false},
        {kCdExtra, 3, kUp, "", true},           {kCdExtra, 3, kEnd, "", true},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        Open(c.kind);
        Select({c.row});
        Do(c.op);
        const std::string label = std::to_string(c.kind) + " row " + std::to_string(c.row);
        std::string shown;
        for (const TrackRow& row : View().rows)
            shown += row.number;
        EXPECT_EQ(shown, c.order.empty() ? "01020304" : c.order) << label;
        EXPECT_EQ(job.TrackOrder, c.order) << label;
        EXPECT_EQ(messages.Ids(), c.refused ? std::vector<int>{104} : std::vector<int>{}) << label;
        if (!c.order.empty()) {
            EXPECT_EQ(View().selected, std::vector<int>{View().focused}) << label;
        }
    }
}

TEST_F(TracksFixture, ButtonsFollowTheSelection) {
    auto buttons = [&] {
        const TrackButtons& b = View().buttons;
        std::string on;
        for (bool enabled : {b.toTop, b.up, b.toggle, b.down, b.toEnd, b.edit})
            on += enabled ? '1' : '0';
        return on;
    };
    Open(kAudio);
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{}, "000000"}, {{0}, "001111"}, {{2}, "111111"}, {{3}, "111001"}, {{1, 2}, "001000"},
    };
    for (const auto& [selected, expected] : cases) {
        Select(selected);
        EXPECT_EQ(buttons(), expected) << selected.size() << " selected";
    }
    Open(kMixed);
    Select({0});
    EXPECT_EQ(buttons(), "001110") << "data tracks have no title";
}

TEST_F(TracksFixture, BlockingFlipsEachSelectedRowAndKeepsACdExtraWhole) {
    Open(kAudio);
    Select({1, 3});
    Do(kToggle);
    EXPECT_EQ(job.TrackOrder, "0103");
    EXPECT_EQ(View().toggleImage, kImageBlockedAudio);
    Select({1});
    Do(kToggle);
    EXPECT_EQ(job.TrackOrder, "010203");

    // Blocking an audio track takes the data session with it; it comes back only with all
    // the audio tracks.
    Open(kCdExtra);
    Select({1});
    Do(kToggle);
    EXPECT_EQ(job.TrackOrder, "0103");
    Select({3});
    Do(kToggle);
    EXPECT_EQ(messages.Ids(), std::vector<int>{103});
    EXPECT_EQ(View().rows[3].Image(), kImageBlockedData);
    Select({1, 3});
    Do(kToggle);
    EXPECT_EQ(job.TrackOrder, "01020304");

    // Left out by the settings: the data track starts blocked.
    buildSettings.OmitCdExtraDataTrack = 1;
    Open(kCdExtra);
    EXPECT_EQ(job.TrackOrder, "010203");
    EXPECT_EQ(job.UnchangedDisc, 0);
    EXPECT_EQ(View().rows[3].active, 0);
}

TEST_F(TracksFixture, NextWritesTheOrderAndTheInfoTextOfTheActiveTracks) {
    Open(kAudio);
    job.ReadSubChannel = 1;
    Select({2});
    Do(kTop);
    Select({0});
    Do(kDown);
    Do(kDown); // and back where it was
    model->Next();
    EXPECT_EQ(job.UnchangedDisc, 1);
    EXPECT_EQ(job.TrackOrder, "");
    EXPECT_EQ(job.ReadSubChannel, 1);
    EXPECT_EQ(job.InfoText, "01 One\r\n02 Two\r\n03 Three\r\n04 Four\r\n");

    Select({0});
    Do(kToggle);
    Select({3});
    Do(kTop);
    model->Next();
    EXPECT_EQ(job.TrackOrder, "040203");
    EXPECT_EQ(job.InfoText, "01 Four\r\n02 Two\r\n03 Three\r\n");
    EXPECT_EQ(job.ReadSubChannel, 0);

    model->Activate(nullptr);
    EXPECT_EQ(View().rows[0].track, 4) << "the choices stay for a second visit";
    buildSettings.AddTitlesToInfoText = 0;
    model->Next();
    EXPECT_EQ(job.InfoText, "");
}

TEST_F(TracksFixture, TitlesAreCleanedAndEmptyOnesRefused) {
    Open(kMixed);
    EXPECT_TRUE(model->EndInPlaceEdit(1, "AC/DC: Live? \t ", 260));
    EXPECT_EQ(job.TrackTitles[1], "AC-DC- Live-");
    EXPECT_EQ(View().rows[1].title, "AC-DC- Live-");
    EXPECT_FALSE(model->EndInPlaceEdit(2, "   ", 260));
    EXPECT_EQ(View().rows[2].title, "Three");
    EXPECT_FALSE(model->EndInPlaceEdit(0, "Game", 260)) << "the data track has no title";
    EXPECT_TRUE(model->EndInPlaceEdit(3, "Longer than the edit", 7));
    EXPECT_EQ(job.TrackTitles[3], "Longer than the edit");
    EXPECT_EQ(View().rows[3].title, "Longer");

    Select({2});
    std::string shownNumber;
    model->EditTitle([&](const std::string& number, std::string& title) {
        shownNumber = number;
        title = "Storm <Front>";
    });
    EXPECT_EQ(shownNumber, "3");
    EXPECT_EQ(View().rows[2].title, "Storm -Front-");
    model->EditTitle([](const std::string&, std::string&) {}); // Cancel
    EXPECT_EQ(job.TrackTitles[2], "Storm -Front-");
}

TEST_F(TracksFixture, DiscMenuFollowsTheServiceAndWhatItKnows) {
    store.Set("ZlxDisabledFeatures", "1");
    Open(kAudio);
    EXPECT_FALSE(View().menu.visible);
    EXPECT_TRUE(recording.calls.empty()) << "the service is off";

    store.Set("ZlxDisabledFeatures", "0");
    settings.UseDiscInfoService = 1;
    job.AlbumInfoFound = 1;
    recording.trackTitles = {"A/1", "B", "C", "D"};
    Open(kAudio);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"Init", "Init"}));
    EXPECT_EQ(settings.m_modified, 1);
    const DiscMenuState& menu = View().menu;
    EXPECT_TRUE(menu.visible && menu.enabled && menu.submitGreyed && !menu.showGreyed);

    recording.calls.clear();
    model->MenuCommand(kDiscInfoSubmit, nullptr); // greyed: the service knows the disc
    model->MenuCommand(kDiscInfoShow, nullptr);
    model->MenuCommand(kDiscInfoEdit, nullptr);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"Display(1)", "Display(2)", "Submit",
                                                         "Init", "FromToc(2)"}));
    EXPECT_EQ(View().rows[0].title, "A-1");

    recording.found = 0;
    job.AlbumInfoFound = 0;
    recording.calls.clear();
    model->Activate(nullptr);
    model->MenuCommand(kDiscInfoEdit, nullptr); // greyed now
    model->MenuCommand(kDiscInfoSubmit, nullptr);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"Init", "InvokeSubmit(E:)"}));

    Open(kMixed);
    EXPECT_FALSE(View().menu.enabled) << "no album on a Mixed Mode CD";
}

} // namespace
