#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tinyxml2.h>

#include "app/ConfigLocation.h"
#include "app/ConfigStore.h"
#include "commands/DataExport.h"
#include "document/QuadrelDoc.h"
#include "export/EnterpriseXml.h"
#include "export/ExportDriver.h"
#include "export/ExportOptions.h"
#include "export/PatternInfoRows.h"
#include "export/SaveAs.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
const std::string kTest = "Lab_Proj_ABC_20261208_B01_SN1/";

std::string Msi(int tiltPeak) {
    std::string text = "NAME T\r\nFREQUENCY 1800\r\nGAIN 17.85 dBi\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (int a = 0; a < 360; ++a) {
        const int off = std::min(std::abs(a - tiltPeak), 360 - std::abs(a - tiltPeak));
        text += std::to_string(a) + " " + std::to_string(off * off * 0.01) + "\r\n";
    }
    return text;
}

struct ExportFixture : ::testing::Test {
    TempDir dir;
    RecordingNotifier notifier;
    CQuadrelDoc doc{&notifier};
    ExportState state;
    std::string work;

    void SetUp() override {
        const std::string config = (dir.Path() / "config").string() + "/";
        ASSERT_TRUE(SeedConfigDir(config));
        doc.AttachConfig(
            std::make_shared<ConfigStore>(config + "Config.xml", ShippedDataDir() + "Config.xml"));
        doc.configFolder = (dir.Path() / "share/Config File").string() + "/";
        work = (dir.Path() / "work").string();
        fs::create_directories(work);
    }
    void LoadPair() {
        const std::string h = dir.Write("m/" + kTest + "p1_p45_h_co_6_0_1800.msi", Msi(0));
        const std::string v = dir.Write("m/" + kTest + "p1_p45_e_co_6_0_1800.msi", Msi(6));
        ASSERT_EQ(doc.OpenFiles({h, v}), 0);
    }
    bool Accept(const DataExportOptions& options) {
        return AcceptExportDialog(doc, state, work, options, doc.patternInfo);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& [caption, text] : notifier.messages) texts.push_back(caption + ": " + text);
        return texts;
    }
};

const std::string kNotice =
    "Norvan: 1.Exporting data may last a long time,the status bar would show the state "
    "information;\r\n2.During the export process,do not put any window on the screenshot "
    "area;\r\n3.Please empty the \"report\" folder before exporting data.\r\n";
} // namespace

TEST_F(ExportFixture, OptionsPersistAsTrueAndFalse) {
    EXPECT_TRUE(LoadExportOptions(doc).english); // the shipped default
    EXPECT_FALSE(LoadExportOptions(doc).pln);
    DataExportOptions options;
    options.pln = options.xml = options.gainFiles = options.chinese = true;
    // The check only says what is to be stored; the command stores it.
    const std::optional<ExportDialogChoice> choice = CheckExportDialog(doc, work, options, doc.patternInfo);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->optionWrites.size(), kExportOptionKeys.size() + 1);
    EXPECT_EQ(doc.ReadConfig("IDD_DIALOG_DATA_EXPORT", "IDC_RADIO_PIN"), "FALSE");
    ASSERT_TRUE(Accept(options));
    EXPECT_EQ(doc.ReadConfig("IDD_DIALOG_DATA_EXPORT", "IDC_RADIO_PIN"), "TRUE");
    EXPECT_EQ(doc.ReadConfig("IDD_DIALOG_DATA_EXPORT", "IDC_RADIO_PAIN"), "TRUE");
    EXPECT_EQ(doc.ReadConfig("IDD_DIALOG_DATA_EXPORT", "IDC_RADIO_ENG"), "FALSE");
    const DataExportOptions back = LoadExportOptions(doc);
    for (const ExportOptionKey& entry : kExportOptionKeys)
        EXPECT_EQ(back.*entry.member, options.*entry.member) << entry.key;
    EXPECT_EQ(state.workingFolder, work + "/");
}

TEST_F(ExportFixture, ReportPathMustBeAnExistingFolder) {
    DataExportOptions options;
    options.pln = true;
    for (const std::string& path : {std::string(), work + "/missing", dir.Write("file.txt", "x")}) {
        SCOPED_TRACE(path);
        notifier.messages.clear();
        EXPECT_FALSE(AcceptExportDialog(doc, state, path, options, doc.patternInfo));
        EXPECT_EQ(Texts(), std::vector<std::string>{"ERROR: Export path is empty or does not exist！"});
        EXPECT_EQ(state.workingFolder, "");
        EXPECT_EQ(doc.ReadConfig("IDD_DIALOG_DATA_EXPORT", "IDC_RADIO_PIN"), "FALSE");
    }
}

TEST_F(ExportFixture, RefusalsWriteNothing) {
    struct Case {
        bool load;
        std::string configFolder;
        std::string message;
    };
    const std::vector<Case> cases = {
        {false, doc.configFolder, "Norvan: No data, select data."},
        {true, "",
         "Norvan: Make sure the Config File path, and to ensure that this path exists in the template "
         "folder。"},
        {true, "/opt/quadrel/config/", "Norvan: Configuration folder hierarchy error。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        if (c.load) LoadPair();
        doc.configFolder = c.configFolder;
        DataExportOptions options;
        options.pln = options.txt = true;
        ASSERT_TRUE(Accept(options));
        notifier.messages.clear();
        EXPECT_EQ(RunDataExport(doc, state), ExportRunResult::Refused);
        EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(fs::is_empty(work));
    }
}

TEST_F(ExportFixture, FileExportsRunInOrderWithTheirStatusTexts) {
    LoadPair();
    DataExportOptions options;
    options.pln = options.msi = options.tmvmsi = options.xml = options.txt = true;
    ASSERT_TRUE(Accept(options));
    notifier.messages.clear();
    EXPECT_EQ(RunDataExport(doc, state), ExportRunResult::Succeeded);
    EXPECT_EQ(notifier.statuses,
              (std::vector<std::string>{"Calculating indicators...", "Exporting PLN file, please wait...",
                                        "Exporting MSI file, please wait...",
                                        "Exporting TMVMSI file, please wait...",
                                        "Exporting XML file, please wait...",
                                        "Exporting TXT file, please wait...", "Export finished!"}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{kNotice, "Norvan: Exporting sucess！"}));
    for (const char* file :
         {"PLN/ABC_1800_X_CO_06T_P45.pln", "TXT/ABC_1800_X_CO_06T_P45.txt", "XML/ABC_1800_X_CO_06T_P45.xml",
          "DataSrc/MSI/ABC_1800_X_CO_P45_06T.msi", "DataSrc/TMVMSI/ABC_1800_X_CO_P45_06FT.msi"})
        EXPECT_TRUE(fs::exists(work + "/" + file)) << file;
    EXPECT_TRUE(fs::is_directory(work + "/report"));
    EXPECT_EQ(state.reportFolder, work + "/report/");
    // The analysis ran before the writers: the PLN holds a computed beamwidth, not the marker.
    const std::string pln = ReadFileText(work + "/PLN/ABC_1800_X_CO_06T_P45.pln");
    EXPECT_EQ(pln.find("H_WIDTH -999.00"), std::string::npos) << pln.substr(0, 200);
}

// A workbook whose template is missing, or reports with no worker to build them, are never reported
// as a success; the other exports still run.
TEST_F(ExportFixture, UnwrittenOfficePartsAreReportedNeverAsSuccess) {
    LoadPair();
    DataExportOptions options;
    options.txt = options.excelData = options.wordReport2 = true;
    ASSERT_TRUE(Accept(options));
    notifier.messages.clear();
    EXPECT_EQ(RunDataExport(doc, state), ExportRunResult::Incomplete);
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(
        texts[1].rfind("Norvan: Export data（Excel Format）: the workbook was not written: the file does not "
                       "exist: " +
                           doc.configFolder + "template/RawData.xlsx",
                       0),
        0u)
        << texts[1];
    EXPECT_EQ(texts[2],
              "Norvan: Not available yet, nothing was written for: Export Report（Word Format 2）.");
    EXPECT_TRUE(fs::exists(work + "/TXT/ABC_1800_X_CO_06T_P45.txt"));
    EXPECT_TRUE(fs::is_empty(work + "/report"));
}

TEST_F(ExportFixture, TemplatePathsFollowTheLanguage) {
    state.options = {};
    SetTemplatePaths("/c/Config File/", state);
    EXPECT_EQ(state.format1Template,
              "/c/Config File/template/Norvan Telmark QU0000001 Antenna Test Report.docx");
    EXPECT_EQ(state.format2Template, "/c/Config File/template/TestReport02.docx");
    EXPECT_EQ(state.rawDataTemplate, "/c/Config File/template/RawData.xlsx");
    EXPECT_EQ(state.resultTemplate, "/c/Config File/template/Result.xlsx");
    state.options.chinese = true;
    SetTemplatePaths("/c/Config File/", state);
    EXPECT_EQ(state.format1Template, "/c/Config File/template/中文标准报告模板.docx");
}

TEST_F(ExportFixture, SaveAsWritesEveryPatternAsExactData) {
    LoadPair();
    EXPECT_EQ(SaveAllAsExactData(doc, ""), -1);
    EXPECT_EQ(Texts(), std::vector<std::string>{"ERROR: Configured path can not be empty！"});

    EXPECT_EQ(SaveAllAsExactData(doc, work), 2);
    const std::string saved = ReadFileText(work + "/p1_p45_h_co_6_0_1800.msi");
    EXPECT_EQ(saved.rfind("NORVAN ZR460 Exact Data\r\nDirectivity(dBi) -999.00\r\nGain(dBi) 17.85\r\n", 0),
              0u)
        << saved.substr(0, 100);

    // Into the measurement folder: the measured files stay as they were.
    notifier.messages.clear();
    const std::string source = (dir.Path() / "m" / kTest).string();
    EXPECT_EQ(SaveAllAsExactData(doc, source), 0);
    EXPECT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(ReadFileText(source + "p1_p45_h_co_6_0_1800.msi"), Msi(0));
}

TEST(PatternInfo, PortRowsAreNormalisedAndRequiredForMultiPort) {
    RecordingNotifier notifier;
    PatternInfoConfig info;
    EXPECT_FALSE(AcceptPatternInfo("Multi-port", "dBd", "Electrical", {{"P1", ""}}, info, notifier));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second,
              "Correspondence between the port and the Extensions can not be empty");
    EXPECT_EQ(info.antennaType, "Dual-port");

    std::vector<std::pair<std::string, std::string>> rows(10, {"", ""});
    rows[2] = {"PORT1", "a1"};
    rows.push_back({"p11", "X"}); // an eleventh row is not examined
    ASSERT_TRUE(AcceptPatternInfo("Multi-port", "dBd", "Electrical", rows, info, notifier));
    EXPECT_EQ(info.ports, (std::vector<std::pair<std::string, std::string>>{{"port1", "A1"}}));
    EXPECT_EQ(info.gainUnit, "dBd");
    EXPECT_EQ(info.tiltMethod, "Electrical");
}

// What a run does when its output cannot be trusted: a write fails, two inputs name one output
// file, or files of an earlier run lie in the output folders.
TEST_F(ExportFixture, FailedWritesDuplicatesAndStaleFilesAreNeverSuccess) {
    LoadPair();
    // Two antennas whose cuts have the same names: one PLN file name for both.
    const std::string other = "m/Lab_Proj_ABC_20261208_B01_SN2/";
    ASSERT_EQ(doc.OpenFiles({dir.Write(other + "p1_p45_h_co_6_0_1800.msi", Msi(0)),
                             dir.Write(other + "p1_p45_e_co_6_0_1800.msi", Msi(6))}),
              0);
    // A stale file of an earlier run that the XML group would otherwise take in.
    dir.Write("work/PLN/ABC_1800_X_CO_06T_P45.old.pln", "FILENAME\tSTALE\r\nMAKE\tX\x01\r\n");
    dir.Write("work/PLN/OLD_1800_X_CO_06T_P45.pln", "FILENAME\tSTALE\r\nMAKE\tX\x01\r\n");
    // MSI files cannot be written: where their folder should be there is a file.
    dir.Write("work/DataSrc/MSI", "not a folder");

    DataExportOptions options;
    options.pln = options.xml = options.msi = true;
    ASSERT_TRUE(Accept(options));
    EXPECT_EQ(RunDataExport(doc, state), ExportRunResult::Failed);

    const std::vector<std::string> texts = Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Norvan: Exporting sucess！"), 0);
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts.back().find("Export failed"), std::string::npos);
    EXPECT_NE(texts.back().find("DataSrc/MSI/"), std::string::npos);
    EXPECT_EQ(state.ledger.Failures().size(), 1u);   // the first antenna's MSI; the second is a duplicate
    EXPECT_EQ(state.ledger.Duplicates().size(), 2u); // its PLN and MSI
    EXPECT_FALSE(notifier.warnings.empty());

    // The XML holds this run's pattern only, and stays well-formed.
    std::string xml;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "work/XML"))
        xml += ReadFileText(entry.path());
    EXPECT_EQ(xml.find("STALE"), std::string::npos);
    EXPECT_NE(xml.find("ABC_1800_X_CO_06T_P45"), std::string::npos);
}

TEST(EnterpriseXmlText, WhatXmlCannotHoldIsDropped) {
    BeamPattern pattern;
    pattern.fileName = "A\x01_1800\xFF";
    pattern.make = "MAKER\x1B[0m";
    const std::string xml = BuildEnterpriseXml({pattern}, "dBi");
    tinyxml2::XMLDocument parsed;
    EXPECT_EQ(parsed.Parse(xml.data(), xml.size()), tinyxml2::XML_SUCCESS) << xml;
    EXPECT_NE(xml.find("MAKER[0m"), std::string::npos);
}
