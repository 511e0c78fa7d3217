#include "settings/MemoryEnvStore.h"
#include "settings/ZlxBuildSettings.h"
#include "settings/ZlxPreSettings.h"
#include "settings/ZlxSettings.h"

#include <gtest/gtest.h>

namespace {

struct SettingsFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeUserFolders folders;

    void SetAllPaths() {
        store.Set("ZlxImagePath", "D:\\Images\\");
        store.Set("CddbPath", "D:\\Cddb\\");
        store.Set("ZlxZQCPath", "D:\\Zqc\\");
        store.Set("ZlxScriptPath", "D:\\Script\\");
    }
};

TEST_F(SettingsFixture, SwitchTextNeedsFiveCharactersAndMapsEachPosition) {
    SetAllPaths();
    store.Set("ZlxSettings", "0000");
    CZlxSettings shortText(store, registry, folders);
    EXPECT_EQ(shortText.Flag1, 1);
    EXPECT_EQ(shortText.ShowToolTips, 1);

    store.Set("ZlxSettings", "10110");
    CZlxSettings s(store, registry, folders);
    EXPECT_EQ(s.UseDiscInfoService, 1);
    EXPECT_EQ(s.Flag1, 0);
    EXPECT_EQ(s.Flag2, 1);
    EXPECT_EQ(s.ShowToolTips, 1);
    EXPECT_EQ(s.Flag4, 0);
}

TEST_F(SettingsFixture, CompletePathsNeitherConsultTheShellNorWrite) {
    SetAllPaths();
    store.Set("ZlxCheckBackgroundSecs", "12");
    store.Set("ZlxLanguage", "DEU");
    CZlxSettings s(store, registry, folders);
    EXPECT_EQ(folders.m_documentQueries, 0);
    EXPECT_TRUE(store.Journal().empty());
    EXPECT_EQ(s.CheckBackgroundSecs, 12);
    EXPECT_EQ(s.Language, "DEU");
}

TEST_F(SettingsFixture, MissingPathsAreCreatedBelowDocumentsAndAllFourWritten) {
    SetAllPaths();
    store.Set("ZlxZQCPath", "");
    CZlxSettings onlyQuickCopy(store, registry, folders);
    EXPECT_EQ(onlyQuickCopy.ZQCPath, "C:\\Users\\A\\Documents\\Zelvane v5\\ZQCopy\\");
    EXPECT_EQ(folders.m_created, std::set<std::string>{onlyQuickCopy.ZQCPath});
    EXPECT_EQ(store.WrittenNames(),
              (std::vector<std::string>{"ZlxZQCPath", "ZlxScriptPath", "ZlxImagePath", "CddbPath"}));

    CMemoryEnvStore empty;
    folders.m_documents = "C:\\Users\\A\\Documents\\"; // a trailing backslash is not doubled
    CZlxSettings fresh(empty, registry, folders);
    EXPECT_EQ(fresh.ImagePath, "C:\\Users\\A\\Documents\\Zelvanes\\");
    EXPECT_EQ(fresh.CddbPath, "C:\\Users\\A\\Documents\\Zelvane v5\\CDDB\\");
    EXPECT_EQ(fresh.ScriptPath, "C:\\Users\\A\\Documents\\Zelvane v5\\Script\\");
    EXPECT_TRUE(folders.m_created.count("C:\\Users\\A\\Documents\\Zelvanes"));
}

TEST_F(SettingsFixture, NoDocumentsFolderLeavesPathsEmptyButWritesThem) {
    folders.m_hasDocuments = false;
    CZlxSettings s(store, registry, folders);
    EXPECT_TRUE(s.ImagePath.empty());
    EXPECT_EQ(store.WrittenNames().size(), 4u);
    EXPECT_FALSE(store.Has("ZlxImagePath")); // written empty, which clears
}

TEST_F(SettingsFixture, SaveWritesOnlyWhenModifiedAndMirrorsInItsOwnOrder) {
    SetAllPaths();
    CZlxSettings s(store, registry, folders);
    s.Save();
    EXPECT_TRUE(store.Journal().empty());

    s.ShowToolTips = 0;
    s.m_modified = 1;
    s.Save();
    EXPECT_EQ(s.m_modified, 0);
    EXPECT_EQ(store.Get("ZlxSettings"), "01100");
    EXPECT_EQ(store.WrittenNames(),
              (std::vector<std::string>{"ZlxSettings", "ZlxUseXPIcons", "ZlxLanguage",
                                        "ZlxCheckBackgroundSecs", "ZlxZQCPath", "ZlxScriptPath",
                                        "ZlxImagePath", "CddbPath", "ZlxDPhysDrv"}));
    EXPECT_EQ(registry.m_writes,
              (std::vector<std::string>{"ZlxImagePath", "CddbPath", "ZlxDPhysDrv", "ZlxZQCPath",
                                        "ZlxScriptPath", "ZlxSettings", "ZlxUseXPIcons", "ZlxLanguage",
                                        "ZlxCheckBackgroundSecs"}));
    EXPECT_EQ(registry.m_values["HKCU\\Software\\Kestrelin\\Zelvane 5\\Settings\\ZlxSettings"], "01100");

    registry.m_locked = true; // the store is written even when the mirror cannot be
    s.m_modified = 1;
    store.ClearJournal();
    s.Save();
    EXPECT_EQ(store.Journal().size(), 9u);
}

TEST_F(SettingsFixture, BuildSwitchesNeedFourteenCharactersWithThreeWayFifth) {
    store.Set("ZlxBuildSettings", "1111111111111");
    CZlxBuildSettings tooShort(store, registry);
    EXPECT_EQ(tooShort.Text(), "00111001100100"); // the defaults

    store.Set("ZlxBuildSettings", "01017x1011100111");
    CZlxBuildSettings s(store, registry);
    EXPECT_EQ(s.AllowLabelChange, 1);
    EXPECT_EQ(s.BuildFlag5, 1);       // "7" reads as 1
    EXPECT_EQ(s.AcceptVirtualDrives, 1);
    EXPECT_EQ(s.UseErrorCorrectedToc, 0);
    EXPECT_EQ(s.BuildFlag14, 1);      // characters past 14 were cut by the read buffer

    store.Set("ZlxBuildSettings", "00002000000000");
    EXPECT_EQ(CZlxBuildSettings(store, registry).BuildFlag5, 2);
    store.Set("ZlxBuildSettings", "00000000000000");
    CZlxBuildSettings zero(store, registry);
    EXPECT_EQ(zero.BuildFlag5, 0);
    zero.EasyCopyMode = 1;
    zero.m_modified = 1;
    zero.Save();
    EXPECT_EQ(store.Get("ZlxBuildSettings"), "00010000000000");
    EXPECT_EQ(registry.m_values["HKCU\\Software\\Kestrelin\\Zelvane 5\\Settings\\ZlxBuildSettings"],
              "00010000000000");
}

TEST_F(SettingsFixture, PresetsTakeOnlyExactLengthsAndOptionalAudioFormat) {
    const std::string presets = "1000100010021000000000000000000000000000000000000000000000000000" "0000";
    store.Set("ZlxPreCompression", presets + "0");
    EXPECT_EQ(CZlxPreSettings(store, registry).GroupFlag(2), 0);
    store.Set("ZlxPreCompression", presets);
    store.Set("ZlxPreAudio", "01");
    store.Set("ZlxPreAcmAvgBytesPerSec", "16000"); // ignored without a format tag
    CZlxPreSettings p(store, registry);
    EXPECT_EQ(p.GroupFlag(2), 1);
    EXPECT_EQ(p.GroupNumber(2), 2);
    EXPECT_EQ(p.AudioAsDataTracks, 1);
    EXPECT_EQ(p.SubChannelForAudioDiscs, 1);
    EXPECT_EQ(p.AudioFormat.avgBytesPerSec, 176400u);

    store.Set("ZlxPreAcmFormatTag", "85");
    store.Set("ZlxPreAcmSize", "12");
    store.WriteBinary("ZlxPreAcmData", "\x01\x02\x03", 3);
    CZlxPreSettings mp3(store, registry);
    EXPECT_EQ(mp3.AudioFormat.formatTag, 85);
    EXPECT_EQ(mp3.AudioFormat.avgBytesPerSec, 16000u);
    EXPECT_EQ(mp3.AudioFormat.extraSize, 12);
    EXPECT_EQ(mp3.AudioFormat.extra[2], 3);
}

CZlxPreSettings PresetsWith(CMemoryEnvStore& store, CMemoryRegistry& registry, int group,
                            const std::string& chars) {
    std::string text = "1000100000000000000000000000000000000000000000000000000000000000" "0000";
    text.replace(static_cast<size_t>(group) * 4, 4, chars);
    store.Set("ZlxPreCompression", text);
    return CZlxPreSettings(store, registry);
}

TEST_F(SettingsFixture, FixedPresetsPickTypeAndLevelAndFallBackToGroupZero) {
    CZlxPreSettings defaults(store, registry);
    for (uint16_t kind : {0, 1, 2, 5, 6, 32, 32 | 512})
        EXPECT_EQ(ChooseCompression(defaults, kind, {}), (CompressionSetting{0, 0}));

    EXPECT_EQ(ChooseCompression(PresetsWith(store, registry, 3, "1002"), 2, {}), (CompressionSetting{2, 1}));
    EXPECT_EQ(ChooseCompression(PresetsWith(store, registry, 0, "1004"), 2, {}), (CompressionSetting{2, 6}));
    // Group 3 off: the Audio CD takes group 0.
    auto off = PresetsWith(store, registry, 3, "0002");
    EXPECT_EQ(ChooseCompression(off, 2, {}), (CompressionSetting{0, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(store, registry, 8, "1001"), 16, {}), (CompressionSetting{1, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(store, registry, 3, "1009"), 2, {}), (CompressionSetting{0, 0}));
}

TEST_F(SettingsFixture, PercentageLimitTakesFirstSettingThatFits) {
    auto p = PresetsWith(store, registry, 2, "2050");
    EXPECT_EQ(ChooseCompression(p, 0, {100, 45, 40, 38}), (CompressionSetting{1, 0}));
    EXPECT_EQ(ChooseCompression(p, 0, {100, 60, 50, 40}), (CompressionSetting{2, 1}));
    EXPECT_EQ(ChooseCompression(p, 0, {100, 60, 60, 60}), (CompressionSetting{2, 6}));
    EXPECT_EQ(ChooseCompression(p, 0, {650, 331, 400, 400}), (CompressionSetting{1, 0})); // 50.9 → 50
    // Nothing measured: nothing to compare, so no compression.
    EXPECT_EQ(ChooseCompression(p, 0, {0, 0, 0, 0}), (CompressionSetting{0, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(store, registry, 2, "2100"), 0, {100, 1, 1, 1}),
              (CompressionSetting{0, 0}));
}

TEST(PresetGroups, DvdContentBitsSelectTheirGroups) {
    EXPECT_EQ(PresetGroupForDisc(32), 10);
    EXPECT_EQ(PresetGroupForDisc(32 | 1024), 10);
    EXPECT_EQ(PresetGroupForDisc(32 | 512), 11);
    EXPECT_EQ(PresetGroupForDisc(32 | 512 | 1024), 12);
    EXPECT_EQ(PresetGroupForDisc(32 | 256 | 1024), 13);
    EXPECT_EQ(PresetGroupForDisc(32 | 256 | 512 | 1024), 14);
    EXPECT_EQ(PresetGroupForDisc(32 | 256), 15);
    EXPECT_EQ(PresetGroupForDisc(32 | 256 | 512), 16);
    EXPECT_EQ(PresetGroupForDisc(6 | 4096), 9); // multisession does not change the kind
    EXPECT_EQ(PresetGroupForDisc(64), 0);
}

TEST(StoreText, ReadsAreCutToTheBufferAndNumbersConvertLikeTheCLibrary) {
    CMemoryEnvStore store;
    store.Set("ZLXBuildEditor", "12");
    EXPECT_EQ(*ReadStoreText(store, "ZLXBuildEditor", 2), "1");
    EXPECT_EQ(ReadStoreNumber(store, "ZLXBuildEditor", 2, 0), 1);
    EXPECT_EQ(ReadStoreNumber(store, "Missing", 20, 7), 7);
    EXPECT_EQ(DecimalValue(" 42abc"), 42);
    EXPECT_EQ(DecimalValue("x"), 0);
    EXPECT_EQ(DecimalValue("99999999999999999999999"), DecimalValue("99999999999999999999998"));
}

} // namespace
