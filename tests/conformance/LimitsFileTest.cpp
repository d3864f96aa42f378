#include <gtest/gtest.h>

#include "conformance/DatasheetLimits.h"
#include "support/TestSupport.h"

namespace {

struct Refused {
    const char* name;
    const char* text;
    int line;
    const char* reason; // part of the reason
};

const Refused kRefused[] = {
    {"unknown indicator",
     "[[band]]\nfrom = 1710\nto = 1880\n[[band.limit]]\nindicator = \"HBW33\"\nmin = 1\n", 5,
     "unknown indicator \"HBW33\""},
    {"point needs its member", "[[band]]\nfrom = 1\nto = 2\n[[band.limit]]\nindicator = \"FSU\"\nmin = 1\n",
     5, "unknown indicator"},
    {"from above to", "model = \"X\"\n\n[[band]]\nname = \"a\"\nfrom = 1880\nto = 1710\n", 3, "from > to"},
    {"no bound",
     "[[band]]\nfrom = 1710\nto = 1880\n\n  [[band.limit]]\n  indicator = \"HBW3\"\n  ports = [1]\n", 5,
     "has no bound"},
    {"nominal alone", "[[band]]\nfrom = 1\nto = 2\n[[band.limit]]\nindicator = \"HBW3\"\nnominal = 65\n", 4,
     "nominal and tolerance"},
    {"syntax error", "[[band]]\nfrom = 1710\nto = = 1880\n", 3, ""},
    {"unclosed table", "[[band]\nfrom = 1\n", 1, ""},
    {"bound not a number", "[[band]]\nfrom = 1\nto = 2\n[[band.limit]]\nindicator = \"XPD0\"\nmin = \"15\"\n",
     6, "min must be a number"},
    {"min above max",
     "[[band]]\nfrom = 1\nto = 2\n[[band.limit]]\nindicator = \"XPD0\"\nmin = 20\nmax = 10\n", 4,
     "min > max"},
    {"band without to", "[[band]]\nfrom = 1\n", 1, "from and to"},
    {"ports not integers",
     "[[band]]\nfrom = 1\nto = 2\n[[band.limit]]\nindicator = \"XPD0\"\nmin = 2\nports = [\"p1\"]\n", 7,
     "ports"},
    {"no band", "model = \"QX\"\n", 1, "no [[band]]"},
    // Characters whose whitespace test is undefined in the TOML reader.
    {"degree sign after a number", "[[band]]\nfrom = 1710°\nto = 1880\n", 2, ""},
    {"non-ASCII escape in a multi-line text", "model = \"\"\"a\\é\"\"\"\n[[band]]\nfrom = 1\nto = 2\n", 1,
     ""},
};

TEST(LimitsFile, RefusalsNameFileLineAndReason) {
    for (const Refused& c : kRefused) {
        SCOPED_TRACE(c.name);
        const LimitsParse parse = ParseLimits(c.text, "dir/limits.toml");
        ASSERT_FALSE(parse.limits.has_value());
        EXPECT_EQ(parse.error.path, "dir/limits.toml");
        EXPECT_EQ(parse.error.line, c.line);
        EXPECT_NE(parse.error.reason.find(c.reason), std::string::npos) << parse.error.reason;
        EXPECT_FALSE(parse.error.reason.empty());
        EXPECT_EQ(parse.error.Describe().rfind("dir/limits.toml:" + std::to_string(c.line) + ": ", 0), 0u);
    }
}

struct Accepted {
    const char* name;
    const char* limit; // the lines of one [[band.limit]]
    std::optional<float> min;
    std::optional<float> max;
};

const Accepted kAccepted[] = {
    {"nominal and tolerance", "indicator = \"HBW3\"\nnominal = 65\ntolerance = 6", 59.0f, 71.0f},
    {"min only", "indicator = \"FBRco\"\nmin = 28.81", 28.81f, std::nullopt},
    {"max only, integer", "indicator = \"VSS[0]\"\nmax = -15", std::nullopt, -15.0f},
    {"absolute", "indicator = \"Squint\"\nabs_max = 5", -5.0f, 5.0f},
    {"point member", "indicator = \"FSU.fMag\"\nmin = 15\nmax = 30.5", 15.0f, 30.5f},
};

TEST(LimitsFile, BoundsAreTheStoredFloats) {
    for (const Accepted& c : kAccepted) {
        SCOPED_TRACE(c.name);
        const std::string text = "model = \"QX6518\"\n[[band]]\nfrom = 1710\nto = 1880\n[[band.limit]]\n" +
                                 std::string(c.limit) + "\nports = [1, 2]\n";
        const LimitsParse parse = ParseLimits(text, "l.toml");
        ASSERT_TRUE(parse.limits.has_value()) << parse.error.Describe();
        ASSERT_EQ(parse.limits->bands.size(), 1u);
        const IndicatorLimit& limit = parse.limits->bands[0].limits.at(0);
        EXPECT_EQ(limit.min, c.min);
        EXPECT_EQ(limit.max, c.max);
        EXPECT_EQ(limit.line, 5);
        EXPECT_EQ(limit.ports, (std::vector<int>{1, 2}));
        ASSERT_NE(limit.column, nullptr);
        EXPECT_EQ(limit.column->name, limit.indicator);
        EXPECT_EQ(parse.limits->model, "QX6518");
        EXPECT_EQ(parse.limits->bands[0].name, "1710-1880"); // named by its range when it has no name
    }
}

// Texts and comments keep any character.
TEST(LimitsFile, NonAsciiTextsReadBack) {
    const LimitsParse parse = ParseLimits(
        "# ± 6°, 规格\nmodel = \"QX–6518 °\" # ±\n[[band]]\nname = \"\"\"1710\u2013\\\n   1880 𝄞\"\"\"\n"
        "from = 1710\nto = 1880\n",
        "l.toml");
    ASSERT_TRUE(parse.limits) << parse.error.Describe();
    EXPECT_EQ(parse.limits->model, "QX–6518 °");
    EXPECT_EQ(parse.limits->bands.at(0).name, "1710–1880 𝄞");
}

TEST(LimitsFile, UnreadableFileIsRefused) {
    TempDir dir;
    const LimitsParse parse = LoadLimitsFile((dir.Path() / "missing.toml").string());
    ASSERT_FALSE(parse.limits.has_value());
    EXPECT_EQ(parse.error.line, 0);
    EXPECT_NE(parse.error.Describe().find("missing.toml"), std::string::npos);
}

} // namespace

namespace {
// The shipped example reads, and holds the datasheet lines the README shows.
TEST(LimitsFile, ShippedExampleReads) {
    const LimitsParse parse =
        LoadLimitsFile(std::string(QUADREL_SOURCE_DIR) + "/resources/limits/QX6518.toml");
    ASSERT_TRUE(parse.limits) << parse.error.Describe();
    EXPECT_EQ(parse.limits->model, "QX6518");
    ASSERT_EQ(parse.limits->bands.size(), 2u);
    for (const LimitBand& band : parse.limits->bands) {
        std::vector<std::string> indicators;
        for (const IndicatorLimit& limit : band.limits) indicators.push_back(limit.indicator);
        EXPECT_EQ(indicators,
                  (std::vector<std::string>{"HBW3", "FBRco", "FSU.fMag", "XPD0", "Squint", "EDE"}));
        EXPECT_EQ(band.limits[0].min, 59.0f);
        EXPECT_EQ(band.limits[0].max, 71.0f);
    }
}
} // namespace
