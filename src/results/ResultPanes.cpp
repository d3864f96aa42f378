#include "results/ResultPanes.h"

#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "results/IndicatorLines.h"

namespace {
bool HasLoadedPartner(const CQuadrelDoc& doc, const std::string& path) {
    return doc.Find(CoCrossPartner(path)) || doc.Find(PlanePartner(path)) ||
           doc.Find(PolarisationPartner(path));
}

bool ShowsCurrentResults(const CQuadrelDoc& doc) {
    const auto& selected = doc.selectionList;
    if (selected.size() == 1) return true;
    if (selected.size() == 2) return HasLoadedPartner(doc, selected[0]) || HasLoadedPartner(doc, selected[1]);
    return false;
}

// The file name fields 6 to 12 joined with "_": the name of a pattern of the naming scheme.
std::string JoinedName(const NameFields& names) {
    std::string joined = names[kFieldPort];
    for (int field = kFieldPort + 1; field <= kFieldFrequency; ++field) joined += "_" + names[field];
    return joined;
}

void HeadingLines(const PatternFile& file, ResultBlock block, std::vector<std::string>& lines) {
    const bool coPolar = block == ResultBlock::VerticalCo || block == ResultBlock::HorizontalCo;
    switch (block) {
    case ResultBlock::None:
        return;
    case ResultBlock::Msi:
        lines.push_back("File Name : " + file.fileName);
        return;
    default:
        break;
    }
    lines.emplace_back();
    if (coPolar) lines.push_back("Antenna type : " + ToUpper(file.names[kFieldModel]));
    lines.push_back("File Name : " + JoinedName(file.names));
    if (coPolar) lines.push_back("Date : " + file.names[3]);
}
} // namespace

std::vector<std::string> BuildCurrentResultLines(const CQuadrelDoc& doc,
                                                 const std::optional<std::string>& readout) {
    std::vector<std::string> lines;
    if (!ShowsCurrentResults(doc)) return lines;
    for (const std::string& path : doc.selectionList) {
        const PatternFile* file = doc.Find(path);
        if (!file) continue;
        const ResultBlock block = BlockOf(*file);
        HeadingLines(*file, block, lines);
        if (block != ResultBlock::None) AppendIndicatorLines(doc, *file, lines);
    }
    if (readout) {
        lines.emplace_back();
        lines.emplace_back("=====Mark Information=====");
        lines.push_back(*readout);
    }
    return lines;
}

std::vector<std::vector<std::string>> BuildAllResultRows(const CQuadrelDoc& doc) {
    std::vector<std::vector<std::string>> rows;
    if (doc.selectionList.empty()) return rows;
    const size_t columns = doc.selectionList.size();
    rows.assign(kAllResultsRows, std::vector<std::string>(columns));
    for (size_t column = 0; column < columns; ++column) {
        const std::string& path = doc.selectionList[column];
        const PatternFile* file = doc.Find(path);
        rows[0][column] = "File Name : " + (file ? file->fileName : LastPathComponent(path));
        if (!file) continue;
        const ResultBlock block = BlockOf(*file);
        if (block == ResultBlock::None) continue;
        std::vector<std::string> lines;
        AppendIndicatorLines(doc, *file, lines);
        size_t row = block == ResultBlock::Msi ? 1 : 3;
        for (const std::string& line : lines) {
            if (row >= kAllResultsRows) break;
            rows[row++][column] = line;
        }
    }
    return rows;
}
