#include "cddb/CddbDialogs.h"

#include "cddb/CddbResource.h"
#include "common/HomeFolder.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>

namespace {
int g_openDialogs = 0;

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    return text;
}

// Between an audio session and the data session after it (CD Extra) lie the lead-out,
// lead-in and pregap; they are not part of the last audio track.
constexpr uint32_t kSessionGap = 11400;

uint32_t TrackSectors(const DiscToc& toc, size_t i) {
    const uint32_t end = i + 1 < toc.starts.size() ? toc.starts[i + 1] : toc.leadOut;
    uint32_t sectors = end - toc.starts[i];
    if (i + 1 < toc.starts.size() && !toc.data[i] && toc.data[i + 1] && sectors > kSessionGap)
        sectors -= kSessionGap;
    return sectors;
}

std::string Duration(uint32_t sectors) {
    const uint32_t seconds = sectors / kFramesPerSecond;
    return Format("%u:%02u", seconds / 60, seconds % 60);
}

// One modal dialog bound to one template. Nothing thrown inside reaches the system.
class CCddbDialog {
public:
    virtual ~CCddbDialog() = default;

    INT_PTR Run(HWND owner, int templateId) {
        ++g_openDialogs;
        const INT_PTR result = DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(templateId), owner,
                                               Proc, reinterpret_cast<LPARAM>(this));
        --g_openDialogs;
        return result;
    }

protected:
    // False when it has put the focus somewhere itself.
    virtual bool OnInit() { return true; }
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    virtual void OnNotify(const NMHDR& /*header*/) {}

    HWND Item(int id) const { return GetDlgItem(m_window, id); }
    std::string Text(int id) const {
        const int length = GetWindowTextLengthA(Item(id));
        std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        GetDlgItemTextA(m_window, id, &text[0], static_cast<int>(text.size()));
        text.resize(strlen(text.c_str()));
        return text;
    }
    void SetText(int id, const std::string& text) { SetDlgItemTextA(m_window, id, text.c_str()); }
    void Message(const std::string& text, UINT icon) { ShowMessage(m_window, text, icon); }
    // Report-view columns sized in parts of the list's width; the last takes what is left.
    void Columns(HWND list, std::initializer_list<std::pair<const char*, int>> columns) {
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
        RECT client;
        GetClientRect(list, &client);
        const int width = client.right - GetSystemMetrics(SM_CXVSCROLL);
        int used = 0, index = 0, total = 0;
        for (const auto& c : columns)
            total += c.second;
        for (const auto& c : columns) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<char*>(c.first);
            column.cx = index + 1 == static_cast<int>(columns.size()) ? width - used
                                                                      : width * c.second / total;
            used += column.cx;
            ListView_InsertColumn(list, index++, &column);
        }
    }
    void AddRow(HWND list, const std::vector<std::string>& cells) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = ListView_GetItemCount(list);
        item.pszText = const_cast<char*>(cells[0].c_str());
        const int row = static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (size_t i = 1; i < cells.size(); ++i)
            SetCell(list, row, static_cast<int>(i), cells[i]);
    }
    static void SetCell(HWND list, int row, int column, const std::string& text) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }

    HWND m_window = nullptr;

private:
    static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        try {
            if (message == WM_INITDIALOG) {
                SetWindowLongPtrA(window, DWLP_USER, lParam);
                auto* self = reinterpret_cast<CCddbDialog*>(lParam);
                self->m_window = window;
                return self->OnInit() ? TRUE : FALSE;
            }
            auto* self = reinterpret_cast<CCddbDialog*>(GetWindowLongPtrA(window, DWLP_USER));
            if (!self)
                return FALSE;
            if (message == WM_COMMAND)
                return self->OnCommand(LOWORD(wParam), HIWORD(wParam));
            if (message == WM_NOTIFY) {
                self->OnNotify(*reinterpret_cast<NMHDR*>(lParam));
                return FALSE;
            }
        } catch (...) {
            EndDialog(window, IDCANCEL);
        }
        return FALSE;
    }
};

class CDiscInfoDialog : public CCddbDialog {
public:
    CDiscInfoDialog(CCddbService& service, DiscInfoMode mode)
        : m_service(service), m_mode(mode), m_record(service.Record()),
          m_category(service.SubmitCategory()) {
        m_record.tracks.resize(service.Toc().starts.size());
    }

    const DiscRecord& Record() const { return m_record; }
    // The category the user picked; empty when the choice was left alone.
    std::string ChosenCategory() const { return m_categoryChosen ? m_category : ""; }

private:
    bool OnInit() override {
        const bool view = m_mode == DiscInfoMode::View;
        SetWindowTextA(m_window, view                             ? "Disc Information"
                                 : m_mode == DiscInfoMode::Submit ? "Submit Disc Information"
                                                                  : "Edit Disc Information");
        SetText(IDC_CDDB_ARTIST, m_record.artist);
        SetText(IDC_CDDB_TITLE, m_record.title);
        SetText(IDC_CDDB_YEAR, m_record.year);
        SetText(IDC_CDDB_GENRE, m_record.genre);
        for (int id :
             {IDC_CDDB_ARTIST, IDC_CDDB_TITLE, IDC_CDDB_YEAR, IDC_CDDB_GENRE, IDC_CDDB_TRACK_TITLE})
            SendMessageA(Item(id), EM_SETREADONLY, view, 0);
        FillCategories();
        EnableWindow(Item(IDC_CDDB_CATEGORY), !view);

        const DiscToc& toc = m_service.Toc();
        SetText(IDC_CDDB_SUMMARY,
                Format("Disc ID %s, %d tracks, %s", DiscIdText(FreedbDiscId(toc)).c_str(),
                       toc.TrackCount(), Duration(toc.leadOut - toc.starts.front()).c_str()));
        SetText(IDC_CDDB_SOURCE, SourceText());

        // A compilation's tracks have artists of their own, shown beside the titles.
        HWND list = Item(IDC_CDDB_TRACKS);
        const bool artists = m_record.compilation;
        if (artists)
            Columns(list, {{"No.", 10}, {"Title", 45}, {"Artist", 30}, {"Length", 15}});
        else
            Columns(list, {{"No.", 12}, {"Title", 70}, {"Length", 18}});
        for (size_t i = 0; i < m_record.tracks.size(); ++i) {
            std::vector<std::string> row = {Format("%d", toc.firstTrack + static_cast<int>(i)),
                                            m_record.tracks[i].title};
            if (artists)
                row.push_back(m_record.tracks[i].artist);
            row.push_back(toc.data[i] ? "data" : Duration(TrackSectors(toc, i)));
            AddRow(list, row);
        }
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (view) {
            ShowWindow(Item(IDOK), SW_HIDE);
            SetText(IDCANCEL, "Close");
            SendMessageA(m_window, DM_SETDEFID, IDCANCEL, 0);
            SetFocus(list);
            return false;
        }
        if (m_mode == DiscInfoMode::Submit)
            SetText(IDOK, "&Submit");
        return true;
    }

    std::string SourceText() const {
        switch (m_service.Source()) {
        case DiscSource::Database:
            return "Found in the database, category " + m_service.Category() + ".";
        case DiscSource::CdText:
            return "Read from the disc's CD-Text; the database does not know this disc.";
        case DiscSource::Edited:
            return "Entered by you; not yet in the database.";
        case DiscSource::None:
            break;
        }
        return "The database does not know this disc.";
    }

    void FillCategories() {
        std::set<std::string> names(std::begin(kFreedbCategories), std::end(kFreedbCategories));
        CWinDatabaseFiles files;
        const std::string root = m_service.Database().Root();
        if (!root.empty())
            for (const std::string& folder : files.Folders(root))
                names.insert(folder);
        names.insert(m_category);
        HWND combo = Item(IDC_CDDB_CATEGORY);
        for (const std::string& name : names) {
            const LRESULT index =
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            if (name == m_category)
                SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }

    // Until a category is picked, a disc the database does not hold yet goes where its genre
    // says, so the list follows the genre as it is typed.
    void FollowGenre() {
        if (m_categoryChosen || !m_service.Category().empty())
            return;
        const std::string category = m_service.Database().CategoryForGenre(Text(IDC_CDDB_GENRE));
        SendMessageA(Item(IDC_CDDB_CATEGORY), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(category.c_str()));
    }

    bool OnCommand(int id, int code) override {
        if (id == IDC_CDDB_GENRE && code == EN_CHANGE) {
            FollowGenre();
            return true;
        }
        if (id == IDC_CDDB_CATEGORY && code == CBN_SELCHANGE) {
            m_categoryChosen = true;
            return true;
        }
        if (id == IDC_CDDB_TRACK_TITLE && code == EN_CHANGE && !m_loading) {
            const int row = ListView_GetNextItem(Item(IDC_CDDB_TRACKS), -1, LVNI_SELECTED);
            if (row >= 0 && static_cast<size_t>(row) < m_record.tracks.size()) {
                m_record.tracks[static_cast<size_t>(row)].title = Text(IDC_CDDB_TRACK_TITLE);
                SetCell(Item(IDC_CDDB_TRACKS), row, 1,
                        m_record.tracks[static_cast<size_t>(row)].title);
            }
            return true;
        }
        if (id == IDOK) {
            ReadFields();
            EndDialog(m_window, IDOK);
            return true;
        }
        if (id == IDCANCEL) {
            EndDialog(m_window, IDCANCEL);
            return true;
        }
        return false;
    }

    void OnNotify(const NMHDR& header) override {
        if (header.idFrom != IDC_CDDB_TRACKS || header.code != LVN_ITEMCHANGED)
            return;
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!(change.uNewState & LVIS_SELECTED) || change.iItem < 0 ||
            static_cast<size_t>(change.iItem) >= m_record.tracks.size())
            return;
        m_loading = true;
        SetText(IDC_CDDB_TRACK_TITLE, m_record.tracks[static_cast<size_t>(change.iItem)].title);
        SetText(IDC_CDDB_TRACK_LABEL,
                Format("&Track %d:", m_service.Toc().firstTrack + change.iItem));
        m_loading = false;
    }

    void ReadFields() {
        const std::string oldArtist = m_record.artist;
        m_record.artist = Text(IDC_CDDB_ARTIST);
        m_record.title = Text(IDC_CDDB_TITLE);
        m_record.year = Text(IDC_CDDB_YEAR);
        m_record.genre = Text(IDC_CDDB_GENRE);
        m_record.compilation = IsVariousArtists(m_record.artist);
        // Tracks that had the album's artist keep having it.
        for (TrackTexts& t : m_record.tracks)
            if (t.artist.empty() || t.artist == oldArtist)
                t.artist = m_record.artist;
        const int index =
            static_cast<int>(SendMessageA(Item(IDC_CDDB_CATEGORY), CB_GETCURSEL, 0, 0));
        if (index >= 0) {
            char name[64] = {};
            if (SendMessageA(Item(IDC_CDDB_CATEGORY), CB_GETLBTEXTLEN, index, 0) < 64)
                SendMessageA(Item(IDC_CDDB_CATEGORY), CB_GETLBTEXT, index,
                             reinterpret_cast<LPARAM>(name));
            if (name[0])
                m_category = name;
        }
    }

    CCddbService& m_service;
    DiscInfoMode m_mode;
    DiscRecord m_record;
    std::string m_category;
    bool m_categoryChosen = false;
    bool m_loading = false;
};

class CBrowserDialog : public CCddbDialog {
public:
    explicit CBrowserDialog(CCddbService& service) : m_service(service) {}

private:
    static constexpr size_t kLimit = 5000;

    bool OnInit() override {
        CDiscDatabase database = m_service.Database();
        if (database.Root().empty()) {
            SetText(IDC_CDDB_LIST_SUMMARY, "No database folder is set; choose one in the options.");
        } else {
            m_entries = database.List(kLimit);
            SetText(IDC_CDDB_LIST_SUMMARY,
                    Format(m_entries.size() >= kLimit ? "The first %u entries in %s"
                                                      : "%u entries in %s",
                           static_cast<unsigned>(m_entries.size()), database.Root().c_str()));
        }
        Columns(Item(IDC_CDDB_LIST),
                {{"Artist", 30}, {"Title", 38}, {"Category", 16}, {"Disc ID", 16}});
        Fill();
        return true;
    }

    void Fill() {
        HWND list = Item(IDC_CDDB_LIST);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list);
        for (const ListedEntry& e : m_entries)
            AddRow(list, {e.artist, e.title, e.category, e.discId});
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    }

    bool OnCommand(int id, int /*code*/) override {
        if (id == IDCANCEL || id == IDOK) {
            EndDialog(m_window, id);
            return true;
        }
        return false;
    }

    void OnNotify(const NMHDR& header) override {
        if (header.idFrom != IDC_CDDB_LIST || header.code != LVN_COLUMNCLICK)
            return;
        const int column = reinterpret_cast<const NMLISTVIEW&>(header).iSubItem;
        static std::string ListedEntry::*const fields[] = {
            &ListedEntry::artist, &ListedEntry::title, &ListedEntry::category,
            &ListedEntry::discId};
        if (column < 0 || column > 3)
            return;
        auto field = fields[column];
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [field](const ListedEntry& a, const ListedEntry& b) {
                             return _stricmp((a.*field).c_str(), (b.*field).c_str()) < 0;
                         });
        Fill();
    }

    CCddbService& m_service;
    std::vector<ListedEntry> m_entries;
};

class COptionsDialog : public CCddbDialog {
public:
    explicit COptionsDialog(CWinCddbSystem& system) : m_system(system) {}

private:
    bool OnInit() override {
        SetText(IDC_CDDB_FOLDER, m_system.DatabaseFolder());
        CheckDlgButton(m_window, IDC_CDDB_USE_CDTEXT,
                       m_system.UseCdText() ? BST_CHECKED : BST_UNCHECKED);
        return true;
    }

    static int CALLBACK BrowseStart(HWND window, UINT message, LPARAM, LPARAM data) {
        if (message == BFFM_INITIALIZED && data)
            SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
        return 0;
    }

    void Browse() {
        std::string current = Text(IDC_CDDB_FOLDER);
        while (current.size() > 3 && current.back() == '\\')
            current.pop_back();
        BROWSEINFOA info = {};
        info.hwndOwner = m_window;
        info.lpszTitle = "Choose the folder that holds the database's category folders.";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = BrowseStart;
        info.lParam = reinterpret_cast<LPARAM>(current.c_str());
        PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
        if (!chosen)
            return;
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(chosen, path))
            SetText(IDC_CDDB_FOLDER, WithBackslash(path));
        CoTaskMemFree(chosen);
    }

    bool OnCommand(int id, int /*code*/) override {
        if (id == IDC_CDDB_BROWSE) {
            Browse();
            return true;
        }
        if (id == IDOK) {
            if (!m_system.SaveOptions(Text(IDC_CDDB_FOLDER),
                                      IsDlgButtonChecked(m_window, IDC_CDDB_USE_CDTEXT) ==
                                          BST_CHECKED)) {
                Message("The options cannot be saved: the settings store library is missing.",
                        MB_ICONSTOP);
                return true;
            }
            EndDialog(m_window, IDOK);
            return true;
        }
        if (id == IDCANCEL) {
            EndDialog(m_window, IDCANCEL);
            return true;
        }
        return false;
    }

    CWinCddbSystem& m_system;
};

class CAboutDialog : public CCddbDialog {
public:
    explicit CAboutDialog(CCddbService& service) : m_service(service) {}

private:
    static constexpr size_t kCountLimit = 100000;

    bool OnInit() override {
        SendMessageA(Item(IDC_CDDB_ABOUT_ICON), STM_SETICON,
                     reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)), 0);
        CDiscDatabase database = m_service.Database();
        if (database.Root().empty()) {
            SetText(IDC_CDDB_ABOUT_FOLDER, "none chosen");
            SetText(IDC_CDDB_ABOUT_COUNT, "0");
            return true;
        }
        SetText(IDC_CDDB_ABOUT_FOLDER, database.Root());
        const size_t count = database.Count(kCountLimit);
        SetText(IDC_CDDB_ABOUT_COUNT,
                count >= kCountLimit ? Format("more than %u", static_cast<unsigned>(kCountLimit))
                                     : Format("%u", static_cast<unsigned>(count)));
        return true;
    }

    bool OnCommand(int id, int /*code*/) override {
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(m_window, id);
            return true;
        }
        return false;
    }

    CCddbService& m_service;
};
} // namespace

int OpenDialogCount() {
    return g_openDialogs;
}

void ShowMessage(HWND owner, const std::string& text, UINT icon) {
    ++g_openDialogs;
    MessageBoxA(owner, text.c_str(), kCddbCaption, MB_OK | icon);
    --g_openDialogs;
}

int ShowDiscInfo(HWND owner, CCddbService& service, DiscInfoMode mode) {
    if (!service.HasDisc()) {
        ShowMessage(owner, "No disc has been looked up yet.", MB_ICONINFORMATION);
        return 0;
    }
    CDiscInfoDialog dialog(service, mode);
    if (dialog.Run(owner, IDD_CDDB_DISCINFO) != IDOK || mode == DiscInfoMode::View)
        return 0;
    int result = 0;
    if (dialog.Record() != service.Record()) {
        service.ReplaceRecord(dialog.Record());
        result = kDiscInfoChanged;
    }
    if (!dialog.ChosenCategory().empty())
        service.ChooseCategory(dialog.ChosenCategory());
    if (mode == DiscInfoMode::Submit && !service.Submit())
        ShowMessage(owner,
                    service.Database().Root().empty()
                        ? "The disc information cannot be stored: no database folder is set."
                        : "The disc information cannot be written into the database folder.",
                    MB_ICONSTOP);
    return result;
}

void ShowBrowser(HWND owner, CCddbService& service) {
    CBrowserDialog(service).Run(owner, IDD_CDDB_BROWSER);
}

void ShowOptions(HWND owner, CWinCddbSystem& system) {
    COptionsDialog(system).Run(owner, IDD_CDDB_OPTIONS);
}

void ShowAbout(HWND owner, CCddbService& service) {
    CAboutDialog(service).Run(owner, IDD_CDDB_ABOUT);
}
