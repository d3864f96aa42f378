#include "CampaignTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

#include "app/TextUtil.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
TempDir& Scratch() {
    static TempDir dir;
    return dir;
}
} // namespace

GeneratedCampaign Generate(const CampaignOptions& requested) {
    static int counter = 0;
    CampaignOptions options = requested;
    options.outDir = (Scratch().Path() / ("campaign" + std::to_string(++counter))).string();
    CampaignSummary summary;
    std::string error;
    EXPECT_TRUE(GenerateCampaign(options, summary, error)) << error;
    GeneratedCampaign campaign{options.outDir, summary.testFolder, {}};
    std::string truth = ReadFileText(options.outDir + "/truth.json");
    campaign.truth = nlohmann::json::parse(truth.empty() ? "{}" : truth);
    return campaign;
}

const GeneratedCampaign& DefaultCampaign() {
    static const GeneratedCampaign campaign = Generate(CampaignOptions{});
    return campaign;
}

ParsedMsi ParseMsi(const std::string& text) {
    ParsedMsi parsed;
    size_t pos = 0;
    int dataLines = 0;
    bool skipNext = false;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line.back() != '\r') parsed.crlfEverywhere = false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (parsed.header.size() < 6) {
            parsed.header.push_back(line);
            continue;
        }
        if (skipNext) {
            skipNext = false;
            continue;
        }
        if (line.empty()) {
            parsed.blankLine = true;
            break;
        }
        size_t blank = line.find(' ');
        double angle = ParseLeadingDouble(line.substr(0, blank));
        double value = blank == std::string::npos ? 0.0 : ParseLeadingDouble(line.substr(blank + 1));
        if (angle > 180.0) angle -= 360.0;
        parsed.samples.push_back({static_cast<float>(angle), static_cast<float>(-value)});
        if (++dataLines == 360) skipNext = true;
    }
    return parsed;
}

std::vector<std::pair<double, double>> ParseCurve(const std::string& text) {
    std::vector<std::pair<double, double>> points;
    std::vector<std::string> lines = SplitAll(text, '\n');
    for (size_t i = 1; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) break;
        size_t blank = line.find(' ');
        points.emplace_back(ParseLeadingDouble(line.substr(0, blank)),
                            ParseLeadingDouble(line.substr(blank + 1)));
    }
    return points;
}

std::vector<std::string> RelativeFiles(const std::string& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}
