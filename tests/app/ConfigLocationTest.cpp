#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>

#include "app/ConfigLocation.h"
#include "support/TestSupport.h"

namespace {

// Sets environment variables for one test and puts the old values back.
class EnvironmentGuard {
  public:
    void Set(const char* name, const char* value) {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

TEST(ConfigLocation, ResolvesInOrderOfPrecedence) {
    EnvironmentGuard env;
    env.Set("HOME", "/home/tester");
    env.Set("QUADREL_CONFIG_DIR", "/env/dir");
    env.Set("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(ResolveConfigDir("/explicit"), "/explicit/");
    EXPECT_EQ(ResolveConfigDir("/explicit/"), "/explicit/");
    EXPECT_EQ(ResolveConfigDir(""), "/env/dir/");
    env.Set("QUADREL_CONFIG_DIR", "");
    EXPECT_EQ(ResolveConfigDir(""), "/xdg/quadrel/");
    env.Set("XDG_CONFIG_HOME", "relative");
    EXPECT_EQ(ResolveConfigDir(""), "/home/tester/.config/quadrel/");
    env.Set("XDG_CONFIG_HOME", nullptr);
    env.Set("QUADREL_CONFIG_DIR", nullptr);
    EXPECT_EQ(ResolveConfigDir(""), "/home/tester/.config/quadrel/");
    EXPECT_EQ(UserBaseDir("XDG_STATE_HOME_UNSET_FOR_TEST", ".local/state"), "/home/tester/.local/state/");
}

TEST(ConfigLocation, ShippedDataDirHoldsTheDefaults) {
    const std::string dir = ShippedDataDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(dir + "Config.xml")) << dir;
}

TEST(ConfigLocation, SeedingCopiesMissingFilesOnly) {
    TempDir dir;
    const std::string target = (dir.Path() / "new" / "quadrel").string();
    ASSERT_TRUE(SeedConfigDir(target));
    EXPECT_EQ(ReadFileText(target + "/Config.xml"), ReadFileText(ShippedDataDir() + "Config.xml"));
    // A file the user already has is never replaced.
    dir.Write("new/quadrel/Config.xml", "<ConfigApp/>");
    ASSERT_TRUE(SeedConfigDir(target + "/"));
    EXPECT_EQ(ReadFileText(target + "/Config.xml"), "<ConfigApp/>");
    // A folder that cannot exist is reported.
    EXPECT_FALSE(SeedConfigDir(dir.Write("plainfile", "x") + "/sub"));
}

// Templates are seeded silently the first time; a template the user deleted later is put back
// and named, so the caller can say that the shipped one is used.
TEST(ConfigLocation, SeedingNamesTemplatesItPutsBack) {
    TempDir dir;
    const std::string target = (dir.Path() / "quadrel").string() + "/";
    std::vector<std::string> restored;
    ASSERT_TRUE(SeedConfigDir(target, &restored));
    EXPECT_TRUE(restored.empty()) << "a first seeding restores nothing";
    const std::string customised = target + "template/Result.xlsx";
    ASSERT_TRUE(std::filesystem::remove(customised));
    ASSERT_TRUE(SeedConfigDir(target, &restored));
    EXPECT_EQ(restored, std::vector<std::string>{customised});
    EXPECT_TRUE(std::filesystem::is_regular_file(customised));
    restored.clear();
    ASSERT_TRUE(SeedConfigDir(target, &restored));
    EXPECT_TRUE(restored.empty());
}

} // namespace

// A program built on the core finds the same shipped defaults however it is started: a data folder
// named by $QUADREL_DATA_DIR (the share/quadrel folder or its "Config File"), and otherwise the one
// beside it or the installed or source folder it was built with; a folder without defaults is
// passed over.
TEST(ConfigLocation, ShippedDefaultsAreFoundWhereverTheProgramLives) {
    TempDir dir;
    const std::string shipped = ShippedDataDir();
    ASSERT_FALSE(shipped.empty());
    const std::string defaults = ReadFileText(shipped + "Config.xml");
    dir.Write("share/quadrel/Config File/Config.xml", defaults);
    dir.Write("flat/Config.xml", defaults);
    std::filesystem::create_directories(dir.Path() / "empty");
    const std::string root = dir.Path().string();
    struct Case {
        const char* what;
        std::optional<std::string> dataDir;
        std::string expected;
    } cases[] = {
        {"a share/quadrel folder", root + "/share/quadrel", root + "/share/quadrel/Config File/"},
        {"its Config File folder", root + "/flat/", root + "/flat/"},
        {"a folder without defaults", root + "/empty", shipped},
        {"not set", std::nullopt, shipped},
    };
    for (const auto& c : cases) {
        EnvironmentGuard environment;
        environment.Set("QUADREL_DATA_DIR", c.dataDir ? c.dataDir->c_str() : nullptr);
        EXPECT_EQ(ShippedDataDir(), c.expected) << c.what;
    }
    // Every place is named where none of them holds the defaults.
    EXPECT_NE(ShippedDataPlaces().find("QUADREL_DATA_DIR"), std::string::npos);
    EXPECT_NE(ShippedDataPlaces().find("/share/quadrel"), std::string::npos);
}
