#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Export(const TempDir& dir, const std::string& args) {
    CliRun run;
    const std::string command = std::string(QUADREL_CLI_PATH) + " --config-dir '" +
                                (dir.Path() / "config").string() + "' export " + args + " '" +
                                (dir.Path() / "m").string() + "'";
    run.status = RunCommand(command, &run.out, &run.err);
    return run;
}

std::string Msi(const std::string& frequency) {
    std::string text =
        "NAME T\r\nFREQUENCY " + frequency + "\r\nGAIN 18.00 dBi\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
    for (int a = 0; a < 360; ++a) {
        const int off = std::min(a, 360 - a);
        text += std::to_string(a) + " " + std::to_string(off * off * 0.01) + "\r\n";
    }
    return text;
}

void WriteCampaign(const TempDir& dir) {
    const std::string test = "m/Lab_Proj_QX_20261208_B01_SN1/";
    for (const char* name : {"p1_p45_h_co_6_0_900.msi", "p1_p45_e_co_6_0_900.msi", "p2_m45_h_co_6_0_900.msi",
                             "p2_m45_e_co_6_0_900.msi"})
        dir.Write(test + name, Msi("900"));
}
} // namespace

TEST(CliExport, WritesThePlanningFilesIntoTheWorkingFolder) {
    TempDir dir;
    WriteCampaign(dir);
    const std::string out = (dir.Path() / "out").string();
    fs::create_directories(out);
    CliRun run = Export(dir, "--out '" + out +
                                 "' --pln --txt --xml --gain-unit dBd --tilt-method Electrical "
                                 "--antenna-type Multi-port --port P1=a --port p2=B");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Norvan: Exporting sucess！"), std::string::npos);
    EXPECT_NE(run.out.find("Exporting XML file, please wait..."), std::string::npos);
    const std::string pln = ReadFileText(out + "/PLN/QX_0900_X_CO_06T_P45A.pln");
    EXPECT_EQ(pln.rfind("FILENAME\tQX_0900_X_CO_06T_P45A\r\nMAKE\t NORVAN TELMARK\r\nFREQUENCY\t900 \r\n", 0),
              0u);
    EXPECT_NE(pln.find("GAIN\t15.85 dBd\r\nTILT\tELECTRICAL\r\nHORIZONTAL 360\r\n0.00 0.00\r\n"),
              std::string::npos);
    EXPECT_EQ(pln, ReadFileText(out + "/TXT/QX_0900_X_CO_06T_P45A.txt"));
    EXPECT_TRUE(fs::exists(out + "/XML/QX_0900_X_CO_06T_P45A.xml"));
    EXPECT_TRUE(fs::exists(out + "/XML/QX_0900_X_CO_06T_M45B.xml"));
    // The choices are remembered for the desktop's dialog.
    EXPECT_NE(ReadFileText((dir.Path() / "config/Config.xml").string()).find("IDC_RADIO_PIN"),
              std::string::npos);
}

TEST(CliExport, RefusalsAndUnavailableParts) {
    TempDir dir;
    WriteCampaign(dir);
    const std::string out = (dir.Path() / "out").string();
    fs::create_directories(out);

    CliRun missing = Export(dir, "--out '" + out + "/none' --pln");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "ERROR: Export path is empty or does not exist！\n");

    CliRun noPorts = Export(dir, "--out '" + out + "' --pln --antenna-type Multi-port");
    EXPECT_EQ(noPorts.status, 2);
    EXPECT_EQ(noPorts.err, "ERROR: Correspondence between the port and the Extensions can not be empty\n");
    EXPECT_EQ(Export(dir, "--out '" + out + "' --gain-unit dBx").status, 2);

    // A user's broken result template: the workbook is not written, the rest of the export is.
    dir.Write("config/template/Result.xlsx", "not a zip");
    CliRun word = Export(dir, "--out '" + out + "' --msi --result-xlsx --exact");
    EXPECT_EQ(word.status, 1);
    EXPECT_NE(word.err.find(
                  "Norvan: Export Report（Excel Format）: the workbook was not written: the file is not an "
                  "Office Open XML package: "),
              std::string::npos)
        << word.err;
    EXPECT_EQ(word.err.find("sucess"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(out + "/report"));
    EXPECT_TRUE(fs::exists(out + "/DataSrc/MSI/QX_0900_X_CO_P45_06T.msi"));
    EXPECT_TRUE(fs::exists(out + "/p1_p45_h_co_6_0_900.msi")); // Exact Data copy
}
