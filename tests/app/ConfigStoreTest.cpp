#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ConfigStore.h"
#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {

const std::string kMinimal = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<ConfigApp>\n  <IDD_DIALOG_H_SETUP>\n"
                             "    <IDC_EDIT_HBWXdB value=\"\"/>\n  </IDD_DIALOG_H_SETUP>\n</ConfigApp>\n";

TEST(ConfigValueEncoding, TrueUnderRadioWholeIsFourNumbers) {
    int sum = 0;
    for (char c : std::string("IDC_RADIO_WHOLE")) sum += c;
    const std::string stored = EncodeConfigValue("IDC_RADIO_WHOLE", "TRUE");
    EXPECT_EQ(stored, std::to_string('T' + sum) + "-" + std::to_string('R' + sum) + "-" +
                          std::to_string('U' + sum) + "-" + std::to_string('E' + sum));
    EXPECT_EQ(DecodeConfigValue("IDC_RADIO_WHOLE", stored), "TRUE");
    EXPECT_EQ(EncodeConfigValue("IDC_RADIO_WHOLE", ""), "");
}

TEST(ConfigValueEncoding, RoundTripsEveryByteUnderAnyKey) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b) allBytes += static_cast<char>(b);
    const std::string keys[] = {"IDC_EDIT_HBWXdB", "A", "x", "角度", "ÿÿÿÿ", "Ω_1"};
    const std::string values[] = {"", "TRUE", "-12.5", "äöü 角度 😀", allBytes};
    for (const auto& key : keys)
        for (const auto& value : values)
            EXPECT_EQ(DecodeConfigValue(key, EncodeConfigValue(key, value)), value) << key << " / " << value;
}

TEST(ConfigValueEncoding, NonAsciiBytesCountAsNegative) {
    // "é" is 0xC3 0xA9 in UTF-8: -61 and -87 as signed bytes.
    EXPECT_EQ(EncodeConfigValue("AB", "\xC3\xA9"),
              std::to_string(-61 + 131) + "-" + std::to_string(-87 + 131));
}

TEST(ConfigValueEncoding, JunkAttributesDecodeToEmpty) {
    const std::string key = "IDC_EDIT_HBWXdB"; // long enough that every byte encodes to > 1000
    const std::string junk[] = {"abc-12-", "1234-",  "-",       "--",  "1234--",
                                "12 34",   "1234-x", "+1234",   "1.5", "99999999999999999999999",
                                "0",       "100000", "1234-abc"};
    for (const auto& stored : junk) EXPECT_EQ(DecodeConfigValue(key, stored), "") << stored;
}

class ConfigStoreTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string ConfigPath() const { return (dir.Path() / "cfg" / "Config.xml").string(); }
};

TEST_F(ConfigStoreTest, WriteThenReadBackAndStoredForm) {
    dir.Write("cfg/Config.xml", kMinimal);
    ConfigStore store(ConfigPath());
    EXPECT_EQ(store.WriteConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB", "12.5"), 1);
    EXPECT_EQ(store.ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB"), "12.5");
    EXPECT_TRUE(Contains(ReadFileText(ConfigPath()),
                         "value=\"" + EncodeConfigValue("IDC_EDIT_HBWXdB", "12.5") + "\""));
    // A second store over the same file (another dialog) sees the value; so does a rewrite.
    ConfigStore other(ConfigPath());
    EXPECT_EQ(other.ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB"), "12.5");
    EXPECT_EQ(other.WriteConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB", ""), 1);
    EXPECT_EQ(store.ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB"), "");
}

TEST_F(ConfigStoreTest, MissingSectionAndEntryAreCreatedOthersKept) {
    dir.Write("cfg/Config.xml", kMinimal);
    ConfigStore store(ConfigPath());
    ASSERT_EQ(store.WriteConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB", "10"), 1);
    EXPECT_EQ(store.WriteConfig("IDD_DIALOG_V_SETUP", "IDC_EDIT_NEW", "abc"), 1);
    EXPECT_EQ(store.WriteConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_OTHER", "x y"), 1);
    ConfigStore fresh(ConfigPath());
    EXPECT_EQ(fresh.ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB"), "10");
    EXPECT_EQ(fresh.ReadConfig("IDD_DIALOG_V_SETUP", "IDC_EDIT_NEW"), "abc");
    EXPECT_EQ(fresh.ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_OTHER"), "x y");
    EXPECT_EQ(fresh.ReadConfig("IDD_DIALOG_V_SETUP", "IDC_EDIT_MISSING"), "");
    EXPECT_EQ(fresh.ReadConfig("IDD_NOT_THERE", "IDC_EDIT_HBWXdB"), "");
}

TEST_F(ConfigStoreTest, MissingFileReadsEmptyAndIsSeededOnWrite) {
    const std::string shipped = dir.Write("shipped/Config.xml", kMinimal);
    ConfigStore store(ConfigPath(), shipped);
    EXPECT_EQ(store.ReadConfig("IDD_DIALOG_H_SETUP", "IDC_EDIT_HBWXdB"), "");
    EXPECT_FALSE(std::filesystem::exists(ConfigPath()));
    EXPECT_EQ(store.WriteConfig("IDD_DIALOG_V_SETUP", "IDC_EDIT_X", "1"), 1);
    // The shipped entries came along with the new one.
    EXPECT_TRUE(Contains(ReadFileText(ConfigPath()), "IDC_EDIT_HBWXdB"));
    EXPECT_EQ(store.ReadConfig("IDD_DIALOG_V_SETUP", "IDC_EDIT_X"), "1");
}

TEST_F(ConfigStoreTest, SeedsAnEmptyConfigurationWithoutShippedDefaults) {
    dir.Write("cfg/Config.xml", "  \n");
    for (const std::string& shipped : {std::string(), (dir.Path() / "nowhere.xml").string()}) {
        std::filesystem::remove(ConfigPath());
        ConfigStore store(ConfigPath(), shipped);
        EXPECT_EQ(store.WriteConfig("IDD_S", "IDC_K", "v"), 1);
        EXPECT_EQ(ConfigStore(ConfigPath()).ReadConfig("IDD_S", "IDC_K"), "v");
        EXPECT_TRUE(Contains(ReadFileText(ConfigPath()), "<ConfigApp>"));
    }
}

TEST_F(ConfigStoreTest, FilesThatAreNoConfigurationAreLeftAlone) {
    const std::string cases[] = {"this is not xml <<<", "<ConfigApp><IDD_S>", "<Other><IDD_S/></Other>",
                                 std::string("\0\x01\x02", 3)};
    for (const auto& bytes : cases) {
        dir.Write("cfg/Config.xml", bytes);
        ConfigStore store(ConfigPath(), dir.Write("shipped.xml", kMinimal));
        EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "");
        EXPECT_EQ(store.WriteConfig("IDD_S", "IDC_K", "v"), 0);
        EXPECT_EQ(ReadFileText(ConfigPath()), bytes);
    }
}

TEST_F(ConfigStoreTest, DocumentWithoutRootElementGetsOne) {
    dir.Write("cfg/Config.xml", "<?xml version=\"1.0\"?>\n");
    ConfigStore store(ConfigPath());
    EXPECT_EQ(store.WriteConfig("IDD_S", "IDC_K", "v"), 1);
    EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "v");
}

TEST_F(ConfigStoreTest, JunkAttributeReadsEmptyAndCanBeOverwritten) {
    dir.Write("cfg/Config.xml", "<ConfigApp><IDD_S><IDC_K value=\"abc-12-\"/><IDC_L/></IDD_S></ConfigApp>");
    ConfigStore store(ConfigPath());
    EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "");
    EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_L"), ""); // no attribute at all
    EXPECT_EQ(store.WriteConfig("IDD_S", "IDC_K", "ok"), 1);
    EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "ok");
}

TEST_F(ConfigStoreTest, NamesThatAreNoXmlNamesAreRefused) {
    dir.Write("cfg/Config.xml", kMinimal);
    ConfigStore store(ConfigPath());
    for (const std::string bad : {"", "1abc", "a b", "a<b", "a\"b", "a/b"}) {
        EXPECT_EQ(store.WriteConfig(bad, "IDC_K", "v"), 0) << bad;
        EXPECT_EQ(store.WriteConfig("IDD_S", bad, "v"), 0) << bad;
    }
    EXPECT_EQ(ReadFileText(ConfigPath()), kMinimal);
    // Non-ASCII names are XML names and work.
    EXPECT_EQ(store.WriteConfig("IDD_Ω", "角度", "äö"), 1);
    EXPECT_EQ(ConfigStore(ConfigPath()).ReadConfig("IDD_Ω", "角度"), "äö");
}

TEST_F(ConfigStoreTest, FailedWriteKeepsTheOldFileAndReportsZero) {
    dir.Write("cfg/Config.xml", kMinimal);
    ConfigStore store(ConfigPath());
    ASSERT_EQ(store.WriteConfig("IDD_S", "IDC_K", "old"), 1);
    const std::string before = ReadFileText(ConfigPath());
    const auto folder = dir.Path() / "cfg";
    std::filesystem::permissions(folder,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool enforced = ::access(folder.c_str(), W_OK) != 0; // not for a privileged user
    if (enforced) {
        EXPECT_EQ(store.WriteConfig("IDD_S", "IDC_K", "new"), 0);
        EXPECT_EQ(ReadFileText(ConfigPath()), before);
        EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "old");
    }
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    // A path whose folder cannot exist fails the same way for everyone.
    const std::string blocked = dir.Write("plainfile", "x") + "/Config.xml";
    ConfigStore nowhere(blocked, ConfigPath());
    EXPECT_EQ(nowhere.WriteConfig("IDD_S", "IDC_K", "new"), 0);
    // While its own file cannot exist, the store answers from the shipped defaults.
    EXPECT_EQ(nowhere.ReadConfig("IDD_S", "IDC_K"), "old");
}

TEST_F(ConfigStoreTest, SeesChangesMadeBehindItsBack) {
    dir.Write("cfg/Config.xml", kMinimal);
    ConfigStore store(ConfigPath());
    ASSERT_EQ(store.WriteConfig("IDD_S", "IDC_K", "one"), 1);
    ASSERT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "one");
    // Same size, rewritten in place: the cached document must not be used.
    std::string text = ReadFileText(ConfigPath());
    text = ReplaceAll(text, EncodeConfigValue("IDC_K", "one"), EncodeConfigValue("IDC_K", "two"));
    dir.Write("cfg/Config.xml", text);
    EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "two");
    std::filesystem::remove(ConfigPath());
    EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "");
}

} // namespace
