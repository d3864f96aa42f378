#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TestSupport.h"

namespace {
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun Cli(const TempDir& dir, const std::string& args) {
    CliRun run;
    const std::string command =
        std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "config").string() + "' " + args;
    run.status = RunCommand(command, &run.out, &run.err);
    return run;
}

const std::string kTest = "Lab_Proj_QX65_20261208_B01_SN1/";

std::string Msi(const std::string& third, const std::string& data) {
    return "NAME T\r\nFREQUENCY 1800\r\n" + third + "\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n" + data;
}

const nlohmann::json& FileByName(const nlohmann::json& doc, const std::string& name) {
    for (const auto& f : doc["files"])
        if (f["fileName"] == name) return f;
    static nlohmann::json none;
    return none;
}
} // namespace

TEST(CliLoad, JsonCarriesTheStoredValues) {
    TempDir dir;
    dir.Write(kTest + "p1_p45_h_co_6_0_1800.msi",
              Msi("GAIN 15.00 dBd", "181 3\r\n180 2\r\n45,12.5\r\n\r\n10 1\r\n"));
    dir.Write(kTest + "p2_m45_h_co_6_0_1800.msi", Msi("GAIN 15.00 dBi", "0 0\r\n"));
    dir.Write(kTest + "p3_p45_h_co_6_0_1800.msi", Msi("GAIN 15", "0 0\r\n"));
    dir.Write(kTest + "x.cm", "NORVAN ZR460 Exact Data\r\nDirectivity(dBi) 18\r\n3\r\n270 -1\r\n");
    CliRun run = Cli(dir, "load --json " + (dir.Path() / kTest).string());
    ASSERT_EQ(run.status, 0) << run.err;
    auto doc = nlohmann::json::parse(run.out);
    ASSERT_EQ(doc["files"].size(), 4u);

    const auto& first = FileByName(doc, "p1_p45_h_co_6_0_1800.msi");
    EXPECT_FLOAT_EQ(first["Gain"].get<float>(), 17.15f);
    EXPECT_EQ(first["samples"], nlohmann::json::parse("[[-179,-3],[180,-2],[45,-12.5]]"));
    EXPECT_EQ(first["sampleCount"], 3);
    EXPECT_EQ(first["NameFields"][2], "QX65");
    EXPECT_EQ(first["NameFields"][8], "h");
    EXPECT_EQ(first["headerValue"], 1800);
    EXPECT_EQ(first["Hmax"], nlohmann::json::parse(R"({"fAngle":180,"fMag":-2})"));
    EXPECT_EQ(first["Vmax"], nlohmann::json::parse(R"({"fAngle":-999,"fMag":-999})"));
    EXPECT_FLOAT_EQ(FileByName(doc, "p2_m45_h_co_6_0_1800.msi")["Gain"].get<float>(), 15.0f);
    EXPECT_FLOAT_EQ(FileByName(doc, "p3_p45_h_co_6_0_1800.msi")["Gain"].get<float>(), 17.15f);
    const auto& exact = FileByName(doc, "x.cm");
    EXPECT_EQ(exact["count"], 3);
    EXPECT_EQ(exact["samples"][0][0], 270);
}

TEST(CliLoad, RefusalPrintsTheMessageAndWhatWasLoaded) {
    TempDir dir;
    // Count lines that agree with the data: no warning comes before the message.
    dir.Write("a_b_c_d_e_f/p1_p45_h_co_6_0_1800.msi", Msi("1", "0 0\r\n"));
    dir.Write("zz/p1_p45_h_co_6_0_1800.msi", Msi("1", "0 0\r\n"));
    CliRun run = Cli(dir, "load " + dir.Path().string());
    EXPECT_EQ(run.status, 3);
    // The described message as it is, then a line of its own that names the file.
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), "Norvan: Folder or file name error\n");
    EXPECT_NE(run.err.find("refused " + dir.Path().string() + "/zz/p1_p45_h_co_6_0_1800.msi"),
              std::string::npos);
    EXPECT_NE(run.out.find("loaded 2 files"), std::string::npos); // the refused file stays in the table

    EXPECT_EQ(Cli(dir, "load").status, 2);
    EXPECT_EQ(Cli(dir, "load /no/such/path").status, 2);
    EXPECT_EQ(Cli(dir, "frobnicate").status, 2);
}

TEST(CliLoad, EnvelopeFilesOfTheConfigurationFolder) {
    TempDir dir;
    dir.Write("config/Envelope/fsu.txt", "Angle(deg) Level(dB) FSU envelope\r\n-10 -18\r\n-20 -20\r\n");
    dir.Write("config/short.txt", "0 -10\r\n5 -12\r\n");
    dir.Write(kTest + "p1_p45_h_co_6_0_1800.msi", Msi("GAIN 17 dBi", "0 0\r\n"));
    CliRun run = Cli(dir, "load --json " + (dir.Path() / kTest).string());
    ASSERT_EQ(run.status, 0) << run.err;
    auto doc = nlohmann::json::parse(run.out);
    size_t checked = 0;
    for (const auto& curve : doc["envelopes"]) {
        if (curve["fileName"] == "fsu.txt") {
            EXPECT_EQ(curve["points"], nlohmann::json::parse("[[-10,-18],[-20,-20]]"));
            ++checked;
        }
        if (curve["fileName"] == "short.txt") {
            EXPECT_EQ(curve["points"].size(), 2u);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2u);
}
