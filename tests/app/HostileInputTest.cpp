// What the shared readers and writers do with input that is not what it claims to be.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <sys/stat.h>

#include "app/AtomicFile.h"
#include "app/ConfigStore.h"
#include "app/IniFile.h"
#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

TEST(HostileInput, OnlyRegularFilesAreRead) {
    TempDir dir;
    const std::string file = dir.Write("a.txt", "abc");
    fs::create_directories(dir.Path() / "folder.txt");
    const std::string fifo = (dir.Path() / "pipe.txt").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        ReadResult expected;
        std::string bytes;
    } cases[] = {
        {file, ReadResult::Ok, "abc"},
        {(dir.Path() / "folder.txt").string(), ReadResult::NotAFile, ""},
        {fifo, ReadResult::NotAFile, ""}, // never waits for a writer
        {(dir.Path() / "missing.txt").string(), ReadResult::Missing, ""},
        {"/dev/zero", ReadResult::NotAFile, ""},
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(ReadRegularFile(c.path, bytes), c.expected) << c.path;
        EXPECT_EQ(bytes, c.bytes) << c.path;
    }
}

TEST(HostileInput, NumbersAreNeverWrittenAsInfinityOrNan) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        std::string fixed;
        std::string shortest;
    } cases[] = {
        {inf, "-999.00", "-999"},    {-inf, "-999.00", "-999"},   {nan, "-999.00", "-999"},
        {-0.0, "-0.00", "0"},        {-0.001, "-0.00", "-0.001"}, {-0.005001, "-0.01", "-0.005001"},
        {12.345, "12.35", "12.345"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, 2), c.fixed) << c.value;
        EXPECT_EQ(FormatShortestFloat(static_cast<float>(c.value)), c.shortest) << c.value;
    }
}

TEST(HostileInput, TextsForLinesAndXml) {
    struct Case {
        std::string in;
        std::string printable;
        std::string xml;
    } cases[] = {
        {"p1\tx\n.msi", "p1\\tx\\n.msi", "p1\tx\n.msi"},
        {"a\x01"
         "b\x7F",
         "a\\x01b\\x7F", "ab\x7F"},
        {"bad\xFF"
         "byte",
         "bad\xEF\xBF\xBD"
         "byte",
         "bad\xEF\xBF\xBD"
         "byte"},
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD"}, // overlong "/"
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"中文 ok", "中文 ok", "中文 ok"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintableText(c.in), c.printable);
        EXPECT_EQ(XmlSafeText(c.in), c.xml);
    }
}

TEST(HostileInput, IniLookupsAfterInsertsMatchAFreshRead) {
    TempDir dir;
    const std::string path = dir.Write("c.ini", "[A]\r\nk1=1\r\n\r\n[B]\r\nk1=2\r\n[a]\r\nk9=dup\r\n");
    IniFile ini(path);
    // Inserts into the first section move every later line; the index must follow them.
    ASSERT_TRUE(ini.WriteString("A", "k2", "x"));
    ASSERT_TRUE(ini.WriteString("b", "k2", "y"));
    ASSERT_TRUE(ini.WriteString("C", "k1", "z"));
    ASSERT_TRUE(ini.WriteString("A", "K1", "changed"));
    ASSERT_TRUE(ini.Save());
    const IniFile reread(path);
    for (const IniFile* file : {static_cast<const IniFile*>(&ini), &reread}) {
        EXPECT_EQ(file->ReadString("a", "k1", "-"), "changed");
        EXPECT_EQ(file->ReadString("A", "k2", "-"), "x");
        EXPECT_EQ(file->ReadString("B", "k1", "-"), "2");
        EXPECT_EQ(file->ReadString("B", "k2", "-"), "y");
        EXPECT_EQ(file->ReadString("c", "k1", "-"), "z");
        EXPECT_EQ(file->ReadString("A", "k9", "-"), "-"); // only the first [A] counts
    }
    EXPECT_EQ(ReadFileText(path),
              "[A]\r\nk1=changed\r\nk2=x\r\n\r\n[B]\r\nk1=2\r\nk2=y\r\n[a]\r\nk9=dup\r\n\r\n"
              "[C]\r\nk1=z\r\n");
}

TEST(HostileInput, UnusableConfigurationFallsBackToTheShippedDefaults) {
    TempDir dir;
    const std::string shipped =
        dir.Write("shipped/Config.xml", "<?xml version=\"1.0\"?><ConfigApp><S><K value=\"" +
                                            EncodeConfigValue("K", "42") + "\"/></S></ConfigApp>");
    struct Case {
        std::string name;
        std::string content; // empty: a folder stands where the file should
        ConfigHealth health;
    } cases[] = {
        {"corrupt", "<ConfigApp><S>", ConfigHealth::Unusable},
        {"other root", "<Other/>", ConfigHealth::Unusable},
        {"folder", "", ConfigHealth::Unusable},
    };
    for (const Case& c : cases) {
        const fs::path file = dir.Path() / c.name / "Config.xml";
        if (c.content.empty())
            fs::create_directories(file);
        else
            dir.Write(c.name + "/Config.xml", c.content);
        ConfigStore store(file.string(), shipped);
        EXPECT_EQ(store.Health(), c.health) << c.name;
        EXPECT_EQ(store.ReadConfig("S", "K"), "42") << c.name;
        EXPECT_EQ(store.WriteConfig("S", "K", "7"), 0) << c.name; // never overwritten
        if (!c.content.empty()) { EXPECT_EQ(ReadFileText(file.string()), c.content) << c.name; }
    }
    ConfigStore missing((dir.Path() / "none" / "Config.xml").string(), shipped);
    EXPECT_EQ(missing.Health(), ConfigHealth::Missing);
    EXPECT_EQ(missing.ReadConfig("S", "K"), "42");
}

TEST(HostileInput, LedgerKeepsTheFirstOfTwoWritesToOnePathAndNamesFailures) {
    TempDir dir;
    RecordingNotifier notifier;
    WriteLedger ledger;
    const std::string path = (dir.Path() / "out.pln").string();
    const std::string sameFile = (dir.Path() / "." / "out.pln").string();
    EXPECT_TRUE(WriteOutput(&ledger, notifier, path, "first", "a.msi", "failed", "C"));
    EXPECT_FALSE(WriteOutput(&ledger, notifier, sameFile, "second", "b.msi", "failed", "C"));
    EXPECT_FALSE(
        WriteOutput(&ledger, notifier, (dir.Path() / "no" / "x").string(), "x", "c.msi", "failed", "C"));
    EXPECT_EQ(ReadFileText(path), "first");
    EXPECT_EQ(ledger.WrittenCount(), 1u);
    ASSERT_EQ(ledger.Duplicates().size(), 1u);
    EXPECT_EQ(ledger.Duplicates()[0].firstSource, "a.msi");
    ASSERT_EQ(notifier.warnings.size(), 1u);
    ASSERT_EQ(ledger.Failures().size(), 1u);
    EXPECT_EQ(notifier.messages, (std::vector<std::pair<std::string, std::string>>{{"C", "failed"}}));
}
