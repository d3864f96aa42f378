#include "reports/ReportJob.h"

#include <algorithm>
#include <filesystem>

#include "Inkwright.h"
#include "Package.h"
#include "Relationships.h"
#include "XmlPart.h"
#include "plot/PlotState.h"
#include "reports/ReportTexts.h"

namespace {

void CollectParagraphTexts(const tinyxml2::XMLElement* element, std::vector<std::string>& out) {
    for (const tinyxml2::XMLElement* c = element->FirstChildElement(); c; c = c->NextSiblingElement()) {
        if (std::string_view(c->Name()) == "w:p") {
            std::string text;
            std::vector<const tinyxml2::XMLElement*> stack{c};
            while (!stack.empty()) {
                const tinyxml2::XMLElement* e = stack.back();
                stack.pop_back();
                if (std::string_view(e->Name()) == "w:t" && e->GetText()) text += e->GetText();
                std::vector<const tinyxml2::XMLElement*> children;
                for (const tinyxml2::XMLElement* k = e->FirstChildElement(); k; k = k->NextSiblingElement())
                    children.push_back(k);
                stack.insert(stack.end(), children.rbegin(), children.rend());
            }
            out.push_back(text);
        } else {
            CollectParagraphTexts(c, out);
        }
    }
}

} // namespace

std::unique_ptr<ReportJob> MakeReportJob(const CQuadrelDoc& doc, const ExportState& state, bool format1,
                                         bool format2) {
    auto job = std::make_unique<ReportJob>(
        ReportJob{doc, state, format1, format2, {}, kCaptureStandardWindow1, {604, 404}, {}, {}});
    job->plot = LoadPlotState(doc);
    const int mode =
        LoadCaptureMode([&doc](std::string_view s, std::string_view k) { return doc.ReadConfig(s, k); });
    // The report pictures have the fixed sizes of the two standard windows; without a window to
    // grab, the other modes take the first.
    job->captureMode = mode == kCaptureStandardWindow2 ? kCaptureStandardWindow2 : kCaptureStandardWindow1;
    job->viewSize = job->captureMode == kCaptureStandardWindow2 ? PixelSize{454, 454} : PixelSize{604, 404};
    job->doc.AttachConfig(nullptr);
    job->doc.SetNotifier(nullptr);
    job->doc.SetListener(nullptr);
    return job;
}

std::vector<std::string> ReportPictures(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_directory(ec) || name.empty() || name[0] == '.' ||
            name.find("Thumbs") != std::string::npos)
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string CheckReportFiles(const std::string& templatePath, const std::string& outputPath) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(templatePath, ec)) return kTemplateMissing;
    if (DocumentInUse(templatePath)) return kTemplateInUse;
    const auto entry = std::filesystem::symlink_status(outputPath, ec);
    if (ec || !std::filesystem::exists(entry)) return {};
    // A named pipe or a folder at the report's name would be replaced or waited on: neither is a
    // report a person holds open. A link is the writer's to replace.
    if (!std::filesystem::is_regular_file(entry) && !std::filesystem::is_symlink(entry))
        return kOutputNotAFile + outputPath;
    if (DocumentInUse(outputPath)) return kOutputInUse;
    return {};
}

std::vector<std::string> MissingPlaceholders(const std::string& templatePath,
                                             const std::vector<std::string>& texts) {
    ooxml::Package package;
    std::string error;
    std::vector<std::string> paragraphs;
    // A template that is no document package is reported when the report opens it.
    if (!package.Open(templatePath, error)) return {};
    {
        const ooxml::Relationships rels(package, "");
        const ooxml::Relationship* main = rels.FindByType(ooxml::kRelOfficeDocument);
        const std::string* bytes = main ? package.Part(ooxml::ResolveTarget("", main->target)) : nullptr;
        tinyxml2::XMLDocument doc;
        if (!bytes || !ooxml::ParseXml(*bytes, doc)) return {};
        CollectParagraphTexts(doc.RootElement(), paragraphs);
    }
    std::vector<std::string> missing;
    for (const std::string& text : texts) {
        const bool found = std::any_of(paragraphs.begin(), paragraphs.end(), [&text](const std::string& p) {
            return p.find(text) != std::string::npos;
        });
        if (!found) missing.push_back(text);
    }
    return missing;
}
