#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/AnalysisDriver.h"
#include "app/TextUtil.h"
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
        ASSERT_TRUE(ParsePlanningText(Planning(c.header), pattern, error)) << c.what << ": " << error.text;
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
            << sub << (outcome.refused.empty() ? "" : outcome.refused[0].text);
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
