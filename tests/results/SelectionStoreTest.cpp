#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>

#include "app/AtomicFile.h"
#include "app/ConfigStore.h"
#include "commands/SelectionApply.h"
#include "results/IndicatorNaming.h"
#include "results/ResultTestSupport.h"
#include "results/SelectionStore.h"
#include "support/TestSupport.h"

namespace {
// A document with its own configuration store in a temporary folder.
struct StoreFixture {
    TempDir dir;
    RecordingNotifier notifier;
    RecordingListener listener;
    CQuadrelDoc doc{&notifier, &listener};
    StoreFixture() { doc.AttachConfig(std::make_shared<ConfigStore>((dir.Path() / "Config.xml").string())); }
    std::string File(const std::string& name) const { return (dir.Path() / name).string(); }
};

// Every other flag on, starting with the first one off, so no constant value can pass.
void Alternate(CQuadrelDoc& doc) {
    int i = 0;
    for (const SelectionFlagInfo& flag : SelectionFlags()) doc.selection.SetValue(flag, i++ % 2);
}

TEST(IndicatorSelection, TableNamesEveryFlagOnce) {
    std::set<std::string_view> iniKeys, configKeys;
    std::set<int> commands;
    size_t perSection[4] = {};
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        ++perSection[static_cast<int>(flag.section)];
        if (!flag.iniKey.empty()) { EXPECT_TRUE(iniKeys.insert(flag.iniKey).second) << flag.iniKey; }
        if (!flag.configKey.empty()) {
            EXPECT_TRUE(configKeys.insert(flag.configKey).second) << flag.configKey;
        }
        if (flag.commandId) { EXPECT_TRUE(commands.insert(flag.commandId).second) << flag.commandId; }
    }
    EXPECT_EQ(perSection[0], 17u);
    EXPECT_EQ(perSection[1], 23u);
    EXPECT_EQ(perSection[2], 5u);
    EXPECT_EQ(perSection[3], 7u);
    ASSERT_NE(FindFlagByCommand(32810), nullptr);
    EXPECT_EQ(FindFlagByCommand(32810)->iniKey, "cm_isSelVBW3dB");
    EXPECT_EQ(FindFlagByCommand(32810)->configKey, "ID_VBW3dB");
    EXPECT_EQ(FindFlagByCommand(0), nullptr);
}

TEST(IndicatorSelection, KeysOfBothNamesAndTheStartingState) {
    IndicatorSelection selection;
    EXPECT_TRUE(selection.IsSelected("cm_isSelHBW3dB"));
    EXPECT_TRUE(selection.IsSelected("ID_HBW3DB"));
    EXPECT_FALSE(selection.IsSelected("cm_bUNITARY"));
    EXPECT_FALSE(selection.IsSelected("ID_UNITARY"));
    EXPECT_FALSE(selection.IsSelected("no such flag"));
    EXPECT_FALSE(selection.IsSelected(""));
    selection.Set("ID_HBW3DB", 0);
    EXPECT_FALSE(selection.IsSelected("cm_isSelHBW3dB"));
    selection.Set("Gain", 5);
    EXPECT_EQ(selection.Get("ID_GAIN"), 1);
    selection.Set("cm_isselhbw3db", 1); // keys are exact
    EXPECT_FALSE(selection.IsSelected("cm_isSelHBW3dB"));
}

TEST(SelectionFile, SaveWritesEveryKeyInOrderAndReloadRestoresIt) {
    StoreFixture f;
    Alternate(f.doc);
    const std::string path = f.File("sel.ini");
    ASSERT_TRUE(SaveSelectionFile(f.doc, path));
    ASSERT_EQ(f.notifier.messages.size(), 1u);
    EXPECT_EQ(f.notifier.messages[0], (std::pair<std::string, std::string>{"Norvan", "Save ConfigFile OK!"}));

    std::string expected;
    std::string_view section;
    int i = 0;
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        const bool on = i++ % 2;
        if (flag.section == FlagSection::Display) continue;
        if (IniSectionName(flag.section) != section) {
            // New sections after the first are set off by a blank line, as the INI writer does.
            if (!section.empty()) expected += "\r\n";
            section = IniSectionName(flag.section);
            expected += "[" + std::string(section) + "]\r\n";
        }
        expected += std::string(flag.iniKey) + "=" + (on ? "TRUE" : "FALSE") + "\r\n";
    }
    EXPECT_EQ(ReadFileText(path), expected);

    StoreFixture g;
    ASSERT_TRUE(LoadSelectionFile(g.doc, path));
    EXPECT_EQ(g.notifier.messages.back(),
              (std::pair<std::string, std::string>{"Norvan", "Load ConfigFile OK!"}));
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.section == FlagSection::Display) continue;
        EXPECT_EQ(g.doc.selection.Value(flag), f.doc.selection.Value(flag)) << flag.iniKey;
    }
    EXPECT_EQ(g.doc.selection.IsSelected("cm_isSelTHP10dB"), f.doc.selection.IsSelected("cm_isSelTHP10dB"));
}

TEST(SelectionFile, LoadTakesOnlyAnExactTrue) {
    StoreFixture f;
    const std::string path = f.File("hand.ini");
    WriteFileAtomic(path, "[vparameter]\n"
                          "cm_isSelVBW3dB = TRUE\n"
                          "CM_ISSELVBP=TRUE\n"
                          "cm_isSelEDE=true\n"
                          "cm_isSelFSU=1\n"
                          "cm_isSelFSD=\"TRUE\"\n"
                          "[HParameter]\n"
                          "cm_isSelHBW3dB=TRUE\n"
                          "cm_bUNITARY=TRUE\n");
    // Every flag on first: what the file lacks, the load switches off.
    for (const SelectionFlagInfo& flag : SelectionFlags()) f.doc.selection.SetValue(flag, 1);
    ASSERT_TRUE(LoadSelectionFile(f.doc, path));
    std::set<std::string_view> on;
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (flag.section != FlagSection::Display && f.doc.selection.Value(flag)) on.insert(flag.iniKey);
    EXPECT_EQ(on, (std::set<std::string_view>{"cm_isSelVBW3dB", "cm_isSelVBP", "cm_isSelFSD",
                                              "cm_isSelHBW3dB", "cm_bUNITARY"}));
    // Section and key names follow the INI rules; the five radiation flags had no section at all.
    for (const char* key : {"Directivity", "Eff", "GFR", "Gain", "Losses"})
        EXPECT_FALSE(f.doc.selection.IsSelected(key));
    // The display switches are not the file's business.
    EXPECT_TRUE(f.doc.selection.IsSelected("ID_SPRDISPLAY"));
}

TEST(SelectionFile, CancelMissingFileAndUnwritableFile) {
    StoreFixture f;
    EXPECT_FALSE(SaveSelectionFile(f.doc, ""));
    EXPECT_FALSE(LoadSelectionFile(f.doc, ""));
    EXPECT_TRUE(f.notifier.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(f.dir.Path() / "Config.xml"));

    // A missing file clears every flag, as a file without any key would.
    ASSERT_TRUE(LoadSelectionFile(f.doc, f.File("none.ini")));
    for (const SelectionFlagInfo& flag : SelectionFlags())
        if (flag.section != FlagSection::Display) {
            EXPECT_EQ(f.doc.selection.Value(flag), 0) << flag.iniKey;
        }

    f.notifier.messages.clear();
    EXPECT_FALSE(SaveSelectionFile(f.doc, f.File("no/such/folder/sel.ini")));
    ASSERT_EQ(f.notifier.messages.size(), 1u);
    EXPECT_EQ(f.notifier.messages[0].second, "Failed to save the file");
}

TEST(MenuValues, LoadAndSaveStoreTheIndicatorKeys) {
    StoreFixture f;
    Alternate(f.doc);
    f.doc.selection.Set("ID_SPRDISPLAY", 1);
    f.doc.selection.Set("ID_UNITARY", 1);
    ASSERT_TRUE(SaveSelectionFile(f.doc, f.File("sel.ini")));
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        const std::string stored = f.doc.ReadConfig("ID_MENU", flag.configKey);
        if (flag.section != FlagSection::Display) {
            EXPECT_EQ(stored, f.doc.selection.Value(flag) ? "TRUE" : "FALSE") << flag.configKey;
        }
    }
    EXPECT_EQ(f.doc.ReadConfig("ID_MENU", "ID_SPRDISPLAY"), "TRUE");
    EXPECT_EQ(f.doc.ReadConfig("ID_MENU", "ID_UNITARY"), ""); // only the shutdown stores the view's switches
    EXPECT_EQ(f.doc.ReadConfig("ID_MENU", "ID_NO_REL"), "");
}

TEST(MenuValues, ShutdownStoreAndStartUpRestoreKeepEverything) {
    StoreFixture f;
    Alternate(f.doc);
    f.doc.toggles = {false, true, false, true};
    StoreAllMenuValues(f.doc);

    CQuadrelDoc restored;
    restored.AttachConfig(std::make_shared<ConfigStore>(f.File("Config.xml")));
    restored.toggles = {true, false, true, false};
    restored.selection.Set("cm_bUNITARY", 1); // only the selection file carries it: the restore keeps it
    RestoreMenuValues(restored);
    EXPECT_TRUE(restored.selection.IsSelected("cm_bUNITARY"));
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        EXPECT_EQ(restored.selection.Value(flag), f.doc.selection.Value(flag)) << flag.configKey;
    }
    EXPECT_FALSE(restored.toggles.single);
    EXPECT_TRUE(restored.toggles.withCoCross);
    EXPECT_FALSE(restored.toggles.withPlane);
    EXPECT_TRUE(restored.toggles.withPolarisation);
    EXPECT_EQ(restored.ReadConfig("ID_MENU", "ID_REL_P45_N45"), "TRUE");

    // No readable configuration: everything off, toggles included.
    CQuadrelDoc bare;
    RestoreMenuValues(bare);
    for (const SelectionFlagInfo& flag : SelectionFlags()) EXPECT_EQ(bare.selection.Value(flag), 0);
    EXPECT_FALSE(bare.toggles.single);
}

TEST(MenuValues, ShippedConfigurationCarriesEveryKeyAndShowsResults) {
    const ConfigStore shipped(std::string(QUADREL_SOURCE_DIR) + "/resources/Config File/Config.xml");
    int on = 0;
    for (const SelectionFlagInfo& flag : SelectionFlags()) {
        if (flag.configKey.empty()) continue;
        const std::string value = shipped.ReadConfig("ID_MENU", flag.configKey);
        EXPECT_TRUE(value == "TRUE" || value == "FALSE") << flag.configKey;
        on += value == "TRUE" && flag.section != FlagSection::Display;
    }
    EXPECT_GE(on, 8);
    EXPECT_EQ(shipped.ReadConfig("ID_MENU", "ID_NO_REL"), "TRUE");
    for (const char* key : {"ID_REL_M_C", "ID_REL_V_H", "ID_REL_P45_N45"})
        EXPECT_EQ(shipped.ReadConfig("ID_MENU", key), "FALSE") << key;
}

TEST(Toggles, IndicatorCommandsFlipAndRebuildBothPanes) {
    StoreFixture f;
    const bool before = f.doc.selection.IsSelected("cm_isSelVBW3dB");
    EXPECT_TRUE(ToggleIndicator(f.doc, 32810));
    EXPECT_NE(f.doc.selection.IsSelected("cm_isSelVBW3dB"), before);
    EXPECT_TRUE(ToggleIndicator(f.doc, 32810));
    EXPECT_EQ(f.doc.selection.IsSelected("cm_isSelVBW3dB"), before);
    EXPECT_EQ(f.listener.current, 2);
    EXPECT_EQ(f.listener.all, 2);

    EXPECT_TRUE(ToggleIndicator(f.doc, 32938));
    EXPECT_FALSE(f.doc.selection.IsSelected("Eff"));
    // The view's switches and unknown commands are not indicator toggles.
    EXPECT_FALSE(ToggleIndicator(f.doc, 32874));
    EXPECT_FALSE(ToggleIndicator(f.doc, 12345));
    EXPECT_EQ(f.listener.current, 3);
}
} // namespace

namespace {
TEST(IndicatorNaming, StoredChoiceAndTheEnglishFallback) {
    StoreFixture f;
    EXPECT_FALSE(UsesChineseIndicatorNames(f.doc));
    StoreIndicatorNaming(f.doc, true);
    EXPECT_TRUE(UsesChineseIndicatorNames(f.doc));
    EXPECT_EQ(f.doc.ReadConfig("IDD_DIALOG_NAME", "IDC_RADIO_ENGLISH"), "FALSE");
    StoreIndicatorNaming(f.doc, false);
    EXPECT_FALSE(UsesChineseIndicatorNames(f.doc));
    EXPECT_EQ(f.doc.ReadConfig("IDD_DIALOG_NAME", "IDC_RADIO_ENGLISH"), "TRUE");
    f.doc.WriteConfig("IDD_DIALOG_NAME", "IDC_RADIO_CHINESE", "true");
    EXPECT_FALSE(UsesChineseIndicatorNames(f.doc));
}
} // namespace
