#include "pages/PropertiesPageLogic.h"
#include "pages/ToDoPageLogic.h"
#include "support/PageTestBase.h"

#include <gtest/gtest.h>

namespace {

// Dialogs answered from a script: an empty answer is Cancel.
struct ScriptedDialogs : IPropertiesDialogs {
    std::string program, folder, comment;
    std::vector<std::string> opened; // what each dialog was opened with
    bool ChooseProgram(const std::string& initial, std::string& chosen) override {
        opened.push_back(initial);
        chosen = program;
        return !program.empty();
    }
    bool ChooseFolder(std::string& chosen) override {
        chosen = folder;
        return !folder.empty();
    }
    bool EditComment(std::string& text) override {
        opened.push_back(text);
        text = comment.empty() ? text : comment;
        return !comment.empty();
    }
};

struct PropertiesFixture : ::testing::Test, PageTestBase {
    ScriptedDialogs dialogs;
    CPropertiesPageModel model{Context(), dialogs};
};

TEST_F(PropertiesFixture, FinishStoresTheChoicesOnlyWhenThePasswordsMatch) {
    struct Case {
        const char *password, *verification;
        char drive;
        uint16_t key, modifiers;
        bool accepted;
        const char* insertDrive;
        uint16_t storedKey, storedModifiers;
    } cases[] = {
        {"", "", 0, 0, 0, true, "", 0, 0},
        {"Secret", "Secret", 'V', 0x74, kHotkeyControl | kHotkeyAlt, true, "V:", 0x74, 6},
        {"Secret", "secret", 'V', 0x74, 0, false, "", 0, 0}, // letter case counts
        {"", "x", 0, 0, 0, false, "", 0, 0},
        {"a", "a", 0, 0, kHotkeyShift, true, "", 0, 0},                 // modifiers alone
        {"a", "a", 0, 0x41, 0xF0 | kHotkeyExtended, true, "", 0x41, 8}, // stray bits
    };
    for (const Case& c : cases) {
        job.Reset();
        messages.shown.clear();
        writerStarts = 0;
        model.View() = {c.password,  c.verification, "C:\\Run\\go.exe", "C:\\Run\\", c.key,
                        c.modifiers, c.drive};
        EXPECT_EQ(model.Finish(), c.accepted) << c.password << "/" << c.verification;
        EXPECT_EQ(writerStarts, c.accepted ? 1 : 0);
        EXPECT_EQ(messages.Ids(), c.accepted ? std::vector<int>{} : std::vector<int>{161});
        if (!c.accepted) {
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
        }
        EXPECT_EQ(job.StartProgram, c.accepted ? "C:\\Run\\go.exe" : "") << "nothing on refusal";
        EXPECT_EQ(job.StartPath, c.accepted ? "C:\\Run\\" : "");
        EXPECT_EQ(job.Password, c.accepted ? c.password : "");
        EXPECT_EQ(job.AutoInsertDrive, c.insertDrive);
        EXPECT_EQ(job.HotkeyVirtualCode, c.storedKey);
        EXPECT_EQ(job.HotkeyModifiers, c.storedModifiers);
    }
    EXPECT_EQ(model.Buttons(), kWizBack | kWizFinish);
}

TEST_F(PropertiesFixture, BrowsingFillsTheFieldsAndTheCommentIsEditedInTheJob) {
    struct Case {
        const char *typedDirectory, *chosen, *program, *directory; // chosen "": cancelled
    } cases[] = {
        {"", "C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "C:\\Tools\\"},
        {" \t ", "C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "C:\\Tools\\"},
        {"  D:\\Work ", "C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "D:\\Work"},
        {"", "run.exe", "run.exe", ""},
        {"  D:\\Work ", "", "old.exe", "  D:\\Work "},
    };
    PropertiesView& view = model.View();
    for (const Case& c : cases) {
        view.startProgram = "old.exe";
        view.workingDirectory = c.typedDirectory;
        dialogs.program = c.chosen;
        model.BrowseProgram();
        EXPECT_EQ(dialogs.opened.back(), "old.exe");
        EXPECT_EQ(view.startProgram, c.program) << c.chosen;
        EXPECT_EQ(view.workingDirectory, c.directory) << c.chosen;
    }
    dialogs.folder = "E:\\Setup\\";
    model.BrowseDirectory();
    dialogs.folder.clear();
    model.BrowseDirectory(); // cancelled
    EXPECT_EQ(view.workingDirectory, "E:\\Setup\\");

    job.InfoText = "from the track list";
    dialogs.comment = "Serial 1234\r\nsetup";
    model.EditComment();
    EXPECT_EQ(dialogs.opened.back(), "from the track list");
    EXPECT_EQ(job.InfoText, dialogs.comment);
    dialogs.comment.clear();
    model.EditComment(); // cancelled
    EXPECT_EQ(job.InfoText, "Serial 1234\r\nsetup");
    dialogs.comment = std::string(3000, 'c');
    model.EditComment();
    EXPECT_EQ(job.InfoText, std::string(2047, 'c'));
}

} // namespace
