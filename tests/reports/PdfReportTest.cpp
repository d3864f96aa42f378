#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "Inkwright.h"
#include "reports/ContentsPages.h"
#include "reports/ReportTestSupport.h"

namespace fs = std::filesystem;

namespace {

bool Have(const char* program) {
    std::string out;
    return RunCommand(std::string("command -v ") + program, &out) == 0;
}

int ExportWithPdf(const TempDir& dir, const std::string& environment, const std::string& language,
                  std::string& err) {
    fs::create_directories(dir.Path() / "out");
    std::string out;
    return RunCommand(environment + " " QUADREL_CLI_PATH " --config-dir '" +
                          (dir.Path() / "config").string() + "' export --pdf --word1 --word2 --lang " +
                          language + " --out '" + (dir.Path() / "out").string() +
                          "' '" QUADREL_SOURCE_DIR "/samples/campaign'",
                      &out, &err);
}

// The text of every page of a PDF.
std::vector<std::string> Pages(const std::string& pdf) {
    std::string out;
    EXPECT_EQ(RunCommand("pdftotext -layout '" + pdf + "' -", &out), 0);
    std::vector<std::string> pages;
    size_t begin = 0;
    for (size_t end; (end = out.find('\f', begin)) != std::string::npos; begin = end + 1)
        pages.push_back(out.substr(begin, end - begin));
    return pages;
}

} // namespace

TEST(PdfReports, HeadingsAreFoundOnTheirPrintedPages) {
    const std::vector<std::string> pages{"Title\n", "Contents\n1 Scope ........ 2\n2 Results ...... 2\n",
                                         "  1 Scope\ntext\n", "more\n   2 Results  \n", "4 Pictures\n"};
    const struct {
        std::vector<ContentsEntry> entries;
        std::vector<int> expected;
    } cases[] = {
        {{{"1 Scope", 2}, {"2 Results", 2}}, {3, 4}},
        // Not printed anywhere: the entry keeps its number.
        {{{"1 Scope", 2}, {"9 Missing", 7}, {"2 Results", 2}}, {3, 7, 4}},
        // A heading is looked for at or after the page of the one before it.
        {{{"4 Pictures", 1}, {"1 Scope", 1}}, {5, 1}},
    };
    for (const auto& c : cases) {
        std::vector<int> found;
        for (const ContentsEntry& e : PrintedPages(c.entries, pages)) found.push_back(e.page);
        EXPECT_EQ(found, c.expected);
    }
}

TEST(PdfReports, PagesAreLearntFromACopyEndingAfterTheLastHeading) {
    TempDir dir;
    const std::string report = (dir.Path() / "report.docx").string();
    {
        CInkwright ink;
        ink.CreateDocument();
        for (const char* text : {"1 Scope", "text", "2 Pictures", "intro", "(1)cut", "(2)cut", "(3)cut"}) {
            ink.InsertText(text);
            ink.InsertParagraph(1);
        }
        ink.SaveAsDocument(report);
        ink.CloseDocument();
    }
    const std::string copy = (dir.Path() / "copy.docx").string();
    const struct {
        const char* lastHeading;
        bool written;
        std::vector<std::string> paragraphs;
    } cases[] = {
        // The heading and the two paragraphs after it, which it may keep with on its page.
        {"2 Pictures", true, {"1 Scope", "text", "2 Pictures", "intro", "(1)cut"}},
        {"(3)cut", true, {"1 Scope", "text", "2 Pictures", "intro", "(1)cut", "(2)cut", "(3)cut", ""}},
        {"3 Missing", false, {}},
    };
    for (const auto& c : cases) {
        fs::remove(copy);
        std::string error;
        EXPECT_EQ(WriteLeadingCopy(report, copy, c.lastHeading, error), c.written) << c.lastHeading;
        if (!c.written) continue;
        EXPECT_EQ(ReadDocument("docx", copy)["paragraphs"].get<std::vector<std::string>>(), c.paragraphs)
            << c.lastHeading;
    }
}

// The PDF's contents give the pages its headings are printed on, in both languages; the report
// itself carries the same numbers afterwards.
TEST(PdfReports, OfficeSuiteWritesPdfWithTheRightContents) {
    if (!Have("soffice") || !Have("pdftotext")) GTEST_SKIP() << "LibreOffice or poppler-utils not installed";
    for (const auto& [language, name] :
         {std::pair<std::string, std::string>{"en", "Antenna test report of QX6518"},
          {"zh", "QX6518天线测试报告"}}) {
        TempDir dir;
        std::string err;
        ASSERT_EQ(ExportWithPdf(dir, "", language, err), 0) << err;
        const std::string report = (dir.Path() / "out/report" / name).string();
        ASSERT_TRUE(fs::exists(report + ".pdf")) << err;
        ASSERT_TRUE(fs::exists((dir.Path() / "out/report/Norvan_Test_Report2.pdf")));
        const std::vector<std::string> pages = Pages(report + ".pdf");
        const std::regex entry(R"(^\s*(\S.*?\S)\s*\.{3,}\s*(\d+)\s*$)");
        size_t checked = 0;
        std::istringstream contents(pages.at(1));
        for (std::string line; std::getline(contents, line);) {
            std::smatch m;
            if (!std::regex_match(line, m, entry)) continue;
            const int page = std::stoi(m[2]);
            ASSERT_LE(page, static_cast<int>(pages.size())) << line;
            bool there = false;
            std::istringstream printed(pages[page - 1]);
            for (std::string l; std::getline(printed, l);)
                there = there ||
                        std::regex_match(
                            l, std::regex(R"(\s*)" +
                                          std::regex_replace(m[1].str(), std::regex(R"([.^$|()\[\]{}*+?\\])"),
                                                             R"(\$&)") +
                                          R"(\s*)"));
            EXPECT_TRUE(there) << language << ": \"" << m[1] << "\" is not on page " << page;
            ++checked;
        }
        EXPECT_GE(checked, 4u) << language;
        std::vector<int> numbers;
        for (const ContentsEntry& e : ReadContentsEntries(report + ".docx")) numbers.push_back(e.page);
        EXPECT_GT(numbers.back(), 4) << "the pattern pictures follow several pages of tables";
    }
}

TEST(PdfReports, WithoutOfficeSuiteTheReportsStayAndTheRunFails) {
    TempDir dir;
    std::string err;
    fs::create_directories(dir.Path() / "bin");
    // A PATH without LibreOffice.
    EXPECT_EQ(ExportWithPdf(dir, "PATH='" + (dir.Path() / "bin").string() + "'", "en", err), 1) << err;
    EXPECT_NE(err.find("No PDF written: LibreOffice is not installed"), std::string::npos) << err;
    EXPECT_EQ(err.find("Data Export Success"), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(dir.Path() / "out/report/Antenna test report of QX6518.docx"));
    EXPECT_TRUE(fs::exists(dir.Path() / "out/report/Norvan_Test_Report2.docx"));
    EXPECT_FALSE(fs::exists(dir.Path() / "out/report/Antenna test report of QX6518.pdf"));
}
