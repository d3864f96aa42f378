#include "reports/DatasheetSection.h"

#include <string>
#include <vector>

#include "Inkwright.h"
#include "app/TextUtil.h"
#include "conformance/Conformance.h"

namespace {

struct Texts {
    const char* title;
    const char* limits;
    const char* verdict;
    const char* failing;
    std::vector<std::string> summaryHeader;
    std::vector<std::string> groupHeader;
};

const Texts kEnglish = {
    "Datasheet conformance",
    "Limits: ",
    "Verdict: ",
    "Groups that fail or have no data",
    {"Band", "Indicator", "n", "Typical", "±", "Min", "Max", "Verdict"},
    {"Band", "Port", "Pol", "Tilt", "Indicator", "n", "Worst", "Bound", "Margin", "Verdict"},
};
const Texts kChinese = {
    "规格书符合性",
    "指标文件：",
    "结论：",
    "不合格或无数据的分组",
    {"频段", "指标", "n", "典型值", "±", "最小", "最大", "结论"},
    {"频段", "端口", "极化", "下倾", "指标", "n", "最差值", "界限", "余量", "结论"},
};

std::string Number(float value) {
    return ConformanceNumber(value, "—");
}

// A table of a header row and `rows`; the last cell of every body row is a verdict, filled with
// its colour. The selection ends in the paragraph after the table.
void TypeTable(CInkwright& ink, const std::vector<std::string>& header,
               const std::vector<std::pair<std::vector<std::string>, Verdict>>& rows) {
    const int columns = static_cast<int>(header.size());
    ink.InsertTable(static_cast<int>(rows.size()) + 1, columns);
    ink.SetFontColor(kInkBlack);
    bool first = true;
    auto type = [&](const std::string& text) {
        if (!first) ink.SetFocusCol(1, kInkForward);
        first = false;
        ink.InsertText(text);
    };
    for (const std::string& cell : header) type(cell);
    for (const auto& [cells, verdict] : rows) {
        for (const std::string& cell : cells) type(cell);
        type(VerdictLabel(verdict));
        ink.SetCellShading(VerdictFill(verdict));
    }
    ink.SetFocusCol(1, kInkForward);
    ink.InsertParagraph(1);
}

} // namespace

void TypeDatasheetSection(CInkwright& ink, const PatternTable& table, const DatasheetLimits& limits,
                          bool chinese) {
    const Texts& t = chinese ? kChinese : kEnglish;
    const ConformanceResult result = CheckConformance(table, limits);
    ink.InsertText(t.title);
    ink.InsertParagraph(1);
    ink.InsertText(t.limits + LastPathComponent(limits.path));
    ink.InsertParagraph(1);
    std::string verdict = std::string(t.verdict) + VerdictLabel(result.verdict);
    if (result.verdict != Verdict::Pass)
        verdict += " (" + std::to_string(result.failing) + " / " + std::to_string(result.groups.size()) + ")";
    ink.InsertText(verdict);
    ink.InsertParagraph(1);

    std::vector<std::pair<std::vector<std::string>, Verdict>> summary;
    for (const ConformanceSummary& s : result.summary)
        summary.push_back({{limits.bands[s.band].name, s.indicator, std::to_string(s.n), Number(s.typical),
                            Number(s.tolerance), Number(s.min), Number(s.max)},
                           s.verdict});
    TypeTable(ink, t.summaryHeader, summary);

    std::vector<std::pair<std::vector<std::string>, Verdict>> failing;
    for (const ConformanceGroup& g : result.groups)
        if (g.verdict != Verdict::Pass)
            failing.push_back({{limits.bands[g.band].name, g.port, g.pol, g.tilt, g.indicator,
                                std::to_string(g.n), Number(g.worst), Number(g.bound), Number(g.margin)},
                               g.verdict});
    if (!failing.empty()) {
        ink.InsertText(t.failing);
        ink.InsertParagraph(1);
        TypeTable(ink, t.groupHeader, failing);
    }
    ink.InsertText(" ");
    ink.InsertParagraph(1);
}
