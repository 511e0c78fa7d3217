#include "pages/PropertiesPageLogic.h"
#include "pages/ToDoPageLogic.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

namespace {

// Dialogs answered from a script: an empty answer is Cancel.
struct ScriptedDialogs : IPropertiesDialogs {
    std::string program, folder, comment;
    bool commentOk = true;
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
        if (commentOk)
            text = comment;
        return commentOk;
    }
};

struct NoSlotPages : ISlotPages {
    bool CreateAndAppend(int) override { return true; }
    void RemoveAndDestroy(int) override {}
};

struct PropertiesFixture : ::testing::Test, FakeServices {
    PropertiesFixture() { InstallProduct(); }
    CZlxSettings settings{store, registry, folders};
    CZlxBuildSettings buildSettings{store, registry};
    CBuildJob job{store, registry};
    NoSlotPages slotPages;
    CPageSlots slots{slotPages};
    ScriptedDialogs dialogs;
    int writerStarts = 0;
    PageContext context{job,
                        settings,
                        buildSettings,
                        services,
                        slots,
                        [this] {
                            ++writerStarts;
                            job.WriteToStore();
                        },
                        false,
                        false};
    CPropertiesPageModel model{context, dialogs};
};

TEST_F(PropertiesFixture, FinishChecksThePasswordsThenStoresTheChoicesAndStartsTheWriter) {
    struct Case {
        const char* password;
        const char* verification;
        char drive;
        uint16_t key, modifiers;
        bool accepted;
        const char* insertDrive;
        uint16_t storedKey, storedModifiers;
    } cases[] = {
        {"", "", 0, 0, 0, true, "", 0, 0},
        {"Secret", "Secret", 'V', 0x74, kHotkeyControl | kHotkeyAlt, true, "V:", 0x74, 6},
        {"Secret", "secret", 'V', 0x74, 0, false, "", 0, 0}, // letter case counts
        {"Secret", "", 0, 0, 0, false, "", 0, 0},
        {"", "x", 0, 0, 0, false, "", 0, 0},
        {"a", "a", 0, 0, kHotkeyShift, true, "", 0, 0},                 // modifiers without a key
        {"a", "a", 0, 0x41, 0xF0 | kHotkeyExtended, true, "", 0x41, 8}, // stray bits dropped
    };
    for (const Case& c : cases) {
        store = CMemoryEnvStore();
        job.Reset();
        messages.shown.clear();
        writerStarts = 0;
        PropertiesView& view = model.View();
        view = {c.password,  c.verification, "C:\\Run\\go.exe", "C:\\Run\\", c.key,
                c.modifiers, c.drive};
        EXPECT_EQ(model.Finish(), c.accepted) << c.password << "/" << c.verification;
        EXPECT_EQ(writerStarts, c.accepted ? 1 : 0);
        EXPECT_EQ(messages.Ids(), c.accepted ? std::vector<int>{} : std::vector<int>{161});
        if (!c.accepted) {
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::Error);
            EXPECT_TRUE(job.StartProgram.empty()) << "nothing is stored";
            EXPECT_TRUE(store.WrittenNames().empty());
            continue;
        }
        EXPECT_EQ(job.Password, c.password);
        EXPECT_EQ(job.AutoInsertDrive, c.insertDrive);
        EXPECT_EQ(job.StartProgram, "C:\\Run\\go.exe");
        EXPECT_EQ(job.StartPath, "C:\\Run\\");
        EXPECT_EQ(job.HotkeyVirtualCode, c.storedKey);
        EXPECT_EQ(job.HotkeyModifiers, c.storedModifiers);
        EXPECT_EQ(store.Has("ZlxBuildPassword"), *c.password != 0);
        EXPECT_EQ(store.Has("ZlxBuildAutoInsertDrive"), c.drive != 0);
        EXPECT_EQ(store.Get("ZLXBuildDataReady"), "1");
    }
    EXPECT_EQ(model.Buttons(), kWizBack | kWizFinish);
}

TEST_F(PropertiesFixture, AChosenProgramFillsAnEmptyWorkingDirectoryWithItsFolder) {
    struct Case {
        const char* typedDirectory;
        const char* chosen; // empty: cancelled
        const char* program;
        const char* directory;
    } cases[] = {
        {"", "C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "C:\\Tools\\"},
        {" \t ", "C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "C:\\Tools\\"},
        {"  D:\\Work ", "C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "D:\\Work"},
        {"", "run.exe", "run.exe", ""},
        {"  D:\\Work ", "", "old.exe", "  D:\\Work "}, // cancelled: nothing changes
    };
    for (const Case& c : cases) {
        PropertiesView& view = model.View();
        view.startProgram = "old.exe";
        view.workingDirectory = c.typedDirectory;
        dialogs.program = c.chosen;
        dialogs.opened.clear();
        model.BrowseProgram();
        EXPECT_EQ(dialogs.opened, std::vector<std::string>{"old.exe"});
        EXPECT_EQ(view.startProgram, c.program) << c.chosen;
        EXPECT_EQ(view.workingDirectory, c.directory) << c.chosen;
    }

    dialogs.folder = "E:\\Setup\\";
    model.BrowseDirectory();
    EXPECT_EQ(model.View().workingDirectory, "E:\\Setup\\");
    dialogs.folder.clear();
    model.BrowseDirectory();
    EXPECT_EQ(model.View().workingDirectory, "E:\\Setup\\") << "cancelled";
}

TEST_F(PropertiesFixture, TheCommentIsEditedInTheJob) {
    job.InfoText = "from the track list";
    dialogs.comment = "Serial 1234\r\nInstall with setup.exe";
    model.EditComment();
    EXPECT_EQ(dialogs.opened, std::vector<std::string>{"from the track list"});
    EXPECT_EQ(job.InfoText, dialogs.comment);

    dialogs.commentOk = false;
    model.EditComment();
    EXPECT_EQ(job.InfoText, dialogs.comment) << "Cancel keeps the comment";

    dialogs.commentOk = true;
    dialogs.comment = std::string(3000, 'c');
    model.EditComment();
    EXPECT_EQ(job.InfoText.size(), 2047u);
}

} // namespace
