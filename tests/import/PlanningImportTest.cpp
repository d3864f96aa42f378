#include <gtest/gtest.h>

#include <filesystem>

#include "app/TextUtil.h"
#include "commands/Analysis.h"
#include "document/QuadrelDoc.h"
#include "import/PlanningImport.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
std::string Planning(const std::string& header) {
    std::string text = header + "HORIZONTAL 360\n";
    for (int a = 0; a < 360; ++a)
        text += std::to_string(a) + " " + FormatFixed(std::abs(a > 180 ? a - 360 : a) / 5.0, 2) + "\n";
    text += "VERTICAL 360\n";
    for (int a = 0; a < 360; ++a)
        text += std::to_string(a) + " " + FormatFixed(std::abs(a > 180 ? a - 360 : a) / 2.0, 2) + "\n";
    return text;
}

std::vector<std::string> FilesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}
} // namespace

TEST(PlanningImport, NamesCutsFromTheHeaderWithTheOptionsOverriding) {
    struct Case {
        const char* what;
        std::string header;
        std::string file;
        ImportOptions options;
        ImportNaming expected; // model, make, polarisation, tilt, frequency
    } cases[] = {
        {"vendor MSI name",
         "NAME 80010664\nFREQUENCY 821\nCOMMENT DATE 1.1.2011 -45 degrees polarized system Lever position 2 "
         "deg\n",
         "80010664_0821_x_co_m45_02t.msi",
         {},
         {"80010664", "Vendor", "M45", "2", "821"}},
        {"keys of a PAFX conversion",
         "NAME Sinclair SV460_0890\nFREQUENCY 890\nELECTRICAL_TILT 0\nPOLARIZATION Vertical\n",
         "SV460-SF2SNM_0890_00T.msi",
         {},
         {"SV460-SF2SNM", "Vendor", "V90", "0", "890"}},
        {"tilt and slant in the NAME",
         "NAME HUAWEI AMB_1845_X_CO_P45_04T_y1\nFREQUENCY 1845\n",
         "AMB_05T.msi",
         {},
         {"AMB", "Vendor", "P45", "4", "1845"}},
        {"PLN with a make and a tilt variant",
         "NAME B800A065-18-4E\nMAKE Amphenol Inc.\nFREQUENCY 851\n",
         "B800A065-18-4E.pln",
         {},
         {"B800A065-18-4E", "Amphenol-Inc", "X", "4", "851"}},
        {"decimal frequency, nothing else known",
         "NAME 729265\nFREQUENCY 947.5\nTILT\n",
         "729265_0948_X_CO.msi",
         {},
         {"729265", "Vendor", "X", "0", "947.5"}},
        {"options override",
         "NAME A\nFREQUENCY 1800\nPOLARIZATION +45\n",
         "A_B.txt",
         {"", "My_Model/1", "", 3, "M45", ""},
         {"My-Model-1", "Vendor", "M45", "0", "1800"}},
    };
    for (const auto& c : cases) {
        PlanningPattern pattern;
        PlanningError error;
        ASSERT_TRUE(ParsePlanningText(Planning(c.header), pattern, error)) << c.what << ": " << error.reason;
        const ImportNaming n = NamingOf(pattern, "/x/" + c.file, c.options);
        EXPECT_EQ(n.model, c.expected.model) << c.what;
        EXPECT_EQ(n.make, c.expected.make) << c.what;
        EXPECT_EQ(n.polarisation, c.expected.polarisation) << c.what;
        EXPECT_EQ(n.tilt, c.expected.tilt) << c.what;
        EXPECT_EQ(n.frequency, c.expected.frequency) << c.what;
    }
}

TEST(PlanningImport, WritesAllOrNothing) {
    const std::string p45 = Planning("NAME M\nFREQUENCY 1800\nGAIN 15 dBd\nPOLARIZATION +45\n");
    const std::string m45 = Planning("NAME M\nFREQUENCY 1800\nGAIN 15 dBd\nPOLARIZATION -45\n");
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files; // name, text
        int port;
        size_t refused, failed;
        std::vector<std::string> written;
    } cases[] = {
        {"a ±45 pair and a second beam: ports 1, 2 and 3",
         {{"M_a.msi", p45}, {"M_b.msi", m45}, {"M_c.msi", p45}},
         0,
         0,
         0,
         {"Import_Vendor_M_20260101_B01_SN1/p1_p45_e_co_0_0_1800.msi",
          "Import_Vendor_M_20260101_B01_SN1/p1_p45_h_co_0_0_1800.msi",
          "Import_Vendor_M_20260101_B01_SN1/p2_m45_e_co_0_0_1800.msi",
          "Import_Vendor_M_20260101_B01_SN1/p2_m45_h_co_0_0_1800.msi",
          "Import_Vendor_M_20260101_B01_SN1/p3_p45_e_co_0_0_1800.msi",
          "Import_Vendor_M_20260101_B01_SN1/p3_p45_h_co_0_0_1800.msi"}},
        {"one port for two beams clashes", {{"M_a.msi", p45}, {"M_c.msi", p45}}, 5, 0, 1, {}},
        {"one bad file stops the import",
         {{"M_a.msi", p45}, {"M_bad.pln", "FREQUENCY 1\nHORIZONTAL 1\nx y\n"}},
         0,
         1,
         0,
         {}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::vector<std::string> paths;
        for (const auto& [name, text] : c.files) paths.push_back(dir.Write("in/" + name, text));
        RecordingNotifier notifier;
        ImportOptions options;
        options.outFolder = (dir.Path() / "out").string();
        options.port = c.port;
        options.date = "20260101";
        const ImportOutcome outcome = ImportPlanningFiles(paths, options, notifier);
        EXPECT_EQ(outcome.refused.size(), c.refused) << c.what;
        EXPECT_EQ(outcome.failed.size(), c.failed) << c.what;
        EXPECT_EQ(FilesBelow(dir.Path() / "out"), c.written) << c.what;
    }
}

TEST(PlanningImport, NeverOverwritesAndNamesTheLineOfABadFile) {
    TempDir dir;
    const std::string good = dir.Write("A_1.msi", Planning("FREQUENCY 900\nGAIN 3 dBi\n"));
    const std::string bad = dir.Write("A_2.txt", "FREQUENCY 900\nHORIZONTAL 2\n0 1\n1 1 1\n");
    RecordingNotifier notifier;
    ImportOptions options;
    options.outFolder = (dir.Path() / "out").string();
    ImportOutcome outcome = ImportPlanningFiles({good, bad}, options, notifier);
    ASSERT_EQ(outcome.refused.size(), 1u);
    EXPECT_EQ(outcome.refused[0].path, bad);
    EXPECT_EQ(outcome.refused[0].line, 4);

    outcome = ImportPlanningFiles({good}, options, notifier);
    ASSERT_EQ(outcome.files.size(), 1u);
    const std::string before = ReadFileText(outcome.files[0].horizontalCut);
    outcome = ImportPlanningFiles({good}, options, notifier);
    EXPECT_EQ(outcome.failed.size(), 2u); // both cut files exist already
    EXPECT_TRUE(outcome.files.empty());
    EXPECT_EQ(FilesBelow(dir.Path() / "out").size(), 2u);
}

// This program's own planning exports come back as the cuts they were made from.
TEST(PlanningImport, ReadsBackTheProgramsOwnExports) {
    TempDir dir;
    const std::string cli = QUADREL_CLI_PATH;
    const std::string root = dir.Path().string();
    std::string out, err;
    ASSERT_EQ(RunCommand("'" + cli + "' generate --out '" + root + "/camp' --ports 2 --tilts 6 --freqs 1850",
                         &out, &err),
              0)
        << err;
    fs::create_directories(root + "/ex");
    const std::string test = root + "/camp/Lab1_Proj7_QX6518_20261208_B01_SN00001";
    ASSERT_EQ(RunCommand("'" + cli + "' --config-dir '" + root + "/cfg' export --out '" + root +
                             "/ex' --pln --txt --msi --tmvmsi '" + test + "'",
                         &out, &err),
              0)
        << err;
    CQuadrelDoc original;
    std::vector<std::string> cuts;
    for (const auto& entry : fs::directory_iterator(test)) cuts.push_back(entry.path().string());
    ASSERT_EQ(original.OpenFiles(cuts), 0);
    AnalyseAll(original);
    const PatternFile* measured = original.Find(test + "/p1_p45_h_co_6_0_1850.msi");
    ASSERT_NE(measured, nullptr);

    for (const char* sub : {"PLN", "TXT", "DataSrc/MSI", "DataSrc/TMVMSI"}) {
        std::vector<std::string> exported;
        for (const auto& entry : fs::directory_iterator(root + "/ex/" + sub))
            if (Contains(ToLower(entry.path().string()), "p45")) exported.push_back(entry.path().string());
        ASSERT_EQ(exported.size(), 1u) << sub;
        RecordingNotifier notifier;
        ImportOptions options;
        options.outFolder = root + "/imp/" + sub;
        const ImportOutcome outcome = ImportPlanningFiles(exported, options, notifier);
        ASSERT_EQ(outcome.files.size(), 1u)
            << sub << (outcome.refused.empty() ? "" : outcome.refused[0].reason);
        EXPECT_TRUE(notifier.warnings.empty()) << sub << ": " << notifier.warnings[0].second;
        EXPECT_NE(outcome.files[0].horizontalCut.find("p1_p45_h_co_6_0_1850.msi"), std::string::npos) << sub;
        CQuadrelDoc doc;
        ASSERT_EQ(doc.OpenFiles({outcome.files[0].horizontalCut, outcome.files[0].verticalCut}), 0) << sub;
        AnalyseAll(doc);
        const PatternFile& h = *doc.Find(outcome.files[0].horizontalCut);
        // The exports keep the whole-degree samples of a 0.5 degree cut, and the gain to 0.01 dB.
        EXPECT_NEAR(h.results.HBW3, measured->results.HBW3, 0.2) << sub;
        EXPECT_NEAR(h.results.Gain, measured->results.Gain, 0.006) << sub;
    }
}

namespace {
// UTF-16 with a byte-order mark, as Windows tools save a text.
std::string Utf16(const std::string& ascii, bool littleEndian) {
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : ascii) {
        out += littleEndian ? c : '\0';
        out += littleEndian ? '\0' : c;
    }
    return out;
}

// Rows of one block with `first` glued onto the block line, and optionally a row at 360.
std::string Block(const std::string& line, const std::string& rows360 = "") {
    std::string text = line + "\n";
    for (int a = 1; a < 360; ++a)
        text += std::to_string(a) + " " + FormatFixed(std::abs(a > 180 ? a - 360 : a) / 5.0, 2) + "\n";
    return text + rows360;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool HasWarning(const RecordingNotifier& notifier, const std::string& part) {
    for (const auto& [subject, text] : notifier.warnings)
        if (text.find(part) != std::string::npos) return true;
    return false;
}
} // namespace

// Files from vendors' tools that bend the format: imported with a word about what was assumed.
TEST(PlanningImport, ReadsVendorDialectsWithAWarning) {
    const std::string rest = "VERTICAL 360\n0 0\n" + Block("").substr(1);
    struct Case {
        const char* what;
        std::string text;
        const char* warning;   // part of the one warning expected
        const char* gainLine;  // line 3 of the horizontal cut
        const char* frequency; // in the cut's name
        const char* zeroRow;   // the horizontal cut's row at 0 degrees; empty: none
    } cases[] = {
        {"placeholder gain",
         "FREQUENCY 1800\nGAIN xx.xxdBi\nHORIZONTAL 360\n0 0\n" + Block("").substr(1) + rest,
         "holds no number", "360", "1800", "0 0"},
        {"decimal comma in the gain",
         "FREQUENCY 1800\nGAIN 24,4 dBi\nHORIZONTAL 360\n0 0\n" + Block("").substr(1) + rest, "read as 24.4",
         "GAIN 24.4 dBi", "1800", "0 0"},
        {"decimal comma in the frequency",
         "FREQUENCY 947,5\nGAIN 3 dBi\nHORIZONTAL 360\n0 0\n" + Block("").substr(1) + rest, "read as 947.5",
         "GAIN 3 dBi", "947.5", "0 0"},
        {"first row glued onto the block line",
         "FREQUENCY 1800\nGAIN 3 dBi\n" + Block("HORIZONTAL 3600\t0") + rest, "more than a row count",
         "GAIN 3 dBi", "1800", ""},
        {"a row at 360 repeating the row at 0",
         "FREQUENCY 1800\nGAIN 3 dBi\nHORIZONTAL 361\n0 0\n" + Block("").substr(1) + "360 0\n" + rest,
         "repeats the row at 0", "GAIN 3 dBi", "1800", "0 0"},
        {"a row at 360 that differs from the row at 0",
         "FREQUENCY 1800\nGAIN 3 dBi\nHORIZONTAL 361\n0 0\n" + Block("").substr(1) + "360 0.5\n" + rest,
         "the row at 0 is kept", "GAIN 3 dBi", "1800", "0 0"},
        {"a key given twice",
         "FREQUENCY 900\nGAIN 3 dBi\nFREQUENCY 1800\nHORIZONTAL 360\n0 0\n" + Block("").substr(1) + rest,
         "FREQUENCY is given twice (lines 1 and 3); the value of line 3 is used", "GAIN 3 dBi", "1800",
         "0 0"},
        {"UTF-16LE with a byte-order mark",
         Utf16("FREQUENCY 1800\r\nGAIN 3 dBi\r\nHORIZONTAL 360\r\n0 0\r\n" + Block("").substr(1) + rest,
               true),
         "", "GAIN 3 dBi", "1800", "0 0"},
        {"UTF-16BE with a byte-order mark",
         Utf16("FREQUENCY 1800\nGAIN 3 dBi\nHORIZONTAL 360\n0 0\n" + Block("").substr(1) + rest, false), "",
         "GAIN 3 dBi", "1800", "0 0"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RecordingNotifier notifier;
        ImportOptions options;
        options.outFolder = (dir.Path() / "out").string();
        options.date = "20260101";
        const ImportOutcome outcome = ImportPlanningFiles({dir.Write("A_1.pln", c.text)}, options, notifier);
        ASSERT_TRUE(outcome.refused.empty()) << c.what << ": " << outcome.refused[0].reason;
        ASSERT_EQ(outcome.files.size(), 1u) << c.what;
        if (*c.warning) EXPECT_TRUE(HasWarning(notifier, c.warning)) << c.what;
        if (!*c.warning) EXPECT_TRUE(notifier.warnings.empty()) << c.what;
        const ImportedFile& file = outcome.files[0];
        EXPECT_NE(file.horizontalCut.find(std::string("_0_") + c.frequency + ".msi"), std::string::npos)
            << c.what << ": " << file.horizontalCut;
        const std::string cut = ReadFileText(file.horizontalCut);
        const std::vector<std::string> lines = Lines(cut);
        ASSERT_GT(lines.size(), 7u) << c.what;
        EXPECT_EQ(lines[2], c.gainLine) << c.what;
        EXPECT_EQ(lines[5], "HORIZONTAL 360") << c.what;
        if (*c.zeroRow) EXPECT_EQ(lines[6], c.zeroRow) << c.what;
        if (!*c.zeroRow) EXPECT_EQ(lines[6].substr(0, 2), "1 ") << c.what;
        // Every cut loads back with its rows and nothing else.
        CQuadrelDoc doc(&notifier);
        EXPECT_EQ(doc.OpenFiles({file.horizontalCut, file.verticalCut}), 0) << c.what;
    }
}

// What a hostile user or a careless script hands the import: every output stays inside its own
// antenna folder, every text in a cut stays on its line, and every name is plain digits.
TEST(PlanningImport, HostileInputsAndPlantedLinks) {
    const std::string good = Planning("FREQUENCY 1800\nGAIN 3 dBi\n");
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files; // name below in/, text
        std::vector<int> given;                                 // which of them, in order (repeats allowed)
        const char* plant; // a dangling link at this cut's name; "/": the antenna folder a link
        size_t imported, failed;
        const char* warning;
        const char* cutName; // part of the first horizontal cut's name
    } cases[] = {
        {"a line break and an escape in the file name",
         {{"HX65_a\nGAIN 99 dBi\n\x1b[2JX.pln", good}},
         {0},
         "",
         1,
         0,
         "",
         "p1_x_h_co_0_0_1800.msi"},
        {"the same file twice",
         {{"A_1.pln", good}},
         {0, 0},
         "",
         1,
         0,
         "is given twice; it is imported once",
         "p1_x_h_co_0_0_1800"},
        {"the same file by two paths",
         {{"A_1.pln", good}, {"sub/../A_1.pln", ""}},
         {0, 1},
         "",
         1,
         0,
         "is the same file as",
         "p1_x_h_co_0_0_1800"},
        {"a frequency of 300 GHz keeps its digits",
         {{"A_1.pln", Planning("FREQUENCY 300000\nGAIN 3 dBi\n")}},
         {0},
         "",
         1,
         0,
         "",
         "_0_0_300000.msi"},
        {"a tiny tilt keeps its digits",
         {{"A_1.pln", Planning("FREQUENCY 900\nGAIN 3 dBi\nELECTRICAL_TILT 0.00001\n")}},
         {0},
         "",
         1,
         0,
         "",
         "_co_0.00001_0_900.msi"},
        {"a dangling link at a cut's name", {{"A_1.pln", good}}, {0}, "p1_x_e_co_0_0_1800.msi", 0, 1, "", ""},
        {"the antenna folder a link to a folder elsewhere", {{"A_1.pln", good}}, {0}, "/", 0, 1, "", ""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        std::vector<std::string> written;
        for (const auto& [name, text] : c.files)
            written.push_back(text.empty() ? (dir.Path() / "in" / name).string()
                                           : dir.Write("in/" + name, text));
        fs::create_directories(dir.Path() / "in" / "sub");
        std::vector<std::string> paths;
        for (int i : c.given) paths.push_back(written[i]);
        const fs::path folder = dir.Path() / "out" / "Import_Vendor_A_20260101_B01_SN1";
        const fs::path target = dir.Path() / "elsewhere" / "planted";
        if (std::string(c.plant) == "/") {
            fs::create_directories(target);
            fs::create_directories(folder.parent_path());
            fs::create_symlink(target, folder);
        } else if (*c.plant) {
            fs::create_directories(folder);
            fs::create_symlink(target, folder / c.plant);
        }
        RecordingNotifier notifier;
        ImportOptions options;
        options.outFolder = (dir.Path() / "out").string();
        options.model = "A";
        options.date = "20260101";
        const ImportOutcome outcome = ImportPlanningFiles(paths, options, notifier);
        EXPECT_TRUE(outcome.refused.empty()) << c.what;
        EXPECT_EQ(outcome.files.size(), c.imported) << c.what;
        EXPECT_EQ(outcome.failed.size(), c.failed) << c.what;
        if (*c.warning) EXPECT_TRUE(HasWarning(notifier, c.warning)) << c.what;
        // Nothing is created through a link.
        if (std::string(c.plant) == "/")
            EXPECT_TRUE(fs::is_empty(target)) << c.what;
        else
            EXPECT_FALSE(fs::exists(fs::symlink_status(target))) << c.what;
        if (outcome.files.empty()) continue;
        const ImportedFile& file = outcome.files[0];
        EXPECT_NE(file.horizontalCut.find(c.cutName), std::string::npos)
            << c.what << ": " << file.horizontalCut;
        EXPECT_EQ(file.horizontalCut.find("e+"), std::string::npos) << c.what;
        EXPECT_EQ(file.horizontalCut.find("e-"), std::string::npos) << c.what;
        // The cut has its six header lines and then rows only; it loads back with its gain.
        const std::vector<std::string> lines = Lines(ReadFileText(file.horizontalCut));
        ASSERT_EQ(lines.size(), 6u + 360u) << c.what;
        EXPECT_EQ(lines[2], "GAIN 3 dBi") << c.what;
        EXPECT_EQ(lines[5], "HORIZONTAL 360") << c.what;
        for (const std::string& line : lines)
            for (char ch : line)
                EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20) << c.what << ": " << line;
        CQuadrelDoc doc(&notifier);
        ASSERT_EQ(doc.OpenFiles({file.horizontalCut}), 0) << c.what;
    }
}

// The hidden folders the cuts are staged in never stay: not after a success, not after a clash, and
// one left by an import that was killed goes with the next import into that output folder.
TEST(PlanningImport, LeavesNoStagingFolderBehind) {
    TempDir dir;
    const std::string good = dir.Write("in/A_1.pln", Planning("FREQUENCY 1800\nGAIN 3 dBi\n"));
    const fs::path out = dir.Path() / "out";
    // No process has this id (above the kernel's largest).
    dir.Write("out/.quadrel-import-999999999-7/p1_x_h_co_0_0_1800.msi", "half written");
    RecordingNotifier notifier;
    ImportOptions options;
    options.outFolder = out.string();
    auto hidden = [&out] {
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(out))
            if (entry.path().filename().string().front() == '.') ++count;
        return count;
    };
    EXPECT_EQ(ImportPlanningFiles({good}, options, notifier).files.size(), 1u);
    EXPECT_EQ(hidden(), 0u);
    EXPECT_EQ(ImportPlanningFiles({good}, options, notifier).failed.size(), 2u);
    EXPECT_EQ(hidden(), 0u);
    // One cut of another port taken already: nothing of that port is written.
    options.port = 3;
    dir.Write("out/" + fs::directory_iterator(out)->path().filename().string() + "/p3_x_e_co_0_0_1800.msi",
              "x");
    EXPECT_EQ(ImportPlanningFiles({good}, options, notifier).failed.size(), 1u);
    EXPECT_EQ(hidden(), 0u);
}
