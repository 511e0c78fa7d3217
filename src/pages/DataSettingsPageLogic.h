#pragma once
// The data track settings page's rules, without a window: which read options a disc and
// its drive allow, the messages that refuse or correct a choice, the speed lists and the
// job values every change writes. The Win32 page binds its controls to the model's view.
#include "app/PageContext.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the disc kind decides on this page.
struct DataDiscRules {
    bool rawSelectable = true;     // a DVD is always read cooked
    bool rawRequired = false;      // Mode 2 and audio-bearing kinds only copy whole raw
    bool quickCopyOffered = false; // only data-bearing discs get a Quick Copy file
};
DataDiscRules RulesForDisc(uint16_t cdType);

// Both speed lists' entries from the drive's speed table ("%02d x" each, up to the first
// 0); `defaultText` alone when the drive reported none.
std::vector<std::string> SpeedEntries(const uint32_t (&table)[100], const std::string& defaultText);
// The speed an entry stands for: the number before its unit, 0 for "Default".
int SpeedOfEntry(const std::string& entry);
// The entry to select for a job speed: its own one when 0 < speed <= maxSpeed (-1 when
// the list lacks it), otherwise the first.
int SpeedEntryIndex(const std::vector<std::string>& entries, int speed, int maxSpeed);

// What the page shows; the Win32 page reads it from and writes it to its controls.
struct DataSettingsView {
    bool fastRead = false;
    bool fastErrorSkip = false;
    bool raw = false;
    bool subChannel = false;
    bool dynamic = false;
    bool quickCopy = false;
    int repeatReads = 0; // list position: 0 is "1 x"
    int readSpeed = -1;  // list positions in `speeds`, -1 for none
    int errorSpeed = -1;
    int skipRange = 1;
    std::vector<std::string> speeds; // entries of both speed lists

    bool rawEnabled = true;
    bool subChannelEnabled = false;
    bool errorSpeedEnabled = false;
    bool quickCopyEnabled = false;
};

class CDataSettingsPageModel {
public:
    using TextById = std::function<std::string(int)>;
    CDataSettingsPageModel(const PageContext& context, TextById text);

    static constexpr int kMinSkipRange = 1;
    static constexpr int kMaxSkipRange = 100000;
    static constexpr int kRepeatChoices = 5;

    DataSettingsView& View() { return m_view; }
    int Buttons() const;

    // The page becomes active: fresh speed lists and every control from the job.
    void Activate();
    // The job's values into the view, then the RAW rules.
    void LoadControls();
    // Handlers, each after the page read its controls into the view.
    void RawClicked();
    void SubChannelClicked();
    void QuickCopyClicked();
    // The view into the job (also for the plain check boxes, the lists and the skip range).
    void StoreValues();
    void Next() { StoreValues(); }

private:
    int SelectedSpeed(int index) const;

    PageContext m_context;
    TextById m_text;
    DataSettingsView m_view;
    int m_reloads = 0; // guards the speed check's reload against a table that never settles
};
