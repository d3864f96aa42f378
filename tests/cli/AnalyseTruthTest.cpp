#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>

#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {

// How far `analyse` may be from the generator's truth: the truth is measured on the noise-free
// model at 0.01°, the analysis works on the 0.5° samples with ripple and receiver noise. Squint and
// HBW10 are not compared: the peak of a flat-topped beam with ripple wanders by degrees, and the
// second width follows the configured X.
// Gain is exact up to the float32 the analysis prints.
const std::map<std::string, double> kTolerance = {
    {"Gain", 1e-4},   {"VBW3", 0.5},  {"VBP", 0.5},  {"EDE", 0.5}, {"FN", 0.5},
    {"NullLow", 0.5}, {"FSU", 0.3},   {"FSD", 0.3},  {"NF", 0.3},  {"XPD0", 0.4},
    {"VXPD0", 0.4},   {"FBRco", 0.6}, {"HBW3", 1.2},
};
constexpr double kLobeAngleTolerance = 0.5; // the angle of FSU and FSD, in degrees

// The analysis key of a file is its path as given, lower-cased; truth names it by test folder and
// file name.
std::string TruthKey(const std::string& analysisKey) {
    const size_t file = analysisKey.rfind('/');
    const size_t folder = analysisKey.rfind('/', file - 1);
    return analysisKey.substr(folder + 1);
}

TEST(CliAnalyse, GeneratedCampaignMatchesItsTruth) {
    TempDir dir;
    const std::string cli =
        std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "config").string() + "' ";
    const std::string campaign = (dir.Path() / "campaign").string();
    std::string out, err;
    ASSERT_EQ(RunCommand(cli + "generate --out '" + campaign + "'", &out, &err), 0) << err;
    ASSERT_EQ(RunCommand(cli + "analyse --json '" + campaign + "'", &out, &err), 0) << err;
    const nlohmann::json analysis = nlohmann::json::parse(out);
    const nlohmann::json truth = nlohmann::json::parse(ReadFileText(campaign + "/truth.json"));

    std::map<std::string, const nlohmann::json*> analysed;
    for (const auto& file : analysis["files"]) analysed[TruthKey(file["key"].get<std::string>())] = &file;
    ASSERT_EQ(analysed.size(), truth["files"].size());

    std::map<std::string, int> compared;
    for (const auto& [key, expected] : truth["files"].items()) {
        SCOPED_TRACE(key);
        const auto found = analysed.find(ToLower(key));
        ASSERT_NE(found, analysed.end());
        const nlohmann::json& result = *found->second;
        for (const auto& [name, value] : expected.items()) {
            const auto tolerance = kTolerance.find(name);
            if (tolerance == kTolerance.end() || value.is_null()) continue;
            SCOPED_TRACE(name);
            if (value.is_object()) {
                EXPECT_NEAR(result[name]["fMag"].get<double>(), value["fMag"].get<double>(),
                            tolerance->second);
                EXPECT_NEAR(result[name]["fAngle"].get<double>(), value["fAngle"].get<double>(),
                            kLobeAngleTolerance);
            } else {
                EXPECT_NEAR(result[name].get<double>(), value.get<double>(), tolerance->second);
            }
            ++compared[name];
        }
    }
    // Every compared indicator must have been met in the truth, or a renamed member would pass unseen.
    for (const auto& [name, tolerance] : kTolerance) EXPECT_GT(compared[name], 0) << name;
}

} // namespace
