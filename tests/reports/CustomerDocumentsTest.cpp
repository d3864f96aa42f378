#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "reports/ReportTestSupport.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// One campaign whose frequencies and tilts sort differently as text and as numbers, exported once in
// each language, with both workbooks; every test reads the same documents back.
class CustomerDocuments : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        const std::string cli = QUADREL_CLI_PATH;
        const std::string config = " --config-dir '" + (s_dir->Path() / "config").string() + "' ";
        const std::string campaign = (s_dir->Path() / "campaign").string();
        std::string out, err;
        ASSERT_EQ(RunCommand(cli + " generate --out '" + campaign +
                                 "' --ports 1 --tilts 10,0,5 --freqs 1710,790,960",
                             &out, &err),
                  0)
            << err;
        fs::create_directories(s_dir->Path() / "out");
        for (const char* language : {"en", "zh"})
            ASSERT_EQ(RunCommand(cli + config + "export --out '" + (s_dir->Path() / "out").string() +
                                     "' --word1 --raw-xlsx --result-xlsx --lang " + language + " '" +
                                     campaign + "'",
                                 &out, &err),
                      0)
                << err;
        ASSERT_EQ(RunCommand(cli + config + "analyse --json '" + campaign + "'", &out, &err), 0) << err;
        s_analysis = new json(json::parse(out));
        ASSERT_EQ(RunCommand(cli + config + "load --json '" + campaign + "'", &out, &err), 0) << err;
        s_loaded = new json(json::parse(out));
    }
    static void TearDownTestSuite() {
        delete s_analysis;
        delete s_loaded;
        delete s_dir;
    }
    static std::string Report(const std::string& name) {
        return (s_dir->Path() / "out/report" / name).string();
    }
    // A file's record from `analyse --json` (analysed) or `load --json` (loaded).
    static const json& Record(const std::string& fileName, bool analysed) {
        for (const json& file : (analysed ? *s_analysis : *s_loaded)["files"])
            if (file["key"].get<std::string>().ends_with(fileName)) return file;
        static const json none;
        ADD_FAILURE() << "not analysed: " << fileName;
        return none;
    }

    static TempDir* s_dir;
    static json* s_analysis;
    static json* s_loaded;
};
TempDir* CustomerDocuments::s_dir = nullptr;
json* CustomerDocuments::s_analysis = nullptr;
json* CustomerDocuments::s_loaded = nullptr;

const char* const kEnglish = "Antenna test report of QX6518.docx";
const char* const kChinese = "QX6518天线测试报告.docx";
const char* const kRawData = "Norvan_QX6518_RawData_20261208.xlsx";
const char* const kResult = "AnalysisResult_Proj7_QX6518_SN00001_20261208.xlsx";

std::vector<std::string> Names(const json& sheets) {
    std::vector<std::string> names;
    for (const json& sheet : sheets) names.push_back(sheet["name"]);
    return names;
}

const json& Sheet(const json& book, const std::string& name) {
    for (const json& sheet : book["sheets"])
        if (sheet["name"] == name) return sheet;
    static const json none = json::object({{"cells", json::object()}});
    ADD_FAILURE() << "no sheet " << name;
    return none;
}

} // namespace

TEST_F(CustomerDocuments, RawDataLevelsStandBesideTheirAnglesInNumericOrderWithoutNoise) {
    const json book = ReadDocument("xlsx", Report(kRawData));
    const std::vector<std::string> expectedSheets{
        "Info",       "p1 co e 00", "p1 co e 50",  "p1 co e 100", "p1 co h 00", "p1 co h 50", "p1 co h 100",
        "p1 cr e 00", "p1 cr e 50", "p1 cr e 100", "p1 cr h 00",  "p1 cr h 50", "p1 cr h 100"};
    EXPECT_EQ(Names(book["sheets"]), expectedSheets);
    // Per sheet and frequency column: the row of the largest level carries the angle of the maximum
    // that analyse reports (vertical cuts) or, as the analysis turns a horizontal maximum to 0°, that
    // load reports (horizontal cuts).
    const struct {
        const char* sheet;
        const char* file;
        const char* column;
        const char* maximum;
    } cases[] = {
        {"p1 co e 00", "p1_p45_e_co_0_0_790.msi", "B", "Vmax"},
        {"p1 co e 50", "p1_p45_e_co_5_0_960.msi", "C", "Vmax"},
        {"p1 co e 100", "p1_p45_e_co_10_0_1710.msi", "D", "Vmax"},
        {"p1 co h 50", "p1_p45_h_co_5_0_790.msi", "B", "Hmax"},
        {"p1 co h 100", "p1_p45_h_co_10_0_1710.msi", "D", "Hmax"},
    };
    for (const auto& c : cases) {
        const json& cells = Sheet(book, c.sheet)["cells"];
        EXPECT_EQ(cells["B1"], 790) << c.sheet;
        EXPECT_EQ(cells["C1"], 960) << c.sheet;
        EXPECT_EQ(cells["D1"], 1710) << c.sheet;
        double best = -1e9, bestAngle = 0, previousAngle = -1e9;
        for (int row = 2; cells.contains("A" + std::to_string(row)); ++row) {
            const double angle = cells["A" + std::to_string(row)];
            EXPECT_GT(angle, previousAngle) << c.sheet << " row " << row << ": rows in ascending angle";
            previousAngle = angle;
            const std::string cell = std::string(c.column) + std::to_string(row);
            if (cells.contains(cell) && cells[cell].get<double>() > best) {
                best = cells[cell];
                bestAngle = angle;
            }
        }
        const json& record = Record(c.file, std::string(c.maximum) == "Vmax");
        EXPECT_EQ(bestAngle, record[c.maximum]["fAngle"].get<double>()) << c.sheet << " " << c.file;
    }
    // The generated files hold levels with two decimals: the cells hold exactly those numbers.
    size_t levels = 0;
    for (const json& sheet : book["sheets"])
        for (const auto& [ref, value] : sheet["cells"].items())
            if (value.is_number() && ref[0] != 'A' && ref.substr(1) != "1") {
                ++levels;
                const double hundredths = value.get<double>() * 100.0;
                ASSERT_NEAR(hundredths, std::round(hundredths), 1e-6)
                    << sheet["name"] << " " << ref << " " << value;
                ASSERT_EQ(value.get<double>(), std::round(hundredths) / 100.0) << "float noise in " << ref;
            }
    EXPECT_GT(levels, 10000u);
}

TEST_F(CustomerDocuments, ReportsReadInNumericOrderWithoutNoValueMarkers) {
    const struct {
        const char* report;
        std::vector<std::string> titles;
        const char* footer;
        const char* title;
    } cases[] = {
        {kEnglish,
         {"PORT：P1, POLARIZATION：+45, TILT：0", "PORT：P1, POLARIZATION：+45, TILT：5",
          "PORT：P1, POLARIZATION：+45, TILT：10"},
         "Page 1",
         "Antenna Test Report"},
        {kChinese,
         {"端口：P1, 极化：+45, 下倾角：0的方向图测试数据", "端口：P1, 极化：+45, 下倾角：5的方向图测试数据",
          "端口：P1, 极化：+45, 下倾角：10的方向图测试数据"},
         "第 1 页",
         "天线测试报告"},
    };
    for (const auto& c : cases) {
        const json doc = ReadDocument("docx", Report(c.report));
        std::vector<std::string> titles;
        for (const json& p : doc["paragraphs"])
            if (p.get<std::string>().find("：P1") != std::string::npos) titles.push_back(p);
        EXPECT_EQ(titles, c.titles) << c.report;
        EXPECT_EQ(doc["footer"], c.footer) << c.report;
        EXPECT_EQ(doc["title"], c.title) << c.report;
        EXPECT_TRUE(doc["update_fields"]) << c.report << ": contents refreshed on opening";
        bool notComputed = false;
        size_t resultTables = 0;
        double columnWidth = 0;
        for (size_t t = 0; t < doc["tables"].size(); ++t) {
            const json& table = doc["tables"][t];
            if (table[0][0] != "Frequency\n(MHz)") continue;
            ++resultTables;
            std::vector<std::string> frequencies;
            for (size_t r = 1; r < table.size(); ++r) frequencies.push_back(table[r][0]);
            EXPECT_EQ(frequencies, (std::vector<std::string>{"790", "960", "1710"}))
                << c.report << " table " << t;
            for (const json& row : table)
                for (const json& cell : row) {
                    EXPECT_NE(cell, "-0.00") << c.report << " table " << t;
                    EXPECT_NE(cell, "-999.00") << c.report << " table " << t;
                    notComputed = notComputed || cell == "—";
                }
            // Laid out for pages: the header repeats, rows stay whole, a title stays with its table.
            const json& layout = doc["table_layout"][t];
            EXPECT_TRUE(layout["header_rows"][0]) << c.report << " table " << t;
            for (size_t r = 1; r < layout["header_rows"].size(); ++r) EXPECT_FALSE(layout["header_rows"][r]);
            for (const json& cantSplit : layout["cant_split"])
                EXPECT_TRUE(cantSplit) << c.report << " table " << t;
            if (layout["before"].get<std::string>().find("：P1") != std::string::npos)
                EXPECT_TRUE(layout["before_keeps_with_next"]) << c.report << " table " << t;
            EXPECT_LE(layout["grid_width"].get<double>() * 635, doc["text_width"].get<double>())
                << c.report << " table " << t << ": the band fits the text width";
            // The last, narrower band keeps the others' column width instead of spreading out.
            const double perColumn = layout["grid_width"].get<double>() / table[0].size();
            if (resultTables == 1) columnWidth = perColumn;
            EXPECT_NEAR(perColumn, columnWidth, 1.0) << c.report << " table " << t;
        }
        EXPECT_TRUE(resultTables > 0 && resultTables % 3 == 0)
            << c.report << ": the same bands for each of three tilts";
        size_t footnotes = 0;
        for (const json& p : doc["paragraphs"])
            if (p.get<std::string>().rfind("— ", 0) == 0) ++footnotes;
        EXPECT_EQ(footnotes, notComputed ? 1u : 0u) << c.report;
        // Pictures cropped to the plot and its legend, as wide as the text.
        ASSERT_FALSE(doc["picture_sizes"].empty()) << c.report;
        const double textWidth = doc["text_width"];
        for (const json& size : doc["picture_sizes"]) {
            EXPECT_LE(size[0].get<double>(), textWidth) << c.report;
            EXPECT_GE(size[0].get<double>(), 0.9 * textWidth) << c.report;
        }
    }
}

TEST_F(CustomerDocuments, ResultWorkbookHeadersFitAndNumbersShowTwoDecimals) {
    const json book = ReadDocument("xlsx", Report(kResult));
    EXPECT_EQ(Names(book["sheets"]), (std::vector<std::string>{"Remark", "p1 0 0", "p1 5 0", "p1 10 0"}));
    for (const std::string name : {"p1 0 0", "p1 5 0", "p1 10 0"}) {
        const json& sheet = Sheet(book, name);
        const json& cells = sheet["cells"];
        EXPECT_EQ(cells["A2"], "Frequency\n(MHz)") << name << ": frequency first";
        EXPECT_EQ(cells["A3"], 790) << name;
        EXPECT_EQ(cells["A5"], 1710) << name;
        EXPECT_EQ(sheet["freeze"], "A3") << name << ": the header stays in view";
        EXPECT_GE(sheet["row_heights"]["2"].get<double>(), 26.0) << name << ": two header lines fit";
        for (const auto& [ref, value] : cells.items()) {
            const std::string column = ref.substr(0, ref.find_first_of("0123456789"));
            const std::string row = ref.substr(column.size());
            if (row == "2") {
                EXPECT_NE(std::find(sheet["wrapped"].begin(), sheet["wrapped"].end(), ref),
                          sheet["wrapped"].end())
                    << name << " " << ref << ": header wrapped";
                std::string text = value;
                size_t longest = 0;
                for (size_t begin = 0, end = 0; end != std::string::npos; begin = end + 1) {
                    end = text.find('\n', begin);
                    const std::string line = text.substr(begin, end - begin);
                    size_t characters = 0;
                    for (unsigned char ch : line) characters += (ch & 0xC0) != 0x80;
                    longest = std::max(longest, characters);
                }
                EXPECT_GE(sheet["column_widths"][column].get<double>(), static_cast<double>(longest))
                    << name << " " << ref;
            } else if (row != "1") {
                ASSERT_TRUE(value.is_number()) << name << " " << ref << ": " << value;
                EXPECT_NE(value, -999) << name << " " << ref;
                if (column != "A") EXPECT_EQ(sheet["formats"][ref], "0.00") << name << " " << ref;
            }
        }
    }
}
