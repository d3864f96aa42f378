#include <filesystem>
#include <gtest/gtest.h>

#include "app/ConfigStore.h"
#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {

const std::string kShipped = QUADREL_SOURCE_DIR "/resources/Config File/Config.xml";

TEST(ShippedConfig, DecodesToTheDocumentedDefaults) {
    const ConfigStore store(kShipped);
    struct Entry {
        const char* section;
        const char* key;
        const char* value;
    };
    const Entry entries[] = {
        {"IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB", "10"},
        {"IDD_DIALOG_H_SETUP", "IDC_RADIO_MAXLEVEL_BYPOWER", "TRUE"},
        {"IDD_DIALOG_H_SETUP", "IDC_RADIO_DIRECTION_BYANGLE", "TRUE"},
        {"IDD_DIALOG_H_SETUP", "IDC_EDIT_FBR_XDEG", "-180"},
        {"IDD_DIALOG_H_SETUP", "IDC_EDIT_THP_XDB", "3"},
        {"IDD_DIALOG_H_SETUP", "IDC_IDC_COMB_SPR_XDB", "2"},
        {"IDD_DIALOG_H_SETUP", "IDC_EDIT_SelXPDX", "20"},
        {"IDD_DIALOG_V_SETUP", "IDC_RADIO_MANUAL", "TRUE"},
        {"IDD_DIALOG_V_SETUP", "IDC_RADIO_AUTO", "FALSE"},
        {"IDD_DIALOG_V_SETUP", "IDC_EDIT_3", "-150"},
        {"IDD_DIALOG_V_SETUP", "IDC_EDIT_61", "0"},
        {"IDD_DIALOG_V_SETUP", "IDC_EDIT_72", ""},
        {"IDD_DIALOG_V_SETUP", "IDC_EDIT_FSU_ENV", "-60"},
        {"IDD_DIALOG_V_SETUP", "IDC_CHECK_FSU_ENVCAL", "TRUE"},
        {"IDD_DIALOG_DRAWSETUP", "IDC_EDIT_PMEND", "-50"},
        {"IDD_DIALOG_DRAWSETUP", "IDC_EDIT_RMEND", "-30"},
        {"IDD_DIALOG_UPDOWM", "IDC_RADIO_WHOLE", "TRUE"},
        {"IDD_DIALOG_DATA_EXPORT", "IDC_RADIO_ENG", "TRUE"},
        {"ID_MENU", "ID_HBW3DB", "TRUE"},
        {"ID_MENU", "ID_GAIN", "TRUE"},
        {"ID_MENU", "ID_THP10dB", "FALSE"},
    };
    for (const Entry& e : entries)
        EXPECT_EQ(store.ReadConfig(e.section, e.key), e.value) << e.section << "/" << e.key;
}

// The committed file must be what the generator's table says, entry for entry.
TEST(ShippedConfig, MatchesTheGeneratorTable) {
    std::string listing;
    ASSERT_EQ(
        RunCommand("/usr/bin/python3 '" QUADREL_SOURCE_DIR "/tools/make_config_xml.py' --list", &listing), 0);
    const ConfigStore store(kShipped);
    size_t count = 0;
    for (const std::string& line : SplitAll(listing, '\n')) {
        if (line.empty()) continue;
        const std::vector<std::string> fields = SplitAll(line, '\t');
        ASSERT_EQ(fields.size(), 3u) << line;
        EXPECT_EQ(store.ReadConfig(fields[0], fields[1]), fields[2]) << line;
        ++count;
    }
    EXPECT_GT(count, 150u);
}

// The shipped layout is the one the store writes, so a first save changes nothing but values.
TEST(ShippedConfig, RewritingAValueKeepsTheLayout) {
    TempDir dir;
    const std::string copy = (dir.Path() / "Config.xml").string();
    std::filesystem::copy_file(kShipped, copy);
    ConfigStore store(copy);
    ASSERT_EQ(store.WriteConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB", "10"), 1);
    EXPECT_EQ(ReadFileText(copy), ReadFileText(kShipped));
}

} // namespace
