#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "Package.h"
#include "Relationships.h"
#include "XmlPart.h"
#include "export/ExcelWorkbooks.h"
#include "export/ExportState.h"
#include "export/ExportTestSupport.h"
#include "export/ExportTexts.h"
#include "export/Workbook.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

const std::string kTemplates = QUADREL_TEMPLATE_BUILD_DIR;

// A saved workbook as a reader sees it: sheet names in order, their visibility, and every cell as
// its stored text ("n:" numbers, "s:" texts).
struct ReadBook {
    std::vector<std::string> names;
    std::vector<bool> hidden;
    std::vector<std::map<std::string, std::string>> cells;
};

ReadBook Read(const std::string& path) {
    ReadBook book;
    ooxml::Package package;
    std::string error;
    EXPECT_TRUE(package.Open(path, error)) << error;
    tinyxml2::XMLDocument workbook;
    ooxml::ParseXml(*package.Part("xl/workbook.xml"), workbook);
    const ooxml::Relationships rels(package, "xl/workbook.xml");
    for (auto* s = workbook.RootElement()->FirstChildElement("sheets")->FirstChildElement("sheet"); s;
         s = s->NextSiblingElement("sheet")) {
        book.names.push_back(s->Attribute("name"));
        book.hidden.push_back(s->Attribute("state") != nullptr);
        tinyxml2::XMLDocument sheet;
        ooxml::ParseXml(*package.Part(ooxml::ResolveTarget("xl/workbook.xml",
                                                           rels.FindById(s->Attribute("r:id"))->target)),
                        sheet);
        std::map<std::string, std::string> cells;
        for (auto* row = sheet.RootElement()->FirstChildElement("sheetData")->FirstChildElement("row"); row;
             row = row->NextSiblingElement("row"))
            for (auto* c = row->FirstChildElement("c"); c; c = c->NextSiblingElement("c")) {
                if (auto* v = c->FirstChildElement("v"))
                    cells[c->Attribute("r")] = std::string("n:") + v->GetText();
                else if (auto* t = c->FirstChildElement("is"))
                    cells[c->Attribute("r")] =
                        std::string("s:") + (t->FirstChildElement("t")->GetText() ?: "");
            }
        book.cells.push_back(cells);
    }
    return book;
}

} // namespace

TEST(Workbook, TextsThatReadAsNumbersAreStoredAsNumbers) {
    const struct {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"-180.000000", true, -180.0},
        {"900", true, 900.0},
        {" 1.5e3 ", true, 1500.0},
        {"+2.50", true, 2.5},
        {".5", true, 0.5},
        {"-", false, 0},
        {"", false, 0},
        {"1,5", false, 0},
        {"900 MHz", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"Frequency\n(MHz)", false, 0},
        {"--1", false, 0},
        {"1e999", false, 0},
    };
    for (const auto& c : cases) {
        double value = 0.0;
        EXPECT_EQ(ReadsAsNumber(c.text, value), c.number) << c.text;
        if (c.number) { EXPECT_DOUBLE_EQ(value, c.value) << c.text; }
    }
    EXPECT_EQ(ColumnName(1) + ColumnName(26) + ColumnName(27) + ColumnName(703), "AZAAAAA");
}

TEST(Workbook, SheetsAddedAfterTheLastNamedHiddenAndSavedAsACopy) {
    TempDir dir;
    const std::string source = kTemplates + "/Result.xlsx";
    const std::string before = ReadFileText(source);
    Workbook book;
    std::string error;
    ASSERT_TRUE(book.Open(source, error)) << error;
    const int a = book.AddSheet("p1 6 0");
    const int b = book.AddSheet("P1 6 0");                                   // names compare without case
    const int c = book.AddSheet("a/b:c*d?e[f]g\\and a very long tail name"); // refused characters, too long
    book.SetCell(a, 1, 1, "p1 6 0");
    book.SetCell(a, 2, 2, "17.25");
    book.SetCell(a, 2, 1, "Frequency\n(MHz)");
    book.SetCell(0, 9, 3, "note <&>");
    book.SetCell(a, 3, 1, "bad \xff byte\x01\r"); // bytes XML cannot hold must not break the sheet
    EXPECT_TRUE(book.SetSheetVisible("remark", false));
    EXPECT_FALSE(book.SetSheetVisible("Nothing", false));
    const std::string out = (dir.Path() / "copy.xlsx").string();
    ASSERT_TRUE(book.SaveCopyAs(out, error)) << error;
    EXPECT_EQ(ReadFileText(source), before) << "the template stays unchanged";

    const ReadBook read = Read(out);
    EXPECT_EQ(read.names, (std::vector<std::string>{"Remark", "p1 6 0", "P1 6 0 (2)",
                                                    "a_b_c_d_e_f_g_and a very long t"}));
    EXPECT_EQ(read.hidden, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(read.cells[a], (std::map<std::string, std::string>{{"A1", "s:p1 6 0"},
                                                                 {"A2", "s:Frequency\n(MHz)"},
                                                                 {"B2", "n:17.25"},
                                                                 {"A3", "s:bad \xEF\xBF\xBD byte\r"}}));
    EXPECT_EQ(read.cells[0].at("C9"), "s:note <&>");
    EXPECT_EQ(read.cells[0].at("A1"), "s:Analysis results") << "the template's own cells stay";
    EXPECT_TRUE(read.cells[b].empty());
    EXPECT_TRUE(read.cells[c].empty());
}

// A workbook held open by an office suite keeps its old bytes and the save says why.
TEST(Workbook, SavingOverAWorkbookHeldOpenIsRefused) {
    const struct {
        const char* what;
        std::string lockFile;
        bool saved;
    } cases[] = {
        {"no lock", "", true},
        {"LibreOffice", ".~lock.Norvan_QX_Result.xlsx#", false},
        {"Excel's owner file", "~$rvan_QX_Result.xlsx", false},
        {"another workbook's lock", ".~lock.Other.xlsx#", true},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string out = dir.Write("Norvan_QX_Result.xlsx", "the workbook open in the suite");
        if (!c.lockFile.empty()) dir.Write(c.lockFile, "someone,host");
        Workbook book;
        std::string error;
        ASSERT_TRUE(book.Open(kTemplates + "/Result.xlsx", error)) << error;
        EXPECT_EQ(book.SaveCopyAs(out, error), c.saved) << c.what;
        if (c.saved) continue;
        EXPECT_EQ(ReadFileText(out), "the workbook open in the suite") << c.what;
        EXPECT_NE(
            error.find(std::string(kTextWorkbookInUse) + " (" + (dir.Path() / c.lockFile).string() + ")"),
            std::string::npos)
            << c.what << ": " << error;
    }
}

TEST(Workbook, TemplatesThatAreNoWorkbookAreRefused) {
    TempDir dir;
    ooxml::Package wordLike;
    wordLike.SetPart("[Content_Types].xml", "<Types/>");
    std::string error;
    ASSERT_TRUE(wordLike.SaveAs((dir.Path() / "w.xlsx").string(), error));
    const struct {
        std::string path;
        const char* expected;
    } cases[] = {
        {(dir.Path() / "none.xlsx").string(), "does not exist"},
        {dir.Write("text.xlsx", "a,b\n1,2\n"), "not an Office Open XML package"},
        {(dir.Path() / "w.xlsx").string(), "no workbook part"},
    };
    for (const auto& c : cases) {
        Workbook book;
        EXPECT_FALSE(book.Open(c.path, error)) << c.path;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST(Workbook, RawDataSheetsHoldOneColumnPerFrequency) {
    TempDir dir;
    CQuadrelDoc doc;
    const std::string folder = (dir.Path() / "Lab_Proj_QX_20261208_B01_SN1").string();
    AddPattern(doc, folder + "/p1_p45_h_co_6_0_1710.msi", Beam(-179, 180, 0.0f, 0.5)); // 720 samples
    AddPattern(doc, folder + "/p1_p45_h_co_6_0_1850.msi", Beam(-179, 180, 1.0f, 0.5));
    AddPattern(doc, folder + "/p1_p45_e_co_6_0_1710.msi", Beam(-179, 180, 0.0f)); // 360 samples
    AddPattern(doc, folder + "/p1_p45_e_co_6_0_1850.msi", {}); // no samples: a blank column
    ExportState state;
    state.rawDataTemplate = kTemplates + "/RawData.xlsx";
    state.reportFolder = dir.Path().string() + "/";
    const WorkbookOutcome outcome = ExportRawDataWorkbook(doc, state);
    ASSERT_TRUE(outcome.written) << outcome.error;
    EXPECT_EQ(outcome.path, state.reportFolder + "Norvan_QX_RawData_20261208.xlsx");
    const ReadBook read = Read(outcome.path);
    EXPECT_EQ(read.names, (std::vector<std::string>{"Info", "p1 co e 60", "p1 co h 60"}));
    const auto& e = read.cells[1];
    const auto& h = read.cells[2];
    // The angles are the cuts' own: -179 ... 180.
    EXPECT_EQ(e.at("A2"), "n:-179");
    EXPECT_EQ(e.at("A361"), "n:180");
    EXPECT_EQ(e.count("A362"), 0u);
    EXPECT_EQ(e.at("B1"), "n:1710");
    EXPECT_EQ(e.count("C1"), 0u);
    EXPECT_EQ(h.at("A3"), "n:-178.5");
    EXPECT_EQ(h.at("A720"), "n:180");
    EXPECT_EQ(h.at("B1"), "n:1710");
    EXPECT_EQ(h.at("C1"), "n:1850");
    EXPECT_EQ(h.at("C2"), "n:-16.9") << "each level as the shortest decimal of its stored value";
}

TEST(Workbook, RawDataLevelsStandBesideTheirOwnAngles) {
    // A cut as an MSI file stores it: 0 ... 180, then -179.5 ... -0.5; the peak at +2 degrees.
    Cut measured;
    for (double a = 0; a <= 180; a += 0.5) measured.push_back({static_cast<float>(a), 0.0f});
    for (double a = -179.5; a < 0; a += 0.5) measured.push_back({static_cast<float>(a), 0.0f});
    for (PatternPoint& p : measured)
        p.fMag = p.fAngle == 2.0f ? 0.0f : static_cast<float>(-std::abs(p.fAngle - 2.0) * 0.1 - 0.38);
    const struct {
        const char* name; // which pattern, into which sheet and column
        const char* sheet;
        const char* cell;
        const char* expected;
    } cases[] = {
        {"the peak row holds the peak angle", "p1 co e 20", "A365", "n:2"},
        {"the peak level beside it", "p1 co e 20", "B365", "n:0"},
        {"rows begin at the smallest angle", "p1 co e 20", "A2", "n:-179.5"},
        {"and its level", "p1 co e 20", "B2", "n:-18.53"},
        {"rows end at the largest angle", "p1 co e 20", "A721", "n:180"},
        {"the level -16.88 reads -16.88", "p1 co e 20", "B35", "n:-16.88"},
        {"frequencies in numeric order: 790 first", "p1 co e 20", "B1", "n:790"},
        {"then 960", "p1 co e 20", "C1", "n:960"},
        {"then 1710", "p1 co e 20", "D1", "n:1710"},
    };
    TempDir dir;
    CQuadrelDoc doc;
    const std::string folder = (dir.Path() / "Lab_Proj_QX_20261208_B01_SN1").string();
    for (const char* tilt : {"10", "2", "5"})
        for (const char* frequency : {"1710", "790", "960"})
            AddPattern(doc, folder + "/p1_p45_e_co_" + tilt + "_0_" + frequency + ".msi", measured);
    ExportState state;
    state.rawDataTemplate = kTemplates + "/RawData.xlsx";
    state.reportFolder = dir.Path().string() + "/";
    const WorkbookOutcome outcome = ExportRawDataWorkbook(doc, state);
    ASSERT_TRUE(outcome.written) << outcome.error;
    const ReadBook read = Read(outcome.path);
    EXPECT_EQ(read.names, (std::vector<std::string>{"Info", "p1 co e 20", "p1 co e 50", "p1 co e 100"}))
        << "tilts in numeric order";
    for (const auto& c : cases) {
        const auto& cells =
            read.cells[std::find(read.names.begin(), read.names.end(), c.sheet) - read.names.begin()];
        ASSERT_TRUE(cells.count(c.cell)) << c.name;
        EXPECT_EQ(cells.at(c.cell), c.expected) << c.name;
    }
}

TEST(Workbook, ResultRowsStandUnderTheirHeadersOnOneSheetOrMany) {
    TempDir dir;
    CQuadrelDoc doc;
    for (const SelectionFlagInfo& flag : SelectionFlags()) doc.selection.SetValue(flag, 0);
    doc.selection.Set("Gain", 1);
    doc.selection.Set("cm_isSelHBW3dB", 1);
    doc.selection.Set("cm_isSelVBW3dB", 1);
    const std::string folder = (dir.Path() / "Lab_Proj_QX_20261208_B01_SN1").string();
    AddPair(doc, folder, "p1_p45_h_co_6_0_1710.msi");
    // 1850 MHz has no vertical cut: its HBW must not slide under the VBW header.
    PatternFile& h = AddPattern(doc, folder + "/p1_p45_h_co_6_0_1850.msi", Beam(-179, 180, 0.0f));
    h.results.HBW3 = 64.0f;
    h.results.Gain = 18.0f;
    ExportState state;
    state.resultTemplate = kTemplates + "/Result.xlsx";
    state.reportFolder = dir.Path().string() + "/";
    for (const bool oneSheet : {false, true}) {
        state.options.oneSheet = oneSheet;
        const WorkbookOutcome outcome = ExportResultWorkbook(doc, state);
        ASSERT_TRUE(outcome.written) << outcome.error;
        EXPECT_EQ(outcome.path, state.reportFolder + "AnalysisResult_Proj_QX_SN1_20261208.xlsx");
        const ReadBook read = Read(outcome.path);
        EXPECT_EQ(read.names, (std::vector<std::string>{"Remark", oneSheet ? "Result" : "p1 6 0"}));
        EXPECT_TRUE(read.hidden[0]);
        EXPECT_EQ(read.cells[1], (std::map<std::string, std::string>{{"A1", "s:p1 6 0"},
                                                                     {"A2", "s:Frequency\n(MHz)"},
                                                                     {"B2", "s:Gain\n(dBi)"},
                                                                     {"C2", "s:HBW\n(°)"},
                                                                     {"D2", "s:VBW\n(°)"},
                                                                     {"A3", "n:1710"},
                                                                     {"B3", "n:17.85"},
                                                                     {"C3", "n:65.4"},
                                                                     {"D3", "n:7.25"},
                                                                     {"A4", "n:1850"},
                                                                     {"B4", "n:18"},
                                                                     {"C4", "n:64"}}));
    }
    // Without its "Remark" sheet the template is refused and nothing is saved.
    state.resultTemplate = kTemplates + "/RawData.xlsx";
    fs::remove_all(dir.Path() / "AnalysisResult_Proj_QX_SN1_20261208.xlsx");
    const WorkbookOutcome refused = ExportResultWorkbook(doc, state);
    EXPECT_FALSE(refused.written);
    EXPECT_NE(refused.error.find("no sheet \"Remark\""), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.Path() / "AnalysisResult_Proj_QX_SN1_20261208.xlsx"));
}
