#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// One generated campaign for the whole program (2 ports, tilts 2 and 6, 1710, 1850 and 2170 MHz),
// with its `analyse --csv` output as the independent source of every value.
struct Campaign {
    TempDir dir;
    std::string folder;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    CliRun Cli(const std::string& args) const {
        CliRun run;
        const std::string command = std::string(QUADREL_CLI_PATH) + " --config-dir '" +
                                    (dir.Path() / "config").string() + "' " + args;
        run.status = RunCommand(command, &run.out, &run.err);
        return run;
    }
    CliRun Check(const std::string& limits, const std::string& format = "--csv") const {
        const std::string path = dir.Write("limits.toml", limits);
        return Cli("check --limits '" + path + "' " + format + " '" + folder + "'");
    }
};

std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted) {
            fields.push_back(field);
            field.clear();
        } else
            field += c;
    }
    fields.push_back(field);
    return fields;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) rows.push_back(CsvFields(line));
    return rows;
}

const Campaign& TheCampaign() {
    static Campaign* campaign = [] {
        auto* c = new Campaign;
        c->folder = (c->dir.Path() / "campaign").string();
        const CliRun generated = c->Cli("generate --out '" + c->folder + "'");
        EXPECT_EQ(generated.status, 0) << generated.err;
        const CliRun analysed = c->Cli("analyse --csv '" + c->folder + "'");
        EXPECT_EQ(analysed.status, 0) << analysed.err;
        c->rows = CsvRows(analysed.out);
        c->header = c->rows.front();
        c->rows.erase(c->rows.begin());
        return c;
    }();
    return *campaign;
}

// The statistics of one group computed from the analysis CSV: the file name tells port,
// polarisation, tilt and frequency (port_pol_plane_comp_tilt_dir_freq.msi).
struct Expected {
    int n = 0;
    float min = INFINITY, max = -INFINITY;
    double sum = 0, squares = 0;
    std::vector<float> values;
};

std::map<std::string, Expected> ExpectedGroups(const Campaign& c, const std::string& indicator, double from,
                                               double to) {
    const size_t column = std::find(c.header.begin(), c.header.end(), indicator) - c.header.begin();
    std::map<std::string, Expected> groups;
    for (const auto& row : c.rows) {
        const std::string name = LastPathComponent(row[0]);
        const auto tokens = SplitAll(name.substr(0, name.size() - 4), '_');
        const double frequency = std::stod(tokens[6]);
        Expected& e = groups[tokens[0] + " " + tokens[1] + " " + tokens[4]];
        const float value = std::strtof(row.at(column).c_str(), nullptr);
        if (frequency < from || frequency > to || value == -999.0f) continue;
        e.values.push_back(value);
    }
    for (auto& [key, e] : groups) {
        e.n = static_cast<int>(e.values.size());
        for (float v : e.values) {
            e.min = std::min(e.min, v);
            e.max = std::max(e.max, v);
            e.sum += v;
        }
        const double mean = e.sum / e.n;
        for (float v : e.values) e.squares += (v - mean) * (v - mean);
    }
    return groups;
}

std::map<std::string, std::vector<std::string>> GroupRows(const std::string& csv) {
    std::map<std::string, std::vector<std::string>> groups;
    auto rows = CsvRows(csv);
    EXPECT_EQ(rows.at(0),
              CsvFields("band,port,pol,tilt,indicator,n,min,mean,max,std,worst,bound,margin,verdict"));
    for (size_t i = 1; i < rows.size(); ++i)
        groups[rows[i][0] + " " + rows[i][4] + " " + rows[i][1] + " " + rows[i][2] + " " + rows[i][3]] =
            rows[i];
    return groups;
}

struct StatisticsCase {
    const char* indicator;
    double from, to;
};

const StatisticsCase kStatistics[] = {
    {"HBW3", 1710, 2170},   {"FBRco", 1710, 1880}, {"FSU.fMag", 1800, 2170},    {"XPD0", 1710, 2170},
    {"VSS[0]", 1710, 2170}, {"EDE", 1850, 1850},   {"Vmax.fAngle", 1700, 1720},
};

TEST(CheckCli, GroupStatisticsEqualThoseOfTheAnalysis) {
    const Campaign& c = TheCampaign();
    for (const StatisticsCase& s : kStatistics) {
        SCOPED_TRACE(s.indicator);
        std::ostringstream limits;
        limits << "[[band]]\nname = \"b\"\nfrom = " << s.from << "\nto = " << s.to
               << "\n[[band.limit]]\nindicator = \"" << s.indicator << "\"\nmin = -1000\n";
        const CliRun run = c.Check(limits.str());
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        const auto rows = GroupRows(run.out);
        const auto expected = ExpectedGroups(c, s.indicator, s.from, s.to);
        ASSERT_EQ(rows.size(), expected.size());
        for (const auto& [key, e] : expected) {
            SCOPED_TRACE(key);
            const auto& row = rows.at("b " + std::string(s.indicator) + " " + key);
            ASSERT_EQ(std::stoi(row[5]), e.n);
            ASSERT_GT(e.n, 0);
            EXPECT_EQ(std::strtof(row[6].c_str(), nullptr), e.min);
            EXPECT_FLOAT_EQ(std::strtof(row[7].c_str(), nullptr), static_cast<float>(e.sum / e.n));
            EXPECT_EQ(std::strtof(row[8].c_str(), nullptr), e.max);
            EXPECT_NEAR(std::strtof(row[9].c_str(), nullptr), std::sqrt(e.squares / e.n), 1e-5);
            EXPECT_EQ(std::strtof(row[10].c_str(), nullptr), e.min); // nearest to the only bound
            EXPECT_EQ(row[13], "pass");
        }
    }
}

// One group (port 1, tilt 2) with the bound at its printed extreme, and one float step further.
struct FlipCase {
    const char* name;
    const char* key; // "min" or "max"
    bool beyond;     // the bound one float step past the extreme
    const char* verdict;
    int status;
};

const FlipCase kFlips[] = {
    {"min at the smallest value", "min", false, "pass", 0},
    {"min one step above it", "min", true, "fail", 4},
    {"max at the largest value", "max", false, "pass", 0},
    {"max one step below it", "max", true, "fail", 4},
};

TEST(CheckCli, VerdictsFlipExactlyAtThePrintedBounds) {
    const Campaign& c = TheCampaign();
    const Expected e = ExpectedGroups(c, "FBRco", 1710, 2170).at("p1 p45 2");
    for (const FlipCase& f : kFlips) {
        SCOPED_TRACE(f.name);
        const bool isMin = std::string(f.key) == "min";
        float bound = isMin ? e.min : e.max;
        if (f.beyond) bound = std::nextafter(bound, isMin ? INFINITY : -INFINITY);
        const std::string limits = "[[band]]\nname = \"b\"\nfrom = 1710\nto = 2170\n[[band.limit]]\n"
                                   "indicator = \"FBRco\"\nports = [1]\ntilts = [2]\n" +
                                   std::string(f.key) + " = " + FormatShortestFloat(bound) + "\n";
        const CliRun run = c.Check(limits);
        EXPECT_EQ(run.status, f.status) << run.err;
        const auto rows = GroupRows(run.out);
        ASSERT_EQ(rows.size(), 1u);
        const auto& row = rows.begin()->second;
        EXPECT_EQ(row[13], f.verdict);
        EXPECT_EQ(row[11], FormatShortestFloat(bound));
        EXPECT_EQ(std::strtof(row[12].c_str(), nullptr) < 0, f.beyond);
    }
}

TEST(CheckCli, BandWithoutCutHasNoDataAndFails) {
    const Campaign& c = TheCampaign();
    const CliRun run = c.Check("[[band]]\nname = \"n\"\nfrom = 2300\nto = 2400\n[[band.limit]]\n"
                               "indicator = \"HBW3\"\nmin = 0\n");
    EXPECT_EQ(run.status, 4);
    const auto rows = GroupRows(run.out);
    EXPECT_EQ(rows.size(), 4u); // two ports with their polarisation, two tilts
    for (const auto& [key, row] : rows) {
        EXPECT_EQ(row[5], "0");
        EXPECT_EQ(row[6], "-999");
        EXPECT_EQ(row[13], "nodata");
    }
    const CliRun text =
        c.Check("[[band]]\nfrom = 2300\nto = 2400\n[[band.limit]]\nindicator = \"HBW3\"\nmin = 0\n", "");
    EXPECT_EQ(text.status, 4);
    EXPECT_NE(text.out.find("\nFAIL (4 of 4 groups fail)\n"), std::string::npos) << text.out;
}

TEST(CheckCli, JsonCarriesGroupsSummaryVerdictAndWarnings) {
    const Campaign& c = TheCampaign();
    const CliRun run = c.Check("model = \"OTHER\"\n[[band]]\nname = \"all\"\nfrom = 1700\nto = 2200\n"
                               "[[band.limit]]\nindicator = \"HBW3\"\nnominal = 65\ntolerance = 60\n",
                               "--json");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json doc = nlohmann::json::parse(run.out);
    for (const char* member : {"version", "limits", "groups", "summary", "verdict", "warnings"})
        EXPECT_TRUE(doc.contains(member)) << member;
    EXPECT_EQ(doc["verdict"], "pass");
    ASSERT_EQ(doc["groups"].size(), 4u);
    for (const char* member : {"band", "port", "pol", "tilt", "indicator", "n", "min", "mean", "max", "std",
                               "worst", "bound", "margin", "verdict"})
        EXPECT_TRUE(doc["groups"][0].contains(member)) << member;
    ASSERT_EQ(doc["summary"].size(), 1u);
    EXPECT_EQ(doc["summary"][0]["n"], 12);
    EXPECT_EQ(doc["summary"][0]["verdict"], "pass");
    ASSERT_EQ(doc["warnings"].size(), 1u);
    EXPECT_NE(run.err.find("OTHER"), std::string::npos);
}

TEST(CheckCli, RefusedLimitsNameFileAndLineWithUsageStatus) {
    const Campaign& c = TheCampaign();
    const CliRun run =
        c.Check("[[band]]\nfrom = 1710\nto = 1880\n[[band.limit]]\nindicator = \"HBW\"\nmin = 1\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("limits.toml:5: unknown indicator \"HBW\""), std::string::npos) << run.err;
}

} // namespace

TEST(CheckCli, BundledSampleMeetsTheShippedExample) {
    const TempDir dir;
    std::string out, err;
    const int status =
        RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "c").string() +
                       "' check --limits '" QUADREL_SOURCE_DIR
                       "/resources/limits/QX6518.toml' '" QUADREL_SOURCE_DIR "/samples/campaign'",
                   &out, &err);
    EXPECT_EQ(status, 0) << err;
    EXPECT_TRUE(out.size() > 5 && out.substr(out.size() - 5) == "PASS\n") << out;
    EXPECT_EQ(err, "");
}
