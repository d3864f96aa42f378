#include "BlankDocument.h"

namespace inkwright {
namespace {
constexpr const char* kTypes =
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(<Override PartName="/word/settings.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"/>)"
    R"(</Types>)";
constexpr const char* kPackageRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";
constexpr const char* kDocumentRels =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings" Target="settings.xml"/>)"
    R"(</Relationships>)";
constexpr const char* kDocument =
    R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing">)"
    R"(<w:body><w:p/><w:sectPr><w:pgSz w:w="11906" w:h="16838"/>)"
    R"(<w:pgMar w:top="1440" w:right="1134" w:bottom="1440" w:left="1134" w:header="720" w:footer="720" w:gutter="0"/>)"
    R"(</w:sectPr></w:body></w:document>)";
constexpr const char* kSettings =
    R"(<w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:defaultTabStop w:val="720"/></w:settings>)";

std::string Styles() {
    std::string styles =
        R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
        R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style>)";
    for (int level = 1; level <= 3; ++level) {
        const std::string n = std::to_string(level);
        styles += R"(<w:style w:type="paragraph" w:styleId="Heading)" + n + R"("><w:name w:val="heading )" +
                  n + R"("/><w:basedOn w:val="Normal"/><w:pPr><w:keepNext/><w:outlineLvl w:val=")" +
                  std::to_string(level - 1) + R"("/></w:pPr><w:rPr><w:b/><w:sz w:val=")" +
                  std::to_string(36 - 4 * level) + R"("/></w:rPr></w:style>)";
        styles += R"(<w:style w:type="paragraph" w:styleId="TOC)" + n + R"("><w:name w:val="toc )" + n +
                  R"("/><w:basedOn w:val="Normal"/><w:pPr><w:ind w:left=")" +
                  std::to_string(240 * (level - 1)) + R"("/></w:pPr></w:style>)";
    }
    styles +=
        R"(<w:style w:type="table" w:styleId="TableGrid"><w:name w:val="Table Grid"/><w:tblPr><w:tblBorders>)"
        R"(<w:top w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:left w:val="single" w:sz="4" w:space="0" w:color="auto"/>)"
        R"(<w:bottom w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:right w:val="single" w:sz="4" w:space="0" w:color="auto"/>)"
        R"(<w:insideH w:val="single" w:sz="4" w:space="0" w:color="auto"/><w:insideV w:val="single" w:sz="4" w:space="0" w:color="auto"/>)"
        R"(</w:tblBorders></w:tblPr></w:style></w:styles>)";
    return styles;
}
} // namespace

ooxml::Package BlankDocument() {
    ooxml::Package package;
    package.SetPart("[Content_Types].xml", kTypes);
    package.SetPart("_rels/.rels", kPackageRels);
    package.SetPart("word/document.xml", kDocument);
    package.SetPart("word/_rels/document.xml.rels", kDocumentRels);
    package.SetPart("word/styles.xml", Styles());
    package.SetPart("word/settings.xml", kSettings);
    return package;
}
} // namespace inkwright
