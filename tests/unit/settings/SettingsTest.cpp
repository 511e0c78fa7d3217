#include "settings/MemoryEnvStore.h"
#include "settings/ZlxBuildSettings.h"
#include "settings/ZlxPreSettings.h"
#include "settings/ZlxSettings.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

struct SettingsFixture : ::testing::Test {
    CMemoryEnvStore store;
    CMemoryRegistry registry;
    CFakeUserFolders folders;

    void SetAllPaths() {
        for (const char* name : {"ZlxImagePath", "CddbPath", "ZlxZQCPath", "ZlxScriptPath"})
            store.Set(name, std::string("D:\\") + name + "\\");
    }
    // Presets with compression off in every group but `group`, which gets `chars`.
    CZlxPreSettings PresetsWith(int group, const std::string& chars) {
        std::string text = "10001000" + std::string(60, '0');
        text.replace(static_cast<size_t>(group) * 4, 4, chars);
        store.Set("ZlxPreCompression", text);
        return CZlxPreSettings(store, registry);
    }
};

TEST_F(SettingsFixture, SwitchTextNeedsFiveCharactersAndMapsEachPosition) {
    SetAllPaths();
    store.Set("ZlxSettings", "0000");
    CZlxSettings shortText(store, registry, folders);
    EXPECT_EQ(shortText.Flag1 + shortText.ShowToolTips, 2); // the defaults

    store.Set("ZlxSettings", "10110");
    CZlxSettings s(store, registry, folders);
    EXPECT_EQ(std::vector<int>({s.UseDiscInfoService, s.Flag1, s.Flag2, s.ShowToolTips, s.Flag4}),
              std::vector<int>({1, 0, 1, 1, 0}));
}

TEST_F(SettingsFixture, MissingPathsAreCreatedBelowDocumentsAndAllFourWritten) {
    SetAllPaths();
    store.Set("ZlxCheckBackgroundSecs", "12");
    CZlxSettings complete(store, registry, folders);
    EXPECT_EQ(folders.m_documentQueries, 0); // complete paths neither ask the shell nor write
    EXPECT_TRUE(store.Journal().empty());
    EXPECT_EQ(complete.CheckBackgroundSecs, 12);

    store.Set("ZlxZQCPath", "");
    CZlxSettings onlyQuickCopy(store, registry, folders);
    EXPECT_EQ(onlyQuickCopy.ZQCPath, "C:\\Users\\A\\Documents\\Zelvane v5\\ZQCopy\\");
    EXPECT_EQ(folders.m_created, std::set<std::string>{onlyQuickCopy.ZQCPath});
    EXPECT_EQ(store.WrittenNames(),
              (Names{"ZlxZQCPath", "ZlxScriptPath", "ZlxImagePath", "CddbPath"}));

    CMemoryEnvStore empty;
    folders.m_documents = "C:\\Users\\A\\Documents\\"; // a trailing backslash is not doubled
    CZlxSettings fresh(empty, registry, folders);
    EXPECT_EQ(fresh.ImagePath, "C:\\Users\\A\\Documents\\Zelvanes\\");
    EXPECT_EQ(fresh.CddbPath, "C:\\Users\\A\\Documents\\Zelvane v5\\CDDB\\");
    EXPECT_TRUE(folders.m_created.count("C:\\Users\\A\\Documents\\Zelvanes"));

    CMemoryEnvStore none;
    folders.m_hasDocuments = false;
    EXPECT_TRUE(CZlxSettings(none, registry, folders).ImagePath.empty());
    EXPECT_EQ(none.WrittenNames().size(), 4u);
    EXPECT_FALSE(none.Has("ZlxImagePath")); // written empty, which clears
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
              (Names{"ZlxSettings", "ZlxUseXPIcons", "ZlxLanguage", "ZlxCheckBackgroundSecs",
                     "ZlxZQCPath", "ZlxScriptPath", "ZlxImagePath", "CddbPath", "ZlxDPhysDrv"}));
    EXPECT_EQ(registry.m_writes,
              (Names{"ZlxImagePath", "CddbPath", "ZlxDPhysDrv", "ZlxZQCPath", "ZlxScriptPath",
                     "ZlxSettings", "ZlxUseXPIcons", "ZlxLanguage", "ZlxCheckBackgroundSecs"}));
    EXPECT_EQ(registry.m_values["HKCU\\Software\\Kestrelin\\Zelvane 5\\Settings\\ZlxSettings"],
              "01100");

    registry.m_locked = true; // the store is written even when the mirror cannot be
    s.m_modified = 1;
    store.ClearJournal();
    s.Save();
    EXPECT_EQ(store.Journal().size(), 9u);
}

TEST_F(SettingsFixture, BuildSwitchesNeedFourteenCharactersWithThreeWayFifth) {
    store.Set("ZlxBuildSettings", "1111111111111");
    EXPECT_EQ(CZlxBuildSettings(store, registry).Text(), "00111001100100"); // the defaults

    store.Set("ZlxBuildSettings", "01017x1011100111");
    CZlxBuildSettings s(store, registry);
    EXPECT_EQ(s.AllowLabelChange, 1);
    EXPECT_EQ(s.BuildFlag5, 1); // "7" reads as 1
    EXPECT_EQ(s.AcceptVirtualDrives, 1);
    EXPECT_EQ(s.UseErrorCorrectedToc, 0);
    EXPECT_EQ(s.BuildFlag14, 1); // characters past 14 were cut by the read buffer

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
    EXPECT_EQ(PresetsWith(2, "1002").GroupNumber(2), 2);
    store.Set("ZlxPreCompression", store.Get("ZlxPreCompression") + "0");
    EXPECT_EQ(CZlxPreSettings(store, registry).GroupFlag(2), 0); // 69 characters
    store.Set("ZlxPreAudio", "01");
    store.Set("ZlxPreAcmAvgBytesPerSec", "16000"); // ignored without a format tag
    CZlxPreSettings p = PresetsWith(2, "1002");
    EXPECT_EQ(p.GroupFlag(2), 1);
    EXPECT_EQ(p.AudioAsDataTracks + p.SubChannelForAudioDiscs, 2);
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

TEST_F(SettingsFixture, FixedPresetsPickTypeAndLevelAndFallBackToGroupZero) {
    CZlxPreSettings defaults(store, registry);
    for (uint16_t kind : {0, 1, 2, 5, 6, 32, 32 | 512})
        EXPECT_EQ(ChooseCompression(defaults, kind, {}), (CompressionSetting{0, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(3, "1002"), 2, {}), (CompressionSetting{2, 1}));
    EXPECT_EQ(ChooseCompression(PresetsWith(0, "1004"), 2, {}), (CompressionSetting{2, 6}));
    // Group 3 off: the Audio CD takes group 0.
    EXPECT_EQ(ChooseCompression(PresetsWith(3, "0002"), 2, {}), (CompressionSetting{0, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(8, "1001"), 16, {}), (CompressionSetting{1, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(3, "1009"), 2, {}), (CompressionSetting{0, 0}));
}

TEST_F(SettingsFixture, PercentageLimitTakesFirstSettingThatFits) {
    auto p = PresetsWith(2, "2050");
    EXPECT_EQ(ChooseCompression(p, 0, {100, 45, 40, 38}), (CompressionSetting{1, 0}));
    EXPECT_EQ(ChooseCompression(p, 0, {100, 60, 50, 40}), (CompressionSetting{2, 1}));
    EXPECT_EQ(ChooseCompression(p, 0, {100, 60, 60, 60}), (CompressionSetting{2, 6}));
    EXPECT_EQ(ChooseCompression(p, 0, {650, 331, 400, 400}), (CompressionSetting{1, 0})); // 50.9
    // Nothing measured: nothing to compare, so no compression.
    EXPECT_EQ(ChooseCompression(p, 0, {0, 0, 0, 0}), (CompressionSetting{0, 0}));
    EXPECT_EQ(ChooseCompression(PresetsWith(2, "2100"), 0, {100, 1, 1, 1}),
              (CompressionSetting{0, 0}));
}

TEST(PresetGroups, DvdContentBitsSelectTheirGroups) {
    const std::pair<uint16_t, int> groups[] = {
        {32, 10},
        {32 | 1024, 10},
        {32 | 512, 11},
        {32 | 512 | 1024, 12},
        {32 | 256 | 1024, 13},
        {32 | 256 | 512 | 1024, 14},
        {32 | 256, 15},
        {32 | 256 | 512, 16},
        {6 | 4096, 9}, // multisession does not change the kind
        {64, 0}};
    for (const auto& [kind, group] : groups)
        EXPECT_EQ(PresetGroupForDisc(kind), group) << kind;
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
