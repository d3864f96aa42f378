#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ContentTypes.h"
#include "Package.h"
#include "Relationships.h"
#include "XmlPart.h"
#include "support/TestSupport.h"

using namespace ooxml;

namespace {
const char* kTypes = R"(<?xml version="1.0"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
  <Default Extension="XML" ContentType="application/xml"/>
  <Override PartName="/word/document.xml" ContentType="doc/main"/>
</Types>)";

// Text that deflates about as well as a sheet of numbers does.
std::string LowRatioText(size_t size) {
    std::string text;
    uint32_t state = 12345;
    while (text.size() < size) {
        state = state * 1664525u + 1013904223u;
        text += "<c>" + std::to_string(state % 100000) + "</c>";
    }
    text.resize(size);
    return text;
}

// Makes the bytes of the stored part `name` in a saved package unreadable.
void DamagePart(const std::string& path, const std::string& name) {
    std::string bytes = ReadFileText(path);
    const std::string header = std::string("PK\x03\x04", 4);
    for (size_t at = bytes.find(header); at != std::string::npos; at = bytes.find(header, at + 4)) {
        const auto u16 = [&](size_t i) {
            return size_t(uint8_t(bytes[i])) | size_t(uint8_t(bytes[i + 1])) << 8;
        };
        const size_t nameLength = u16(at + 26);
        if (bytes.compare(at + 30, nameLength, name) != 0) continue;
        const size_t data = at + 30 + nameLength + u16(at + 28);
        for (size_t i = data + 10; i < data + 60 && i < bytes.size(); ++i) bytes[i] = '\xFF';
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return;
    }
    FAIL() << name << " not found in " << path;
}

Package SmallPackage() {
    Package package;
    package.SetPart(kContentTypesPart, kTypes);
    package.SetPart("word/document.xml", "<w:document><w:t xml:space=\"preserve\"> </w:t></w:document>");
    return package;
}
} // namespace

TEST(OoxmlPackage, OpenRefusesWhatIsNoPackage) {
    TempDir dir;
    const std::string notZip = dir.Write("a.docx", "plain text, not a zip");
    const std::string empty = dir.Write("e.docx", "");
    Package noTypes;
    noTypes.SetPart("word/document.xml", "<x/>");
    std::string error;
    ASSERT_TRUE(noTypes.SaveAs((dir.Path() / "n.docx").string(), error)) << error;
    const struct {
        std::string path;
        const char* expected;
    } cases[] = {
        {(dir.Path() / "missing.docx").string(), "does not exist"},
        {notZip, "not an Office Open XML package"},
        {empty, "not an Office Open XML package"},
        {(dir.Path() / "n.docx").string(), "no content types"},
        {dir.Path().string(), "not a regular file"},
    };
    for (const auto& c : cases) {
        Package package;
        std::string message;
        EXPECT_FALSE(package.Open(c.path, message)) << c.path;
        EXPECT_NE(message.find(c.expected), std::string::npos) << c.path << ": " << message;
        EXPECT_TRUE(package.PartNames().empty());
    }
}

TEST(OoxmlPackage, SaveReopenKeepsEveryPartAndReplacesAtomically) {
    TempDir dir;
    const std::string path = (dir.Path() / "p.docx").string();
    Package package = SmallPackage();
    package.SetPart("word/media/a.png", std::string("\x89PNG\0\1", 6));
    std::string error;
    ASSERT_TRUE(package.SaveAs(path, error)) << error;
    package.SetPart("word/document.xml", "<w:document/>");
    package.RemovePart("word/media/a.png");
    ASSERT_TRUE(package.SaveAs(path, error)) << error;

    Package reopened;
    ASSERT_TRUE(reopened.Open(path, error)) << error;
    EXPECT_EQ(reopened.PartNames(), (std::vector<std::string>{kContentTypesPart, "word/document.xml"}));
    EXPECT_EQ(*reopened.Part("word/document.xml"), "<w:document/>");
    // No temporary file is left beside the package.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    // A save into a folder that does not exist fails and writes nothing.
    EXPECT_FALSE(package.SaveAs((dir.Path() / "none" / "p.docx").string(), error));
}

// Parts made while saving: written after the held ones, in their order, replacing a held part of
// their name; a part that cannot be made fails the save and leaves no file behind.
TEST(OoxmlPackage, GeneratedPartsAreMadeWhileSaving) {
    TempDir dir;
    const std::string big = LowRatioText(3'000'000); // larger than one read of the zip library
    auto text = [](std::string bytes) { return [bytes](std::string& out) { out += bytes; }; };
    const struct {
        const char* what;
        std::vector<GeneratedPart> generated;
        bool saved;
        std::vector<std::string> names;
        const char* document;
        const char* message = ""; // what the failed save says
    } cases[] = {
        {"none",
         {},
         true,
         {kContentTypesPart, "word/document.xml"},
         "<w:document><w:t xml:space=\"preserve\"> </w:t></w:document>"},
        {"several, after the held parts",
         {{"a/1.xml", text("<one/>")}, {"a/2.xml", text(big)}, {"a/3.xml", text("")}},
         true,
         {kContentTypesPart, "word/document.xml", "a/1.xml", "a/2.xml", "a/3.xml"},
         "<w:document><w:t xml:space=\"preserve\"> </w:t></w:document>"},
        {"one replacing a held part",
         {{"word/document.xml", text("<w:document/>")}},
         true,
         {kContentTypesPart, "word/document.xml"},
         "<w:document/>"},
        {"one that cannot be made",
         {{"a/1.xml", text("<one/>")}, {"a/2.xml", [](std::string&) { throw std::bad_alloc(); }}},
         false,
         {},
         "",
         "a/2.xml: std::bad_alloc"},
        {"one whose writer says why",
         {{"xl/worksheets/sheet1.xml",
           [](std::string&) { throw std::out_of_range("cell 42: value out of range"); }},
          {"a/2.xml", text("<two/>")}},
         false,
         {},
         "",
         "xl/worksheets/sheet1.xml: cell 42: value out of range"},
    };
    for (const auto& c : cases) {
        const std::string path = (dir.Path() / "g.docx").string();
        std::filesystem::remove(path);
        std::string error;
        EXPECT_EQ(SmallPackage().SaveAs(path, error, c.generated), c.saved) << c.what << ": " << error;
        if (!c.saved) {
            EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
            EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << c.what << ": nothing is left behind";
            continue;
        }
        Package reopened;
        ASSERT_TRUE(reopened.Open(path, error)) << c.what << ": " << error;
        EXPECT_EQ(reopened.PartNames(), c.names) << c.what;
        EXPECT_EQ(*reopened.Part("word/document.xml"), c.document) << c.what;
        for (const GeneratedPart& part : c.generated) {
            std::string expected;
            part.write(expected);
            EXPECT_EQ(*reopened.Part(part.name), expected) << c.what << ": " << part.name;
        }
    }
}

// Templates come from users: a part named outside the package, a zip bomb, a damaged part or a
// named pipe is refused with the part or the file named, and nothing of the package is kept.
TEST(OoxmlPackage, OpenRefusesHostileTemplates) {
    TempDir dir;
    const std::string fifo = (dir.Path() / "pipe.docx").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string sheet = LowRatioText(26u << 20);
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> parts;
        bool damage;
        const char* expected;
    } cases[] = {
        {"a parent step", {{"../../x", "<x/>"}}, false, "part \"../../x\" is named outside the package"},
        {"an absolute name", {{"/x", "<x/>"}}, false, "part \"/x\" is named outside the package"},
        {"a step inside", {{"word/../../x", "<x/>"}}, false, "named outside the package"},
        {"a part past 32 MiB",
         {{"word/big.xml", std::string(40u << 20, ' ')}},
         false,
         "part word/big.xml unpacks to more than 32 MiB"},
        {"a part of a bomb's ratio",
         {{"word/big.xml", std::string(5u << 20, ' ')}},
         false,
         "part word/big.xml unpacks to more than 200 times its packed size"},
        {"parts past 128 MiB together",
         {{"a.xml", sheet}, {"b.xml", sheet}, {"c.xml", sheet}, {"d.xml", sheet}, {"e.xml", sheet}},
         false,
         "the package unpacks to more than 128 MiB"},
        {"a damaged part",
         {{"word/document.xml", LowRatioText(20000)}},
         true,
         "the package part word/document.xml cannot be read"},
    };
    for (const auto& c : cases) {
        const std::string path = (dir.Path() / "t.docx").string();
        Package hostile = SmallPackage();
        for (const auto& [name, bytes] : c.parts) hostile.SetPart(name, bytes);
        std::string error;
        ASSERT_TRUE(hostile.SaveAs(path, error)) << c.what << ": " << error;
        if (c.damage) DamagePart(path, c.parts.front().first);
        Package package;
        EXPECT_FALSE(package.Open(path, error)) << c.what;
        EXPECT_NE(error.find(c.expected), std::string::npos) << c.what << ": " << error;
        EXPECT_NE(error.find(path), std::string::npos) << c.what << ": " << error;
        EXPECT_TRUE(package.PartNames().empty()) << c.what;
    }
    Package package;
    std::string error;
    EXPECT_FALSE(package.Open(fifo, error));
    EXPECT_NE(error.find("not a regular file: " + fifo), std::string::npos) << error;
    // A file too large to be a template is not even read (sparse: it costs no disk).
    const std::string huge = (dir.Path() / "huge.docx").string();
    std::filesystem::resize_file(dir.Write("huge.docx", ""), 200u << 20);
    EXPECT_FALSE(package.Open(huge, error));
    EXPECT_NE(error.find("the package is larger than 128 MiB: " + huge), std::string::npos) << error;
}

// Packages are written as every file of the program: under a short hidden temporary name, so a
// legal 250-byte name can be written and nothing visible is left; a temporary that a killed run
// left is removed by the next save into that folder.
TEST(OoxmlPackage, SaveUsesTheProgramsTemporaries) {
    TempDir dir;
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string stale = dir.Write(".qd" + std::to_string(dead) + "_7.tmp", "half a workbook");
    const std::string foreign = dir.Write("report.docx.tmp-AbCdEf", "not ours");
    const std::string longName = (dir.Path() / (std::string(245, 'm') + ".xlsx")).string();
    std::string error;
    ASSERT_TRUE(SmallPackage().SaveAs(longName, error)) << error;
    Package reopened;
    EXPECT_TRUE(reopened.Open(longName, error)) << error;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{std::string(245, 'm') + ".xlsx", "report.docx.tmp-AbCdEf"}));
}

TEST(OoxmlPackage, RelationshipsAndContentTypes) {
    Package package = SmallPackage();
    Relationships rels(package, "word/document.xml");
    EXPECT_EQ(rels.Add(kRelImage, "media/image1.png"), "rId1");
    EXPECT_EQ(rels.Add(kRelHeader, "header1.xml"), "rId2");
    rels.Store(package);
    ASSERT_TRUE(package.HasPart("word/_rels/document.xml.rels"));
    Relationships reread(package, "word/document.xml");
    ASSERT_NE(reread.FindById("rId2"), nullptr);
    EXPECT_EQ(reread.FindById("rId2")->type, kRelHeader);
    EXPECT_EQ(reread.Add(kRelImage, "media/image2.png"), "rId3");
    EXPECT_EQ(ResolveTarget("word/document.xml", reread.FindByType(kRelImage)->target),
              "word/media/image1.png");
    EXPECT_EQ(ResolveTarget("xl/workbook.xml", "../docProps/app.xml"), "docProps/app.xml");
    EXPECT_EQ(ResolveTarget("xl/workbook.xml", "/xl/worksheets/sheet1.xml"), "xl/worksheets/sheet1.xml");
    EXPECT_EQ(RelationshipsPartName(""), "_rels/.rels");

    ContentTypes types(package);
    EXPECT_EQ(types.TypeOf("word/document.xml"), "doc/main");
    EXPECT_EQ(types.TypeOf("/word/styles.XML"), "application/xml");
    types.SetDefault("png", "image/png");
    types.SetOverride("/word/header1.xml", "doc/header");
    types.Store(package);
    EXPECT_EQ(NormaliseXml(*package.Part(kContentTypesPart)),
              NormaliseXml(R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
                 <Default Extension="png" ContentType="image/png"/>
                 <Default Extension="xml" ContentType="application/xml"/>
                 <Override PartName="/word/document.xml" ContentType="doc/main"/>
                 <Override PartName="/word/header1.xml" ContentType="doc/header"/></Types>)"));
}

TEST(OoxmlXml, BlankRunTextSurvivesAndIndentationDoesNot) {
    const struct {
        const char* source;
        const char* normalised;
    } cases[] = {
        {"<a>\n  <t xml:space=\"preserve\"> </t>\n  <t>x</t>\n</a>",
         "<a><t xml:space=\"preserve\"> </t><t>x</t></a>"},
        {"<?xml version=\"1.0\"?><a><b/>\n<!-- a > b --><c>\t</c></a>", "<a><b/><!-- a > b --><c>\t</c></a>"},
        {"<a><b>1 &lt; 2</b></a>", "<a><b>1 &lt; 2</b></a>"},
        {"<a><b></a>", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(NormaliseXml(c.source), c.normalised) << c.source;
}

// A part that is no XML is refused with the line of the fault, counted in the part as written
// (kept blanks, which the parser is handed as character references, do not shift it).
TEST(OoxmlXml, FaultNamesTheLine) {
    const struct {
        const char* bytes;
        const char* expected;
    } cases[] = {
        {"<a><b/></a>", ""},
        {"<a>\n<b>\n</a>", "not well-formed XML at line 2 (XML_ERROR_MISMATCHED_ELEMENT)"}, // b is not closed
        {"<a>\n<t>\n\n</t>\n<b></c>\n</a>", "not well-formed XML at line 5 (XML_ERROR_MISMATCHED_ELEMENT)"},
        {"", "not well-formed XML (XML_ERROR_EMPTY_DOCUMENT)"},
        {"<?xml version=\"1.0\"?>", "no root element"},
    };
    for (const auto& c : cases) EXPECT_EQ(XmlFault(c.bytes), c.expected) << c.bytes;
}
