#pragma once
// The track list page's rules, without a window: the rows of the track list, moving,
// blocking and naming tracks, the track order they make, which buttons work, the disc
// information menu, and what Next leaves in the job. The Win32 page shows the view and
// hands the user's selection back.
#include "app/PageContext.h"

#include <functional>
#include <string>
#include <vector>

// Row images, in image list order; the activate/block button shows the same four.
enum TrackImage { kImageActiveAudio = 0, kImageBlockedAudio, kImageActiveData, kImageBlockedData };

struct TrackRow {
    int track = 0; // as on the disc, from 1
    bool data = false;
    int active = 1; // the row's item data: 1 goes into the image, 0 is blocked
    // The four columns: title, playing time, track number, session.
    std::string title, time, number, session;

    int Image() const;
};

// The disc information menu, in menu order.
enum DiscInfoCommand {
    kDiscInfoAbout,
    kDiscInfoShow,
    kDiscInfoEdit,
    kDiscInfoSubmit,
    kDiscInfoBrowser,
    kDiscInfoOptions,
};

struct TrackButtons {
    bool toTop = false, up = false, toggle = false, down = false, toEnd = false, edit = false;
};

struct DiscMenuState {
    bool visible = true; // the product may switch the service off for good
    bool enabled = false;
    bool submitGreyed = false; // the service knows the disc already
    bool showGreyed = false;   // "CD information..." and "Edit CD information...": it does not
};

struct TracksView {
    std::vector<TrackRow> rows;
    std::vector<int> selected; // rows in list order; the Win32 page keeps it current
    int focused = -1;          // a row the page selects, focuses and scrolls to; -1 none
    int toggleImage = kImageActiveAudio;
    TrackButtons buttons;
    DiscMenuState menu;
};

// The playing time shown for a track: hh:mm:ss.
std::string TrackTimeText(const CBuildJob& job, int track);

class CTracksPageModel {
public:
    using TextById = std::function<std::string(int)>;
    // Shows the title editor with the track number; Cancel leaves `title` as it was.
    using TitleEditor = std::function<void(const std::string& number, std::string& title)>;

    static constexpr int kMaxNumberDigits = 3;

    CTracksPageModel(const PageContext& context, TextById text);

    TracksView& View() { return m_view; }
    const TracksView& View() const { return m_view; }

    // Once, with the page's window: the menu's availability and the service's start.
    void Initialise(void* window);
    // Each time the page shows: the list from the disc unless it holds the user's choices.
    void Activate(void* window);
    // The user changed the selection (the view's `selected`).
    void SelectionChanged();

    // Each moves the first selected row; message 104 when it is the fixed data track.
    void MoveToTop();
    void MoveUp();
    void MoveDown();
    void MoveToEnd();
    // Flips every selected row.
    void ToggleActive();
    // The title editor for the first selected audio track.
    void EditTitle(const TitleEditor& editor);
    // Whether the row's title may be edited in place.
    bool CanEditInPlace(int row) const;
    // The end of editing a row's title in place; false when the text is refused and the row
    // keeps its title. `bufferLength` is what the edit could hold, with its zero.
    bool EndInPlaceEdit(int row, const std::string& text, size_t bufferLength);
    // A command of the disc information menu; `window` is the page.
    void MenuCommand(DiscInfoCommand command, void* window);
    // The page's choices into the job.
    void Next();

private:
    void FillList();
    TrackRow MakeRow(int index, bool startsBlocked) const;
    void RefreshTitles();
    void RebuildTrackOrder();
    void UpdateButtons();
    void UpdateDiscMenu();
    void ShowDiscInfo(int mode, void* window);
    void SetTrackTitle(int index, const std::string& text);
    std::string TitleOf(const TrackRow& row) const;
    // The row a Mixed Mode CD's or CD Extra's data track keeps; -1 when none is fixed.
    int FixedDataRow() const;
    bool IsCdExtra() const;
    bool IsMixedMode() const;
    // Moves the first selected row to `target` (after the refusal check).
    void MoveSelectedTo(int target);
    int FirstSelected() const;

    PageContext m_context;
    TextById m_text;
    TracksView m_view;
    bool m_initialised = false;
};
