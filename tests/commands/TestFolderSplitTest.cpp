#include <gtest/gtest.h>

#include "commands/TestFolderSplit.h"

namespace {
using Runs = std::vector<std::vector<std::string>>;

struct SplitCase {
    const char* name;
    std::vector<std::string> sortedFiles;
    Runs expected;
};

class TestFolderSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(TestFolderSplit, RunsFollowTheTableOrder) {
    EXPECT_EQ(SplitIntoTestFolders(GetParam().sortedFiles), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TestFolderSplit,
    testing::Values(
        SplitCase{"Empty", {}, {}}, SplitCase{"OneFolder", {"a/x.msi", "a/y.msi"}, {{"a/x.msi", "a/y.msi"}}},
        SplitCase{"TwoFolders", {"a/x.msi", "a/y.msi", "b/x.msi"}, {{"a/x.msi", "a/y.msi"}, {"b/x.msi"}}},
        SplitCase{"FolderAndSubfolder", {"a/x.msi", "a/z/x.msi"}, {{"a/x.msi"}, {"a/z/x.msi"}}},
        // "a/b.msi" < "a/b/x.msi" < "a/c.msi": folder a would be two runs.
        SplitCase{"FolderInterleavedWithSubfolder",
                  {"a/b.msi", "a/b/x.msi", "a/c.msi"},
                  {{"a/b.msi", "a/b/x.msi", "a/c.msi"}}},
        // Two spellings of one folder: partners are found across them by lower-case key.
        SplitCase{"FolderSpelledTwice", {"A/x.msi", "a/y.msi"}, {{"A/x.msi", "a/y.msi"}}},
        // "B/" sorts before "a/", the table puts "a/" first.
        SplitCase{"CaseAgainstTableOrder", {"B/x.msi", "a/x.msi"}, {{"B/x.msi", "a/x.msi"}}},
        // Inside one folder the case of the names does not matter: the folder is loaded as one.
        SplitCase{
            "CaseInsideAFolder", {"a/Y.msi", "a/x.msi", "b/x.msi"}, {{"a/Y.msi", "a/x.msi"}, {"b/x.msi"}}},
        SplitCase{"BackslashFolders", {"d\\a\\x.msi", "d\\b\\x.msi"}, {{"d\\a\\x.msi"}, {"d\\b\\x.msi"}}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });
} // namespace
