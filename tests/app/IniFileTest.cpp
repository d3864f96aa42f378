#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/IniFile.h"
#include "support/TestSupport.h"

namespace {

const std::string kSample = "; colours\r\n"
                            "top=outside\r\n"
                            "[CoordinatesColor]\r\n"
                            "R = 12 \r\n"
                            "  g=\t34\r\n"
                            "B=\r\n"
                            "Name=\"quoted value\"\r\n"
                            "Odd='x\r\n"
                            "noequals\r\n"
                            "[GridColor]\r\n"
                            "R=-7abc\r\n"
                            "R=99\r\n"
                            "; trailing comment\r\n"
                            "\r\n"
                            "[coordinatescolor]\r\n"
                            "Later=1\r\n";

TEST(IniFileTest, ReadsWithPrivateProfileRules) {
    TempDir dir;
    const std::string file = dir.Write("ColorSetting.ini", kSample);
    struct Case {
        const char* section;
        const char* key;
        const char* text; // nullptr: missing
        int32_t number;   // with default 555
    };
    const Case cases[] = {
        {"CoordinatesColor", "R", "12", 12},
        {"COORDINATESCOLOR", "G", "34", 34}, // names compare without case
        {"CoordinatesColor", "B", "", 555},  // present but empty: default number
        {"CoordinatesColor", "Name", "quoted value", 0},
        {"CoordinatesColor", "Odd", "'x", 0}, // unmatched quote stays
        {"CoordinatesColor", "noequals", nullptr, 555},
        {"CoordinatesColor", "Later", nullptr, 555}, // only the first matching section counts
        {"CoordinatesColor", "top", nullptr, 555},   // keys before any section belong to none
        {"GridColor", "R", "-7abc", -7},             // first key wins; leading integer
        {"GridColor", "; trailing comment", nullptr, 555},
        {"UserDefine", "ColorCount", nullptr, 555},
    };
    const IniFile ini(file);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(IniReadString(c.section, c.key, "dflt", file), c.text ? c.text : "dflt");
        EXPECT_EQ(IniReadInt(c.section, c.key, 555, file), c.number);
        EXPECT_EQ(ini.Find(c.section, c.key).has_value(), c.text != nullptr);
    }
    EXPECT_EQ(IniReadInt("GridColor", "R", 1, (dir.Path() / "missing.ini").string()), 1);
}

TEST(IniFileTest, WritesInPlaceAndKeepsEverythingElse) {
    TempDir dir;
    const std::string file = dir.Write("ColorSetting.ini", kSample);
    ASSERT_TRUE(IniWriteString("coordinatescolor", "r", "200", file));  // existing key, other case
    ASSERT_TRUE(IniWriteString("GridColor", "G", "5", file));           // new key in a section
    ASSERT_TRUE(IniWriteString("UserDefine", "ColorCount", "0", file)); // new section
    const std::string expected = "; colours\r\n"
                                 "top=outside\r\n"
                                 "[CoordinatesColor]\r\n"
                                 "R=200\r\n"
                                 "  g=\t34\r\n"
                                 "B=\r\n"
                                 "Name=\"quoted value\"\r\n"
                                 "Odd='x\r\n"
                                 "noequals\r\n"
                                 "[GridColor]\r\n"
                                 "R=-7abc\r\n"
                                 "R=99\r\n"
                                 "; trailing comment\r\n"
                                 "G=5\r\n"
                                 "\r\n"
                                 "[coordinatescolor]\r\n"
                                 "Later=1\r\n"
                                 "\r\n"
                                 "[UserDefine]\r\n"
                                 "ColorCount=0\r\n";
    EXPECT_EQ(ReadFileText(file), expected);
}

TEST(IniFileTest, CreatesFileWithCrLfAndKeepsLfFilesLf) {
    TempDir dir;
    const std::string created = (dir.Path() / "sel.ini").string();
    ASSERT_TRUE(IniWriteString("VParameter", "cm_isSelVBW3dB", "TRUE", created));
    ASSERT_TRUE(IniWriteString("HParameter", "cm_isSelHBW3dB", "FALSE", created));
    ASSERT_TRUE(IniWriteString("VParameter", "cm_isSelEDE", "TRUE", created));
    EXPECT_EQ(ReadFileText(created), "[VParameter]\r\ncm_isSelVBW3dB=TRUE\r\ncm_isSelEDE=TRUE\r\n\r\n"
                                     "[HParameter]\r\ncm_isSelHBW3dB=FALSE\r\n");
    const std::string unix = dir.Write("unix.ini", "\xEF\xBB\xBF[A]\nk=1");
    EXPECT_EQ(IniReadInt("A", "k", 0, unix), 1);
    ASSERT_TRUE(IniWriteString("A", "k", "2", unix));
    EXPECT_EQ(ReadFileText(unix), "\xEF\xBB\xBF[A]\nk=2\n");
}

TEST(IniFileTest, RefusesWhatCannotBeOneLineAndLeavesTheFile) {
    TempDir dir;
    const std::string file = dir.Write("a.ini", "[A]\r\nk=1\r\n");
    const std::pair<std::string, std::string> bad[] = {{"", "k"},   {"A", ""},   {"A]", "k"},  {"A", "k=v"},
                                                       {"A", ";k"}, {"A", "[k"}, {"A\n", "k"}, {"A", "k\r"}};
    for (const auto& [section, key] : bad)
        EXPECT_FALSE(IniWriteString(section, key, "v", file)) << section << key;
    EXPECT_FALSE(IniWriteString("A", "k", "two\r\nlines", file));
    EXPECT_EQ(ReadFileText(file), "[A]\r\nk=1\r\n");
}

TEST(IniFileTest, AFileThatCannotBeReadIsNotOverwritten) {
    TempDir dir;
    const std::string file = dir.Write("locked.ini", "[A]\r\nk=1\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    if (::access(file.c_str(), R_OK) == 0) GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_FALSE(IniWriteString("A", "k", "2", file));
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    EXPECT_EQ(ReadFileText(file), "[A]\r\nk=1\r\n");
}

TEST(IniFileTest, BatchOfWritesSavedOnce) {
    TempDir dir;
    IniFile ini((dir.Path() / "b.ini").string());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(ini.WriteString("UserDefine", "Color" + std::to_string(i) + "R", "7"));
    ASSERT_TRUE(ini.WriteString("UserDefine", "ColorCount", "3"));
    EXPECT_FALSE(std::filesystem::exists(ini.Path()));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(IniReadInt("userdefine", "colorcount", 0, ini.Path()), 3);
    EXPECT_EQ(IniReadInt("UserDefine", "Color2R", 0, ini.Path()), 7);
}

} // namespace
