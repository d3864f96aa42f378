#include <gtest/gtest.h>

#include <cmath>

#include "conformance/Conformance.h"

namespace {

// A table of cuts of one antenna: (port, pol, tilt, frequency, FBRco value).
struct Cut {
    const char* port;
    const char* pol;
    const char* tilt;
    const char* frequency;
    float fbr;
};

PatternTable MakeTable(const std::vector<Cut>& cuts, const std::string& model = "QX6518") {
    PatternTable table;
    int i = 0;
    for (const Cut& cut : cuts) {
        PatternFile file;
        file.key = "t/" + std::to_string(i++) + ".msi";
        file.names[kFieldModel] = model;
        file.names[kFieldPort] = cut.port;
        file.names[kFieldPolarisation] = cut.pol;
        file.names[kFieldTilt] = cut.tilt;
        file.names[kFieldFrequency] = cut.frequency;
        file.results.FBRco = cut.fbr;
        table[file.key] = file;
    }
    return table;
}

DatasheetLimits Limits(const std::string& limitLines, double from = 1710, double to = 1880) {
    const std::string text = "model = \"QX6518\"\n[[band]]\nname = \"low\"\nfrom = " + std::to_string(from) +
                             "\nto = " + std::to_string(to) + "\n[[band.limit]]\nindicator = \"FBRco\"\n" +
                             limitLines;
    LimitsParse parse = ParseLimits(text, "l.toml");
    EXPECT_TRUE(parse.limits) << parse.error.Describe();
    return *parse.limits;
}

const std::vector<Cut> kOneGroup = {
    {"p1", "p45", "2", "1710", 28.81f},  {"p1", "p45", "2", "1800", 30.0f},
    {"p1", "p45", "2", "1880", 26.5f},   {"p1", "p45", "2", "1920", 10.0f}, // outside the band
    {"p1", "p45", "2", "1750", NOT_SET},
};

struct VerdictCase {
    const char* name;
    const char* limit;
    Verdict verdict;
    float worst;
    float bound;
    float margin;
};

// The values are 26.5, 28.81 and 30; bounds are inclusive at the stored float.
const VerdictCase kVerdicts[] = {
    {"min at the smallest value", "min = 26.5", Verdict::Pass, 26.5f, 26.5f, 0.0f},
    {"min just above the smallest value", "min = 26.500001", Verdict::Fail, 26.5f, 26.500002f,
     -1.9073486e-06f},
    {"max at the largest value", "max = 30", Verdict::Pass, 30.0f, 30.0f, 0.0f},
    {"max below the largest value", "max = 29.99", Verdict::Fail, 30.0f, 29.99f, -0.0100002f},
    {"worst is furthest outside", "min = 28.81\nmax = 28.81", Verdict::Fail, 26.5f, 28.81f, -2.31f},
    {"nearest bound when all pass", "nominal = 28\ntolerance = 3", Verdict::Pass, 30.0f, 31.0f, 1.0f},
    {"absolute limit", "abs_max = 29", Verdict::Fail, 30.0f, 29.0f, -1.0f},
};

TEST(Conformance, VerdictsFlipExactlyAtTheBounds) {
    const PatternTable table = MakeTable(kOneGroup);
    for (const VerdictCase& c : kVerdicts) {
        SCOPED_TRACE(c.name);
        const ConformanceResult result = CheckConformance(table, Limits(c.limit));
        ASSERT_EQ(result.groups.size(), 1u);
        const ConformanceGroup& g = result.groups[0];
        EXPECT_EQ(g.verdict, c.verdict);
        EXPECT_EQ(g.n, 3);
        EXPECT_FLOAT_EQ(g.worst, c.worst);
        EXPECT_FLOAT_EQ(g.bound, c.bound);
        EXPECT_NEAR(g.margin, c.margin, 1e-6);
        EXPECT_EQ(result.verdict, c.verdict == Verdict::Pass ? Verdict::Pass : Verdict::Fail);
        EXPECT_EQ(result.failing, c.verdict == Verdict::Pass ? 0 : 1);
    }
}

TEST(Conformance, PrintedValueMeetsTheBoundWrittenAsPrinted) {
    const PatternTable table = MakeTable({{"p1", "p45", "2", "1710", 28.81f}});
    for (const char* limit : {"min = 28.81", "max = 28.81", "nominal = 28.80\ntolerance = 0.01"}) {
        SCOPED_TRACE(limit);
        const ConformanceResult result = CheckConformance(table, Limits(limit));
        ASSERT_EQ(result.groups.size(), 1u);
        EXPECT_EQ(result.groups[0].verdict, Verdict::Pass);
        EXPECT_EQ(result.groups[0].margin, 0.0f);
    }
}

TEST(Conformance, StatisticsArePopulationStatistics) {
    const ConformanceResult result = CheckConformance(MakeTable(kOneGroup), Limits("min = 0"));
    ASSERT_EQ(result.groups.size(), 1u);
    const ConformanceGroup& g = result.groups[0];
    const double mean = (28.81f + 30.0 + 26.5) / 3;
    const double var = (std::pow(28.81f - mean, 2) + std::pow(30.0 - mean, 2) + std::pow(26.5 - mean, 2)) / 3;
    EXPECT_FLOAT_EQ(g.mean, static_cast<float>(mean));
    EXPECT_FLOAT_EQ(g.std, static_cast<float>(std::sqrt(var)));
    EXPECT_EQ(g.min, 26.5f);
    EXPECT_EQ(g.max, 30.0f);
    EXPECT_EQ(g.keys.size(), 3u);
    ASSERT_EQ(result.summary.size(), 1u);
    EXPECT_FLOAT_EQ(result.summary[0].typical, static_cast<float>(mean));
    EXPECT_FLOAT_EQ(result.summary[0].tolerance, static_cast<float>(mean - 26.5));
}

struct GroupingCase {
    const char* name;
    const char* limit;
    double from, to;
    std::vector<std::string> groups; // "port pol tilt verdict n"
};

const std::vector<Cut> kTwoPorts = {
    {"p1", "p45", "2", "1710", 30.0f}, {"p1", "p45", "6", "1710", 30.0f}, {"p2", "m45", "2", "1710", 20.0f},
    {"p2", "m45", "6", "1710", 30.0f}, {"p2", "m45", "6", "2170", 30.0f}, {"p10", "p45", "2", "1710", 30.0f},
};

const GroupingCase kGrouping[] = {
    {"every combination, ports in numeric order",
     "min = 25",
     1710,
     1880,
     {"p1 p45 2 pass 1", "p1 p45 6 pass 1", "p2 m45 2 fail 1", "p2 m45 6 pass 1", "p10 p45 2 pass 1"}},
    {"ports and tilts chosen", "min = 25\nports = [2]\ntilts = [6]", 1710, 1880, {"p2 m45 6 pass 1"}},
    {"band holding no cut", "min = 25\nports = [1]", 3000, 3100, {"p1 p45 2 nodata 0", "p1 p45 6 nodata 0"}},
    {"limit admitting no combination", "min = 25\nports = [7]", 1710, 1880, {"p7 * * nodata 0"}},
    {"upper band", "min = 25\ntilts = [6]", 1900, 2170, {"p1 p45 6 nodata 0", "p2 m45 6 pass 1"}},
};

TEST(Conformance, GroupsByPortPolarisationAndTilt) {
    const PatternTable table = MakeTable(kTwoPorts);
    for (const GroupingCase& c : kGrouping) {
        SCOPED_TRACE(c.name);
        const ConformanceResult result = CheckConformance(table, Limits(c.limit, c.from, c.to));
        std::vector<std::string> groups;
        int failing = 0;
        for (const ConformanceGroup& g : result.groups) {
            groups.push_back(g.port + " " + g.pol + " " + g.tilt + " " + VerdictWord(g.verdict) + " " +
                             std::to_string(g.n));
            failing += g.verdict != Verdict::Pass;
        }
        EXPECT_EQ(groups, c.groups);
        EXPECT_EQ(result.failing, failing);
        EXPECT_EQ(result.verdict, failing ? Verdict::Fail : Verdict::Pass);
        ASSERT_EQ(result.summary.size(), 1u);
        EXPECT_EQ(result.summary[0].verdict, result.summary[0].n == 0 ? Verdict::NoData
                                             : failing                ? Verdict::Fail
                                                                      : Verdict::Pass);
    }
}

TEST(Conformance, WarnsWhenTheModelDiffers) {
    EXPECT_TRUE(CheckConformance(MakeTable(kOneGroup), Limits("min = 0")).warnings.empty());
    const ConformanceResult other = CheckConformance(MakeTable(kOneGroup, "ZZ100"), Limits("min = 0"));
    ASSERT_EQ(other.warnings.size(), 1u);
    EXPECT_NE(other.warnings[0].find("ZZ100"), std::string::npos);
}

} // namespace

namespace {
struct NumberCase {
    float value;
    const char* text;
};

// What the report, the pane and the text output show: no "-0.00", a value not computed as the
// caller's mark.
const NumberCase kNumbers[] = {
    {NOT_SET, "—"},     {-0.0f, "0.00"},   {-0.004f, "0.00"},
    {-0.006f, "-0.01"}, {28.81f, "28.81"}, {-999.5f, "-999.50"},
};

TEST(Conformance, NumbersAsAPersonReadsThem) {
    for (const NumberCase& c : kNumbers) EXPECT_EQ(ConformanceNumber(c.value, "—"), c.text) << c.value;
}
} // namespace
