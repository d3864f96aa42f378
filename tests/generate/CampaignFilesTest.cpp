#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

#include "CampaignTestSupport.h"
#include "app/TextUtil.h"
#include "generate/CampaignOptions.h"
#include "support/TestSupport.h"

namespace {

struct FileSetCase {
    const char* label;
    int ports;
    std::vector<int> tilts;
    std::vector<int> frequencies;
    double step;
};

class CampaignFileSet : public ::testing::TestWithParam<FileSetCase> {};

TEST_P(CampaignFileSet, WritesEveryCutCurveAndTruthEntry) {
    const FileSetCase& c = GetParam();
    CampaignOptions options;
    options.ports = c.ports;
    options.tilts = c.tilts;
    options.frequencies = c.frequencies;
    options.step = c.step;
    GeneratedCampaign campaign = Generate(options);

    std::set<std::string> expectedCuts, expectedCurves;
    for (int port = 1; port <= c.ports; ++port) {
        std::string pol = port % 2 ? "p45" : "m45";
        for (int tilt : c.tilts) {
            for (const char* plane : {"h", "e"}) {
                expectedCurves.insert("Gain Level/gain level_p" + std::to_string(port) + "_" + pol + "_" +
                                      plane + "_co_" + std::to_string(tilt) + "_0.txt");
                for (const char* comp : {"co", "cr"})
                    for (int f : c.frequencies)
                        expectedCuts.insert(campaign.testFolder + "/p" + std::to_string(port) + "_" + pol +
                                            "_" + plane + "_" + comp + "_" + std::to_string(tilt) + "_0_" +
                                            std::to_string(f) + ".msi");
            }
        }
    }
    std::set<std::string> cuts, curves, envelopes;
    for (const std::string& file : RelativeFiles(campaign.root)) {
        if (EndsWith(file, ".msi"))
            cuts.insert(file);
        else if (file.rfind("Gain Level/gain level_p", 0) == 0)
            curves.insert(file);
        else if (file.rfind("Envelope/", 0) == 0)
            envelopes.insert(file);
    }
    EXPECT_EQ(cuts, expectedCuts);
    EXPECT_EQ(curves, expectedCurves);
    EXPECT_GE(envelopes.size(), 2u);
    // One reference level and one reference gain curve, each naming a range around the campaign.
    std::vector<std::string> references;
    for (const std::string& file : RelativeFiles(campaign.root + "/Gain Level"))
        if (EndsWith(file, "_reference.txt")) references.push_back(file);
    ASSERT_EQ(references.size(), 2u);
    EXPECT_EQ(references[0].rfind("gain level_", 0), 0u);
    EXPECT_EQ(references[1].rfind("gain value_", 0), 0u);
    for (const std::string& name : references) {
        std::vector<std::string> parts = SplitAll(name, '_');
        ASSERT_EQ(parts.size(), 4u) << name;
        int low = ParseLeadingInt(parts[1]), high = ParseLeadingInt(parts[2]);
        for (int f : c.frequencies) EXPECT_TRUE(low < f && f < high) << name << " " << f;
    }

    std::set<std::string> truthKeys;
    for (const auto& [key, value] : campaign.truth["files"].items()) truthKeys.insert(key);
    EXPECT_EQ(truthKeys, expectedCuts);

    // The folder name carries the six tokens the loader needs; token 2 is the antenna model.
    std::vector<std::string> tokens = SplitAll(campaign.testFolder, '_');
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[2], "QX6518");
}

INSTANTIATE_TEST_SUITE_P(Options, CampaignFileSet,
                         ::testing::Values(FileSetCase{"defaults", 2, {2, 6}, {1710, 1850, 2170}, 0.5},
                                           FileSetCase{"one_port_one_degree", 1, {0}, {1800}, 1.0},
                                           FileSetCase{"four_ports", 4, {3}, {1750, 2100}, 2.0}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(CampaignBytes, SameSeedSameBytesOtherSeedOtherNoise) {
    CampaignOptions options;
    options.tilts = {4};
    options.frequencies = {1800, 2100};
    GeneratedCampaign first = Generate(options);
    GeneratedCampaign second = Generate(options);
    std::vector<std::string> files = RelativeFiles(first.root);
    ASSERT_EQ(files, RelativeFiles(second.root));
    for (const std::string& file : files)
        EXPECT_EQ(ReadFileText(first.root + "/" + file), ReadFileText(second.root + "/" + file)) << file;

    options.seed = 2;
    GeneratedCampaign other = Generate(options);
    EXPECT_NE(other.testFolder, first.testFolder);
    const std::string cut = "/p1_p45_h_co_4_0_1800.msi";
    EXPECT_NE(ReadFileText(first.root + "/" + first.testFolder + cut),
              ReadFileText(other.root + "/" + other.testFolder + cut));
}

struct ReadBackCase {
    double step;
    size_t samples;
};

class CampaignReadBack : public ::testing::TestWithParam<ReadBackCase> {};

// Every cut reads back completely, in the form the loader relies on, with its peak at 0 dB.
TEST_P(CampaignReadBack, CutsParseToFullCutsWithPeakAtZero) {
    CampaignOptions options;
    options.ports = 2;
    options.tilts = {6};
    options.frequencies = {1850};
    options.step = GetParam().step;
    GeneratedCampaign campaign = Generate(options);
    for (const std::string& file : RelativeFiles(campaign.root + "/" + campaign.testFolder)) {
        SCOPED_TRACE(file);
        std::string text = ReadFileText(campaign.root + "/" + campaign.testFolder + "/" + file);
        ParsedMsi cut = ParseMsi(text);
        EXPECT_TRUE(cut.crlfEverywhere);
        EXPECT_FALSE(cut.blankLine);
        ASSERT_EQ(cut.header.size(), 6u);
        EXPECT_EQ(cut.header[0].rfind("NAME ", 0), 0u);
        EXPECT_EQ(cut.header[1], "FREQUENCY 1850");
        EXPECT_EQ(cut.header[2], std::to_string(GetParam().samples)); // a count line, no gain line
        EXPECT_EQ(cut.header[3], "TILT ELECTRICAL 6");
        EXPECT_EQ(cut.header[5], Contains(file, "_h_") ? "HORIZONTAL 360" : "VERTICAL 360");
        ASSERT_EQ(cut.samples.size(), GetParam().samples);
        // Angles run from 0 upwards at the step, folded into (-180, 180] by the reader.
        for (size_t i = 0; i < cut.samples.size(); ++i) {
            double angle = i * GetParam().step;
            ASSERT_FLOAT_EQ(cut.samples[i].fAngle, static_cast<float>(angle > 180.0 ? angle - 360.0 : angle));
        }
        float peak = std::max_element(cut.samples.begin(), cut.samples.end(), [](auto a, auto b) {
                         return a.fMag < b.fMag;
                     })->fMag;
        if (Contains(file, "_co_"))
            EXPECT_EQ(peak, 0.0f);
        else
            EXPECT_LT(peak, -10.0f); // cross-polar levels stay well below the co-polar peak
    }
}

INSTANTIATE_TEST_SUITE_P(Steps, CampaignReadBack,
                         ::testing::Values(ReadBackCase{0.5, 720}, ReadBackCase{1.0, 360},
                                           ReadBackCase{0.25, 1440}, ReadBackCase{2.0, 180}));

struct NumberListCase {
    const char* text;
    bool ok;
    std::vector<double> values;
};

TEST(CampaignOptionsTest, NumberListsAreReadStrictly) {
    const NumberListCase cases[] = {
        {"2,6", true, {2, 6}}, {" 1710, 1850 ,2170", true, {1710, 1850, 2170}},
        {"0.5", true, {0.5}},  {"", false, {}},
        {"2,,6", false, {}},   {"2;6", false, {}},
        {"6deg", false, {}},   {"1e3", true, {1000}},
        {"nan", false, {}},    {"2,", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<double> values;
        EXPECT_EQ(ParseNumberList(c.text, values), c.ok) << c.text;
        if (c.ok) { EXPECT_EQ(values, c.values) << c.text; }
    }
}

TEST(CampaignOptionsTest, RejectsOptionsThatCannotNameOrSampleACut) {
    struct Case {
        const char* label;
        void (*change)(CampaignOptions&);
    };
    const Case cases[] = {
        {"no ports", [](CampaignOptions& o) { o.ports = 0; }},
        {"nine ports", [](CampaignOptions& o) { o.ports = 9; }},
        {"negative tilt", [](CampaignOptions& o) { o.tilts = {-2}; }},
        {"repeated tilt",
         [](CampaignOptions& o) {
             o.tilts = {2, 2};
         }},
        {"no frequency", [](CampaignOptions& o) { o.frequencies.clear(); }},
        {"step not dividing 360", [](CampaignOptions& o) { o.step = 0.7; }},
        {"step below a hundredth grid", [](CampaignOptions& o) { o.step = 0.125; }},
        {"step zero", [](CampaignOptions& o) { o.step = 0.0; }},
        {"no folder", [](CampaignOptions& o) { o.outDir.clear(); }},
    };
    for (const auto& c : cases) {
        CampaignOptions options;
        options.outDir = "somewhere";
        c.change(options);
        EXPECT_FALSE(ValidateCampaignOptions(options).empty()) << c.label;
    }
    CampaignOptions options;
    options.outDir = "somewhere";
    EXPECT_EQ(ValidateCampaignOptions(options), "");
}

TEST(GenerateCommand, ExitStatusFollowsTheOptions) {
    TempDir dir;
    const std::string cli = QUADREL_CLI_PATH;
    const std::string out = " --out '" + (dir.Path() / "c").string() + "'";
    struct Case {
        std::string args;
        int status;
    };
    const Case cases[] = {
        {"generate" + out + " --ports 1 --tilts 0 --freqs 1800 --step 1", 0},
        {"generate --ports 1", 2},
        {"generate" + out + " --ports 0", 2},
        {"generate" + out + " --tilts 2,x", 2},
        {"generate" + out + " --freqs ''", 2},
        {"generate" + out + " --step 0.7", 2},
        {"generate" + out + " --seed -1", 2},
    };
    for (const auto& c : cases) {
        std::string stdoutText, stderrText;
        EXPECT_EQ(RunCommand(cli + " " + c.args, &stdoutText, &stderrText), c.status) << c.args << "\n"
                                                                                      << stderrText;
    }
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "c" / "truth.json"));
}

} // namespace
