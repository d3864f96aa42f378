#include <gtest/gtest.h>
#include <random>

#include "app/ConfigStore.h"
#include "app/IniFile.h"
#include "support/TestSupport.h"

namespace {

// Random bytes drawn mostly from the characters that matter to each format, so the parsers meet
// near-valid input as well as noise.
std::string RandomText(std::mt19937& random, std::string_view alphabet, size_t maxLength) {
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()));
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::string text(length(random), '\0');
    for (char& c : text) {
        const int i = pick(random);
        c = i == static_cast<int>(alphabet.size()) ? static_cast<char>(anyByte(random)) : alphabet[i];
    }
    return text;
}

TEST(ConfigRobustness, ReadersSurviveAnyBytes) {
    std::mt19937 random(12345);
    TempDir dir;
    const std::string config = (dir.Path() / "Config.xml").string();
    const std::string ini = (dir.Path() / "a.ini").string();
    for (int round = 0; round < 100; ++round) {
        const std::string stored = RandomText(random, "0123456789--", 40);
        const std::string decoded = DecodeConfigValue("IDC_K", stored);
        if (!decoded.empty()) { EXPECT_EQ(EncodeConfigValue("IDC_K", decoded), stored); }

        dir.Write("Config.xml", RandomText(random, "<>/=\" ConfigApIDS_Kvalue123-\n", 200));
        ConfigStore store(config);
        store.ReadConfig("IDD_S", "IDC_K");
        if (store.WriteConfig("IDD_S", "IDC_K", "v") == 1) {
            EXPECT_EQ(store.ReadConfig("IDD_S", "IDC_K"), "v");
        }

        dir.Write("a.ini", RandomText(random, "[]=;\r\n \tAak1\"'", 200));
        IniReadString("A", "k", "d", ini);
        IniReadInt("a", "K", 0, ini);
        ASSERT_TRUE(IniWriteString("A", "k", "v", ini));
        EXPECT_EQ(IniReadString("A", "k", "d", ini), "v");
    }
}

} // namespace
