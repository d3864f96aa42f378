#include "export/WorkbookStyles.h"

#include "Package.h"
#include "XmlPart.h"

namespace {

// Appends `child` to the list `name` of the style sheet and returns its index; the list's count
// follows.
int AppendToList(tinyxml2::XMLElement* root, const char* name, tinyxml2::XMLElement* child) {
    tinyxml2::XMLElement* list = root->FirstChildElement(name);
    if (!list) return -1;
    int index = 0;
    for (auto* e = list->FirstChildElement(); e; e = e->NextSiblingElement()) ++index;
    list->InsertEndChild(child);
    list->SetAttribute("count", index + 1);
    return index;
}

} // namespace

std::array<int, kCellStyleCount> AddCellStyles(ooxml::Package& package, const std::string& stylesPart) {
    std::array<int, kCellStyleCount> indexes{};
    const std::string* bytes = stylesPart.empty() ? nullptr : package.Part(stylesPart);
    tinyxml2::XMLDocument doc;
    if (!bytes || !ooxml::ParseXml(*bytes, doc) || !doc.RootElement()) return indexes;
    tinyxml2::XMLElement* root = doc.RootElement();
    if (!root->FirstChildElement("fonts") || !root->FirstChildElement("cellXfs")) return indexes;

    // The bold face of the default font, so the header keeps the template's typeface and size.
    const tinyxml2::XMLElement* defaultFont = root->FirstChildElement("fonts")->FirstChildElement("font");
    tinyxml2::XMLElement* bold =
        defaultFont ? defaultFont->DeepClone(&doc)->ToElement() : doc.NewElement("font");
    if (!bold->FirstChildElement("b")) bold->InsertFirstChild(doc.NewElement("b"));
    const int boldFont = AppendToList(root, "fonts", bold);

    tinyxml2::XMLElement* header = doc.NewElement("xf");
    header->SetAttribute("numFmtId", 0);
    header->SetAttribute("fontId", boldFont);
    header->SetAttribute("fillId", 0);
    header->SetAttribute("borderId", 0);
    header->SetAttribute("xfId", 0);
    header->SetAttribute("applyFont", 1);
    header->SetAttribute("applyAlignment", 1);
    tinyxml2::XMLElement* alignment = ooxml::AppendElement(header, "alignment");
    alignment->SetAttribute("horizontal", "center");
    alignment->SetAttribute("vertical", "center");
    alignment->SetAttribute("wrapText", 1);
    indexes[static_cast<size_t>(CellStyle::Header)] = AppendToList(root, "cellXfs", header);

    tinyxml2::XMLElement* decimals = doc.NewElement("xf");
    decimals->SetAttribute("numFmtId", 2); // built in: 0.00
    decimals->SetAttribute("fontId", 0);
    decimals->SetAttribute("fillId", 0);
    decimals->SetAttribute("borderId", 0);
    decimals->SetAttribute("xfId", 0);
    decimals->SetAttribute("applyNumberFormat", 1);
    indexes[static_cast<size_t>(CellStyle::TwoDecimals)] = AppendToList(root, "cellXfs", decimals);

    for (int& index : indexes)
        if (index < 0) index = 0;
    package.SetPart(stylesPart, ooxml::SerialiseXml(doc));
    return indexes;
}

int AddFillFormat(ooxml::Package& package, const std::string& stylesPart, const std::string& rgb) {
    const std::string* bytes = stylesPart.empty() ? nullptr : package.Part(stylesPart);
    tinyxml2::XMLDocument doc;
    if (!bytes || !ooxml::ParseXml(*bytes, doc) || !doc.RootElement()) return 0;
    tinyxml2::XMLElement* root = doc.RootElement();
    tinyxml2::XMLElement* fill = doc.NewElement("fill");
    tinyxml2::XMLElement* pattern = ooxml::AppendElement(fill, "patternFill");
    pattern->SetAttribute("patternType", "solid");
    ooxml::AppendElement(pattern, "fgColor")->SetAttribute("rgb", ("FF" + rgb).c_str());
    ooxml::AppendElement(pattern, "bgColor")->SetAttribute("indexed", 64);
    const int fillId = AppendToList(root, "fills", fill);
    if (fillId < 0) return 0;
    tinyxml2::XMLElement* format = doc.NewElement("xf");
    for (const char* zero : {"numFmtId", "fontId", "borderId", "xfId"}) format->SetAttribute(zero, 0);
    format->SetAttribute("fillId", fillId);
    format->SetAttribute("applyFill", 1);
    const int index = AppendToList(root, "cellXfs", format);
    if (index < 0) return 0;
    package.SetPart(stylesPart, ooxml::SerialiseXml(doc));
    return index;
}
