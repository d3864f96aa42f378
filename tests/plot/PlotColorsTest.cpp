#include <gtest/gtest.h>

#include "app/IniFile.h"
#include "plot/ColorDialogModel.h"
#include "support/TestSupport.h"

namespace {
constexpr Rgb A{1, 2, 3}, B{4, 5, 6}, C{7, 8, 9};

TEST(LineColors, UserColoursCycleInListOrder) {
    PlotColors colors;
    colors.SetUserList({A, B, C});
    const Rgb expected[] = {A, B, C, A, B, C};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(colors.LineColorFor(k), expected[k - 1]) << k;
    EXPECT_EQ(colors.lineColors[0], C); // rotated by one
    EXPECT_EQ(colors.UserList(), (std::vector<Rgb>{A, B, C}));
}

// The first sixteen curves differ clearly from each other and from what the frame draws in.
TEST(LineColors, SixteenCutsGetSixteenDistinctColours) {
    const PlotColors colors;
    const Rgb frame[] = {colors.grid,
                         {200, 0, 200} /* 3 dB line */,
                         {0, 100, 0},
                         {148, 0, 211} /* envelopes */,
                         {255, 255, 255}};
    auto distance = [](Rgb a, Rgb b) {
        return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    };
    for (int i = 1; i <= 16; ++i) {
        for (int j = i + 1; j <= 16; ++j)
            EXPECT_GE(distance(colors.LineColorFor(i), colors.LineColorFor(j)), 90) << i << " and " << j;
        for (Rgb f : frame) EXPECT_GE(distance(colors.LineColorFor(i), f), 90) << i;
    }
}

TEST(LineColors, DefaultTableWrapsThroughEntryZero) {
    const PlotColors colors;
    const std::vector<Rgb> table = PlotColors::DefaultLineTable();
    EXPECT_EQ(colors.LineColorFor(1), (Rgb{0, 0, 255}));
    EXPECT_EQ(colors.LineColorFor(2), (Rgb{255, 0, 0}));
    EXPECT_EQ(colors.LineColorFor(3), (Rgb{139, 54, 38}));
    EXPECT_EQ(colors.LineColorFor(24), table[0]);
    EXPECT_EQ(colors.LineColorFor(25), table[1]);
    EXPECT_EQ(table[24], (Rgb{210, 0, 0}));
    const std::vector<Rgb> dialog = PlotColors::DialogDefaultLineTable();
    EXPECT_EQ(dialog[1], (Rgb{255, 0, 0}));
    EXPECT_EQ(dialog[2], (Rgb{0, 0, 255}));
}

TEST(ColorFile, MissingFileIsCreatedAndGivesTheOldStartColours) {
    TempDir dir;
    const std::string path = (dir.Path() / "ColorSetting.ini").string();
    const PlotColors colors = ReadColorSettings(path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(colors.coordinates, (Rgb{200, 200, 200}));
    EXPECT_EQ(colors.grid, (Rgb{0, 0, 0}));
    EXPECT_EQ(colors.userDefined, 0);
}

TEST(ColorFile, CountZeroKeepsTheDefaultTableWhateverFollows) {
    TempDir dir;
    const std::string path = dir.Write(
        "ColorSetting.ini", "[UserDefine]\r\nColorCount=0\r\nColor0R=9\r\nColor0G=9\r\nColor0B=9\r\n");
    const PlotColors colors = ReadColorSettings(path);
    EXPECT_EQ(colors.userDefined, 0);
    EXPECT_EQ(colors.lineColors, PlotColors::DefaultLineTable());
}

TEST(ColorFile, UserListIsRotatedOnReadAndSurvivesAWrite) {
    TempDir dir;
    const std::string path = dir.Write(
        "ColorSetting.ini", "[UserDefine]\r\nColorCount=3\r\nColor0R=1\r\nColor0G=2\r\nColor0B=3\r\n"
                            "Color1R=4\r\nColor1G=5\r\nColor1B=6\r\nColor2R=7\r\nColor2G=8\r\n"
                            "[CoordinatesColor]\r\nR=10\r\nG=20\r\nB=300\r\n");
    PlotColors colors = ReadColorSettings(path);
    EXPECT_EQ(colors.userCount, 3);
    EXPECT_EQ(colors.lineColors[0], (Rgb{7, 8, 0})); // missing component reads 0
    EXPECT_EQ(colors.lineColors[1], A);
    EXPECT_EQ(colors.coordinates, (Rgb{10, 20, 255}));
    EXPECT_EQ(colors.grid, (Rgb{0, 0, 0}));

    colors.grid = {11, 12, 13};
    ASSERT_TRUE(WriteColorSettings(path, colors));
    const PlotColors again = ReadColorSettings(path);
    EXPECT_EQ(again.UserList(), colors.UserList());
    EXPECT_EQ(again.grid, (Rgb{11, 12, 13}));
    EXPECT_EQ(IniReadString("UserDefine", "Color2G", "", path), "8");
}

TEST(ColorFile, HostileCountsStayBounded) {
    TempDir dir;
    PlotColors negative = ReadColorSettings(dir.Write("a.ini", "[UserDefine]\r\nColorCount=-4\r\n"));
    EXPECT_EQ(negative.userDefined, 0);
    PlotColors many = ReadColorSettings(dir.Write("b.ini", "[UserDefine]\r\nColorCount=30\r\n"));
    EXPECT_EQ(many.userCount, 30);
    EXPECT_EQ(many.LineColorFor(29), (Rgb{0, 0, 0})); // every reachable entry exists
    PlotColors huge = ReadColorSettings(dir.Write("c.ini", "[UserDefine]\r\nColorCount=2000000000\r\n"));
    EXPECT_LE(huge.userCount, 4096);
}

TEST(ColorDialog, ButtonsEditTheListAndOkWritesIt) {
    TempDir dir;
    const std::string path = (dir.Path() / "ColorSetting.ini").string();
    PlotColors document;
    ColorDialogModel dialog(document);
    RecordingNotifier notifier;
    EXPECT_FALSE(dialog.CanChangeColor({}, notifier));
    EXPECT_FALSE(dialog.CanChangeColor({0, 1}, notifier));
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[0].second, "Please chose one color!");
    EXPECT_EQ(notifier.messages[1].second, "You can only chose one color!");

    dialog.InsertColor(A);
    dialog.InsertColor(B);
    dialog.InsertColor(C);
    dialog.ChangeColor(1, {50, 50, 50});
    dialog.DeleteColors({0});
    EXPECT_EQ(dialog.RowLabels(), (std::vector<std::string>{"Line 1", "Line 2"}));
    ASSERT_TRUE(dialog.Accept(document, path));
    EXPECT_EQ(document.LineColorFor(1), (Rgb{50, 50, 50}));
    EXPECT_EQ(document.LineColorFor(2), C);
    EXPECT_EQ(IniReadInt("UserDefine", "ColorCount", -1, path), 2);

    // Deleting every row leaves no list to draw with: user colours go off.
    ColorDialogModel emptied(document);
    emptied.DeleteColors({0, 1});
    EXPECT_FALSE(emptied.UserDefined());
    emptied.DefaultLineColors();
    ASSERT_TRUE(emptied.Accept(document, path));
    EXPECT_EQ(document.LineColorFor(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(IniReadInt("UserDefine", "ColorCount", -1, path), 0);

    emptied.DefaultFrameColors(document);
    EXPECT_EQ(document.coordinates, (Rgb{0, 0, 0}));
    EXPECT_EQ(document.grid, (Rgb{200, 200, 200}));
}
} // namespace
