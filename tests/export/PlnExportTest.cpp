#include <gtest/gtest.h>

#include "export/ExportState.h"
#include "export/ExportTestSupport.h"
#include "export/PlnExport.h"
#include "support/TestSupport.h"

namespace {
const std::string kFolder = "/m/Lab_Proj_ABC_20261208_B01_SN1";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF, nothing follows the last";
    return lines;
}
} // namespace

TEST(PlnFile, HandMadeCutGivesTheExactLines) {
    CQuadrelDoc doc;
    PatternFile& h =
        AddPattern(doc, kFolder + "/p1_p45_h_co_6_0_1800.msi",
                   {{90, -3.0f}, {-90, -3.41f}, {0.5f, -0.2f}, {0, -0.5f}, {180, -25.0f}, {-180, -24.0f}});
    h.results.Hmax = {0, -0.5f};
    h.results.HBW3 = 65.456f;
    h.results.FBRco = 27.999f;
    h.results.Gain = 17.85f;
    PatternFile& v = AddPattern(doc, kFolder + "/p1_p45_e_co_6_0_1800.msi", {{-10, -12.0f}, {3, 0.0f}});
    v.results.Vmax = {3, 0.0f};
    v.results.VBW3 = 7.0f;
    doc.patternInfo.ports = {{"p1", "P1"}};

    EXPECT_EQ(PlnFileText(h, v, doc.patternInfo), "FILENAME\tABC_1800_X_CO_06T_P45P1\r\n"
                                                  "MAKE\t NORVAN TELMARK\r\n"
                                                  "FREQUENCY\t1800 \r\n"
                                                  "H_WIDTH 65.46 \r\n"
                                                  "V_WIDTH 7.00 \r\n"
                                                  "FRONT_TO_BACK\t28.00 \r\n"
                                                  "GAIN\t17.85 dBi\r\n"
                                                  "TILT\r\n"
                                                  "HORIZONTAL 360\r\n"
                                                  "0.00 0.00\r\n"
                                                  "90.00 2.50\r\n"
                                                  "180.00 24.50\r\n" // the 180 sample, met before -180
                                                  "270.00 2.91\r\n"
                                                  "VERTICAL 360\r\n"
                                                  "3.00 0.00\r\n"
                                                  "350.00 12.00\r\n");
}

TEST(PlnFile, NameGainAndTiltFields) {
    struct Case {
        const char* file;
        const char* unit;
        const char* method;
        float gain;
        const char* name;
        const char* gainLine;
        const char* tiltLine;
    };
    const Case cases[] = {
        {"p1_p45_h_co_6_0_900.msi", "dBd", "None", 18.0f, "ABC_0900_X_CO_06T_P45", "GAIN\t15.85 dBd", "TILT"},
        {"p1_p45_h_co_10_0_1800.msi", "dBi", "Electrical", 17.85f, "ABC_1800_X_CO_10T_P45", "GAIN\t17.85 dBi",
         "TILT\tELECTRICAL"},
        {"p1_m45_h_co_100_0_2600.msi", "dBi", "Mechanical", 16.0f, "ABC_2600_X_CO__M45", "GAIN\t16.00 dBi",
         "TILT\tMACHANICAL"},
        // The dBd conversion applies to every stored gain, the no-value marker included.
        {"p1_p45_h_co_2_0_700.msi", "dBd", "Sideways", NOT_SET, "ABC_0700_X_CO_02T_P45", "GAIN\t-1001.15 dBd",
         "TILT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CQuadrelDoc doc;
        PatternFile& h = AddPattern(doc, kFolder + "/" + c.file, {});
        h.results.Gain = c.gain;
        doc.patternInfo.gainUnit = c.unit;
        doc.patternInfo.tiltMethod = c.method;
        const std::vector<std::string> lines = Lines(PlnFileText(h, h, doc.patternInfo));
        ASSERT_GE(lines.size(), 9u);
        EXPECT_EQ(lines[0], std::string("FILENAME\t") + c.name);
        EXPECT_EQ(lines[6], c.gainLine);
        EXPECT_EQ(lines[7], c.tiltLine);
    }
    CQuadrelDoc doc;
    PatternFile& h = AddPattern(doc, kFolder + "/p1_p45_h_co_6_0_900.msi", {});
    EXPECT_EQ(Lines(PlnFileText(h, h, doc.patternInfo))[2], "FREQUENCY\t900 ");
}

TEST(PlnFile, PortExtensionIsTheLastMatchInNameOrder) {
    PatternInfoConfig info;
    // Given out of name order: "p1" and "p10" both occur in "p10"; "p10" sorts last and wins.
    info.ports = {{"p10", "TEN"}, {"p1", "ONE"}, {"x", "X"}};
    EXPECT_EQ(PortExtension("P10", PortMap(info)), "TEN");
    EXPECT_EQ(PortExtension("p1", PortMap(info)), "ONE");
    EXPECT_EQ(PortExtension("q2", PortMap(info)), "");
}

TEST(PlnTable, WholeDegreesFoldedSortedFirstSampleWins) {
    // -180...180 at 0.5 degrees: 360 rows, 180.00 taken from the -180 sample.
    Cut cut;
    for (int i = -360; i <= 360; ++i) cut.push_back({i * 0.5f, i == -360 ? -7.0f : -1.0f});
    const std::vector<std::string> rows = Lines(AttenuationRows(cut, 0.0f));
    ASSERT_EQ(rows.size(), 360u);
    EXPECT_EQ(rows.front(), "0.00 1.00");
    EXPECT_EQ(rows[180], "180.00 7.00");
    EXPECT_EQ(rows.back(), "359.00 1.00");

    // Angles outside the usual range: folded only when below 0, and never at or below -999.
    EXPECT_EQ(AttenuationRows({{-1000, -1}, {400, -2}, {-400, -3}, {-1500, -4}}, 0.0f),
              "-640.00 1.00\r\n-40.00 3.00\r\n400.00 2.00\r\n");
    EXPECT_EQ(AttenuationRows({}, 0.0f), "");
}

TEST(PlnExport, PlnAndTxtDifferOnlyInFolderAndExtension) {
    TempDir dir;
    CQuadrelDoc doc;
    AddPair(doc, kFolder, "p1_p45_h_co_6_0_900.msi");
    AddPair(doc, kFolder, "p2_m45_h_co_6_0_1800.msi");
    AddPattern(doc, kFolder + "/p3_p45_h_co_6_0_1900.msi", Beam(-179, 180, 0)); // no vertical partner
    AddPattern(doc, kFolder + "/p3_p45_h_cr_6_0_1900.msi", Beam(-179, 180, 0)); // not co-polar
    ExportState state;
    state.workingFolder = dir.Path().string() + "/";

    EXPECT_EQ(ExportPlnFiles(doc, state), 2);
    EXPECT_EQ(ExportTxtFiles(doc, state), 2);
    EXPECT_EQ(state.plnFolder, state.workingFolder + "PLN");
    EXPECT_EQ(state.frequencyList, (std::vector<std::string>{"900", "1800"}));
    for (const char* name : {"ABC_0900_X_CO_06T_P45", "ABC_1800_X_CO_06T_M45"}) {
        const std::string pln = ReadFileText(state.workingFolder + "PLN/" + name + ".pln");
        EXPECT_FALSE(pln.empty()) << name;
        EXPECT_EQ(pln, ReadFileText(state.workingFolder + "TXT/" + name + ".txt")) << name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state.workingFolder + "PLN"), {}), 2);
}

TEST(PlnExport, FrequencyListKeepsDistinctTexts) {
    // "800" must get its own entry (and later its own XML group) after "1800".
    TempDir dir;
    CQuadrelDoc doc;
    AddPair(doc, kFolder, "p1_p45_h_co_6_0_1800.msi");
    AddPair(doc, kFolder, "p1_p45_h_co_6_0_800.msi");
    ExportState state;
    state.workingFolder = dir.Path().string() + "/";
    ExportTxtFiles(doc, state);
    ExportTxtFiles(doc, state);
    EXPECT_EQ(state.frequencyList, (std::vector<std::string>{"1800", "800"}));
}
