#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/TextUtil.h"
#include "document/MsiFormat.h"
#include "document/PatternText.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

namespace {
// A measured one-cut file: header lines, then "angle attenuation" lines.
std::string MsiText(const std::string& thirdLine, const std::vector<std::string>& dataLines) {
    std::string text =
        "NAME X\r\nFREQUENCY 1800\r\n" + thirdLine + "\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (const auto& line : dataLines) text += line + "\r\n";
    return text;
}

std::vector<std::string> Ramp(int from, int to, double attenuation) {
    std::vector<std::string> lines;
    for (int a = from; a < to; ++a) lines.push_back(std::to_string(a) + " " + FormatFixed(attenuation, 2));
    return lines;
}
} // namespace

TEST(MsiReader, GainLineUnits) {
    struct Case {
        const char* line;
        bool hasGain;
        float gain;
        int count;
    } cases[] = {
        {"GAIN 15.00 dBd", true, 17.15f, 0},
        {"GAIN 15.00 dBi", true, 15.0f, 0},
        {"GAIN 15", true, 17.15f, 0},
        {"Gain 3 dB", true, 5.15f, 0},
        {"GAIN 16.95  dBi", true, 16.95f, 0},
        {"360", false, NOT_SET, 360},
        {"", false, NOT_SET, 0},
        {"GAIN", true, 2.15f, 0},
        {"COUNT 12", false, NOT_SET, 0},
    };
    for (const auto& c : cases) {
        MsiContent content;
        ASSERT_TRUE(ParseMsiText(MsiText(c.line, {"0 0"}), content)) << c.line;
        EXPECT_EQ(content.hasGainLine, c.hasGain) << c.line;
        EXPECT_FLOAT_EQ(content.gainDbi, c.gain) << c.line;
        EXPECT_EQ(content.count, c.count) << c.line;
        EXPECT_FLOAT_EQ(content.frequency, 1800.0f);
    }
}

TEST(MsiReader, DataLinesFoldAnglesAndTurnAttenuationIntoLevel) {
    struct Case {
        const char* line;
        float angle;
        float level;
    } cases[] = {
        {"181 3", -179.0f, -3.0f},     {"180 3", 180.0f, -3.0f},   {"0 0", 0.0f, -0.0f},
        {"359.5 1.25", -0.5f, -1.25f}, {"45,12.5", 45.0f, -12.5f}, {"45\t12.5", 45.0f, -12.5f},
        {"45 12,5", 45.0f, -12.0f},    {"abc", NOT_SET, NOT_SET},  {"- -", 0.0f, -0.0f},
        {"10 -2", 10.0f, 2.0f},        {" 7 1", 0.0f, -7.0f},      {"90 1e3", 90.0f, -1000.0f},
    };
    for (const auto& c : cases) {
        MsiContent content;
        ASSERT_TRUE(ParseMsiText(MsiText("360", {c.line}), content));
        ASSERT_EQ(content.samples.size(), 1u) << c.line;
        EXPECT_FLOAT_EQ(content.samples[0].fAngle, c.angle) << c.line;
        EXPECT_FLOAT_EQ(content.samples[0].fMag, c.level) << c.line;
    }
}

TEST(MsiReader, DataEndsAtALoneCarriageReturnOrTheEnd) {
    MsiContent content;
    auto lines = Ramp(0, 10, 1.0);
    lines.insert(lines.begin() + 4, "");
    ASSERT_TRUE(ParseMsiText(MsiText("360", lines), content));
    EXPECT_EQ(content.samples.size(), 4u);

    // The last line needs no line feed.
    ASSERT_TRUE(ParseMsiText("NAME\nFREQUENCY 900\n360\n\n\n\n0 1\n1 2", content));
    ASSERT_EQ(content.samples.size(), 2u);
    EXPECT_FLOAT_EQ(content.samples[1].fMag, -2.0f);
    // Only a one-character line with its line feed ends the data: a bare line feed is a data line
    // without separator, and so is a one-character last line without one.
    ASSERT_TRUE(ParseMsiText("NAME\nFREQUENCY 900\n360\n\n\n\n0 1\n\n1 2\n7", content));
    ASSERT_EQ(content.samples.size(), 4u);
    EXPECT_FLOAT_EQ(content.samples[1].fAngle, NOT_SET);
    EXPECT_FLOAT_EQ(content.samples[3].fMag, NOT_SET);

    // Short files: missing header lines are empty, no data.
    ASSERT_TRUE(ParseMsiText("NAME\n", content));
    EXPECT_TRUE(content.samples.empty());
    EXPECT_FALSE(ParseMsiText("NAME X FREQUENCY 1800", content));
}

TEST(MsiReader, TwoCutFileSkipsTheLineBetweenTheCutsAndKeepsBothMaxima) {
    auto lines = Ramp(0, 360, 10.0);
    lines[20] = "20 2.5";
    lines[30] = "30 2.5"; // equal peak later: the first one wins
    lines.push_back("VERTICAL 360");
    auto vertical = Ramp(0, 360, 20.0);
    vertical[355] = "355 1.0";
    lines.insert(lines.end(), vertical.begin(), vertical.end());
    MsiContent content;
    ASSERT_TRUE(ParseMsiText(MsiText("GAIN 17 dBi", lines), content));
    ASSERT_EQ(content.samples.size(), 720u);
    EXPECT_FLOAT_EQ(content.samples[360].fAngle, 0.0f);
    EXPECT_FLOAT_EQ(content.hMax.fAngle, 20.0f);
    EXPECT_FLOAT_EQ(content.hMax.fMag, -2.5f);
    EXPECT_FLOAT_EQ(content.vMax.fAngle, -5.0f);
    EXPECT_FLOAT_EQ(content.vMax.fMag, -1.0f);

    // Whatever the skipped line says, even a blank line, it is not data and does not end the data.
    lines[360] = "";
    ASSERT_TRUE(ParseMsiText(MsiText("GAIN 17 dBi", lines), content));
    EXPECT_EQ(content.samples.size(), 720u);
}

TEST(MsiReader, LoaderStoresIntoTheTableAndRefusesAsDescribed) {
    TempDir dir;
    RecordingNotifier notifier;
    CQuadrelDoc doc(&notifier);
    const std::string folder = "Lab_P_Model_20260101_B1_SN9/";
    const std::string good =
        dir.Write(folder + "p1_p45_h_co_6_0_1800.MSI", MsiText("GAIN 15.00 dBd", Ramp(0, 360, 3.0)));
    ASSERT_EQ(doc.LoadPatternFile(good), 0);
    const PatternFile* file = doc.Find(good);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->key, ToLowerForTest(good));
    EXPECT_EQ(file->fileName, "p1_p45_h_co_6_0_1800.MSI");
    EXPECT_FLOAT_EQ(file->results.Gain, 17.15f);
    EXPECT_FLOAT_EQ(file->results.Hmax.fMag, -3.0f);
    EXPECT_FLOAT_EQ(file->results.Vmax.fMag, NOT_SET);
    EXPECT_EQ(file->names[2], "Model");
    EXPECT_EQ(file->names[8], "h");
    EXPECT_EQ(file->names[12], "1800");
    EXPECT_EQ(doc.noGainFlag, 0);
    EXPECT_EQ(doc.testFields[5], "SN9");

    // Fewer than three name tokens: the plane field keeps the source-type text.
    const std::string twoTokens = dir.Write(folder + "p1_p45.msi", MsiText("360", {"0 0"}));
    ASSERT_EQ(doc.LoadPatternFile(twoTokens), 0);
    EXPECT_EQ(doc.Find(twoTokens)->names[8], "msi");
    EXPECT_EQ(doc.Find(twoTokens)->names[7], "p45");

    struct Refusal {
        std::string relative;
        std::string bytes;
        std::vector<std::pair<std::string, std::string>> messages;
        bool stored;
    } refusals[] = {
        {folder + "a.txt", MsiText("360", {"0 0"}), {{"Vexlor", "File Error !"}}, false},
        {folder + "nolf_h_co.msi", "NAME X FREQUENCY", {}, false},
        {"badfolder/p1_p45_h_co_6_0_1800.msi",
         MsiText("360", {"0 0"}),
         {{"Norvan", "Folder or file name error"}},
         true},
        {"a_b_c_d_e/p1_p45_h_co_6_0_1800.msi",
         MsiText("360", {"0 0"}),
         {{"Norvan", "Folder or file name error"}},
         true},
    };
    for (const auto& r : refusals) {
        notifier.messages.clear();
        const std::string path = dir.Write(r.relative, r.bytes);
        EXPECT_EQ(doc.LoadPatternFile(path), kLoadRefused) << r.relative;
        EXPECT_EQ(notifier.messages, r.messages) << r.relative;
        EXPECT_EQ(doc.Find(path) != nullptr, r.stored) << r.relative;
        // A file kept after the naming refusal has its samples but not its file name.
        if (r.stored) { EXPECT_EQ(doc.Find(path)->fileName, "") << r.relative; }
    }
    EXPECT_EQ(doc.noGainFlag, 1); // the last MSI read had a count line
}

TEST(MsiReader, WarnsWhatTheFormatRulesGarble) {
    std::vector<std::string> twoCuts = Ramp(0, 360, 1.0);
    twoCuts.push_back("VERTICAL 360");
    for (const std::string& line : Ramp(0, 360, 2.0)) twoCuts.push_back(line);
    std::vector<std::string> rowSkipped = Ramp(0, 362, 1.0);
    struct Case {
        const char* what;
        std::string third;
        std::vector<std::string> lines;
        std::vector<std::string> says; // one part of each warning, in order
    } cases[] = {
        {"measured cut with its count", "3", {"0 1", "0.5 2", "1 3"}, {}},
        {"gain line, negative angles first", "GAIN 3 dBi", {"-1 1", "0 0", "359 1"}, {}},
        {"right-aligned columns",
         "GAIN 3 dBi",
         {"  0.00  1", " 1.00 2", "100.00 3"},
         {"2 data lines begin with a blank"}},
        {"header keys among the data",
         "2",
         {"POLARIZATION V", "HORIZONTAL 360", "0 1"},
         {"2 data lines hold text", "count line says 2 samples, the file holds 3"}},
        {"a line without value", "GAIN 3 dBi", {"0 1", "7", "2 1"}, {"1 data line holds text"}},
        {"angles going back",
         "GAIN 3 dBi",
         {"0 1", "2 1", "1 1", "0 1"},
         {"line 9 has 1 after 2 (2 steps back)"}},
        {"a two-cut file", "GAIN 3 dBi", twoCuts, {"horizontal and a vertical cut (VERTICAL at line 367)"}},
        {"a row where the format skips a line",
         "362",
         rowSkipped,
         {"line 367 after the 360th sample is a data row",
          "count line says 362 samples, the file holds 361"}},
    };
    for (const auto& c : cases) {
        MsiContent content;
        ASSERT_TRUE(ParseMsiText(MsiText(c.third, c.lines), content)) << c.what;
        ASSERT_EQ(content.warnings.size(), c.says.size())
            << c.what << ": " << ::testing::PrintToString(content.warnings);
        for (size_t i = 0; i < c.says.size(); ++i)
            EXPECT_NE(content.warnings[i].find(c.says[i]), std::string::npos)
                << c.what << ": " << content.warnings[i];
    }
}

TEST(MsiReader, TheLabsOwnMeasurementLoadsWithoutWarnings) {
    RecordingNotifier notifier;
    CQuadrelDoc doc(&notifier);
    const std::string folder =
        std::string(QUADREL_SOURCE_DIR) + "/samples/campaign/Lab1_Proj7_QX6518_20261208_B01_SN00001";
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        paths.push_back(entry.path().string());
    ASSERT_FALSE(paths.empty());
    ASSERT_EQ(doc.OpenFiles(paths), 0);
    EXPECT_TRUE(notifier.warnings.empty()) << notifier.warnings.front().second;
}

TEST(MsiReader, RealVendorFilesLoad) {
    struct Case {
        const char* name;
        float frequency;
        float gain;
        size_t samples;
        size_t warnings; // none is loaded silently: at least the two cuts in one file are named
    } cases[] = {
        {"AMB4520R8v06_05T.msi", 1845.0f, 19.10f, 720, 1},
        {"AMB4520R8v06_1845_P45_04T_y1.msi", 1845.0f, 18.61f, 720, 2},
        {"80010465_0791_x_co.msi", 791.0f, 5.25f, 720, 2},
        // Extra header lines of this exporter are read as data lines and shift the skipped line.
        {"SV460-SF2SNM_0890_00T.msi", 890.0f, NOT_SET, 724, 5},
    };
    TempDir dir;
    for (const auto& c : cases) {
        CQuadrelDoc doc;
        const std::string bytes = ReadFileText(std::string(QUADREL_TEST_DATA_DIR) + "/real/" + c.name);
        const std::string path = dir.Write(std::string("Lab_Vendor_Model_20260101_B1_SN1/") + c.name, bytes);
        ASSERT_EQ(doc.LoadPatternFile(path), 0) << c.name;
        const PatternFile& file = *doc.Find(path);
        EXPECT_FLOAT_EQ(file.headerValue, c.frequency) << c.name;
        EXPECT_NEAR(file.results.Gain, c.gain, 1e-4) << c.name;
        EXPECT_EQ(file.samples.size(), c.samples) << c.name;
        EXPECT_EQ(file.warnings.size(), c.warnings)
            << c.name << ": " << ::testing::PrintToString(file.warnings);
        if (c.samples == 720) {
            EXPECT_FLOAT_EQ(file.results.Hmax.fMag, 0.0f) << c.name;
            EXPECT_GT(file.results.Vmax.fMag, -1.0f) << c.name;
        }
    }
}

// The quick row path must read every line it takes exactly as the general line reader does, and
// leave every other line to it: line ends, separators, signs, long mantissas, exponents, text.
TEST(MsiReader, QuickRowsReadAsTheGeneralLineReader) {
    const std::string lines[] = {
        "12.5 3.25\r\n",
        "12.5\t3.25\n",
        "-179.50  0.01\r\n",
        "0 0\n",
        "-.5 +.25\n",
        "5. 7.\n",
        "+3 -0.00\r\n",
        "1e2 3\n",
        "3 1e2\n",
        "1.2.3 4\n",
        " 12 5\n",
        "12,5 6\n",
        "12 5 \n",
        "12 5x\n",
        "1234567890123456 1\n",
        "0.000000000000001 2\n",
        "12 \t 5\r\n",
        "12 5\r\r\n",
        ". 5\n",
        "12 -\n",
        "12 5",
    };
    int takenLines = 0;
    for (const std::string& text : lines) {
        SCOPED_TRACE(PrintableText(text));
        LineCursor quick(text);
        std::string_view line;
        double a = 0, b = 0;
        const bool taken = quick.NextSimpleRow(line, a, b);
        LineCursor general(text);
        std::string_view generalLine;
        ASSERT_TRUE(general.Next(generalLine));
        double ga = 0, gb = 0;
        bool row = false;
        const bool parsed = ParsePointLine(generalLine, ga, gb, &row);
        if (!taken) {
            std::string_view next;
            EXPECT_TRUE(quick.Next(next)); // nothing was taken
            EXPECT_EQ(next, generalLine);
            continue;
        }
        ++takenLines;
        EXPECT_EQ(line, generalLine);
        EXPECT_TRUE(parsed && row);
        EXPECT_EQ(std::signbit(a), std::signbit(ga));
        EXPECT_EQ(a, ga);
        EXPECT_EQ(b, gb);
    }
    EXPECT_EQ(takenLines, 8); // the first seven and "12 \t 5"
}
