#include "inkwright/InkwrightTestSupport.h"

#include <functional>

#include "Package.h"
#include "XmlPart.h"

std::string SavedDocument::Part(const std::string& name) const {
    ooxml::Package package;
    std::string error;
    if (!package.Open(path, error) || !package.Part(name)) return {};
    return *package.Part(name);
}

SavedDocument SaveAndRead(CInkwright& ink, const TempDir& dir, const std::string& name) {
    SavedDocument saved;
    saved.path = (dir.Path() / name).string();
    ink.SaveAsDocument(saved.path);
    saved.documentXml = saved.Part("word/document.xml");
    ooxml::Package package;
    std::string error;
    if (package.Open(saved.path, error)) saved.partNames = package.PartNames();
    return saved;
}

std::string WriteDocument(const TempDir& dir, const std::string& name, const std::string& bodyXml) {
    CInkwright ink;
    ink.CreateDocument();
    const std::string path = (dir.Path() / name).string();
    ink.SaveAsDocument(path);
    ink.CloseDocument();
    ooxml::Package package;
    std::string error;
    package.Open(path, error);
    std::string xml = *package.Part("word/document.xml");
    const size_t body = xml.find("<w:body>") + 8;
    xml.replace(body, xml.find("<w:sectPr>") - body, bodyXml);
    package.SetPart("word/document.xml", xml);
    package.SaveAs(path, error);
    return path;
}

std::vector<std::string> ParagraphTexts(const std::string& documentXml) {
    tinyxml2::XMLDocument doc;
    std::vector<std::string> texts;
    if (!ooxml::ParseXml(documentXml, doc)) return texts;
    std::function<void(tinyxml2::XMLElement*, std::string&)> text = [&](tinyxml2::XMLElement* e,
                                                                        std::string& out) {
        for (auto* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
            const std::string name = c->Name();
            if (name == "w:t" && c->GetText())
                out += c->GetText();
            else if (name == "w:br")
                out += "\n";
            else if (name == "w:tab")
                out += "\t";
            else if (name == "w:drawing")
                out += "[picture]";
            else if (name != "w:p" && name != "w:pPr" && name != "w:rPr")
                text(c, out);
        }
    };
    std::function<void(tinyxml2::XMLElement*)> walk = [&](tinyxml2::XMLElement* e) {
        for (auto* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
            if (std::string(c->Name()) == "w:p") {
                std::string out;
                text(c, out);
                texts.push_back(out);
            } else {
                walk(c);
            }
        }
    };
    walk(doc.RootElement());
    return texts;
}
