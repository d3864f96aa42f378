// Every operation of the library, each on a document of its own, read back by python-docx: what a
// word processor's reader finds, not what our own XML writer meant to write.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "inkwright/InkwrightTestSupport.h"

namespace {
// A 2 x 1 bitmap, 24 bits, one row of 8 bytes.
std::string TinyBitmap() {
    std::string b = "BM";
    auto le32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    for (uint32_t v : {62u, 0u, 54u, 40u, 2u, 1u}) le32(v);
    b += std::string("\x01\x00\x18\x00", 4);
    for (uint32_t v : {0u, 8u, 2835u, 2835u, 0u, 0u}) le32(v);
    return b + std::string(8, '\x40');
}

void FillTable(CInkwright& ink, std::initializer_list<const char*> cells) {
    for (const char* cell : cells) {
        ink.InsertText(cell);
        ink.SetFocusCol(1, kInkForward);
    }
}
} // namespace

TEST(InkwrightOperations, EachReadBackByPythonDocx) {
    TempDir dir;
    const std::string picture = dir.Write("cut.bmp", TinyBitmap());
    const std::string headings = WriteDocument(
        dir, "headings.docx",
        "<w:p><w:r><w:t>Cover</w:t></w:r></w:p><w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr><w:r><w:t>"
        "Scope</w:t></w:r></w:p><w:p><w:r><w:br w:type=\"page\"/></w:r></w:p><w:p><w:pPr><w:pStyle "
        "w:val=\"Heading1\"/></w:pPr><w:r><w:t>Results</w:t></w:r></w:p>");
    const std::string texts = "'|'.join(p.text for p in d.paragraphs)";
    const std::string table = "'|'.join(','.join(c.text for c in r.cells) for r in d.tables[0].rows)";
    struct Case {
        const char* operations;
        std::function<void(CInkwright&)> run;
        std::string python; // an expression over the document `d`
        std::string expected;
    };
    const Case cases[] = {
        {"InitialApp ShowDocument HideDocument InsertText InsertParagraph",
         [](CInkwright& ink) {
             EXPECT_EQ(ink.InitialApp(), 1);
             ink.ShowDocument();
             ink.HideDocument();
             ink.InsertText("a");
             ink.InsertParagraph(2);
             ink.InsertText("b");
         },
         texts, "a||b"},
        {"InsertTable SetFocusCol",
         [](CInkwright& ink) {
             ink.InsertTable(2, 2), FillTable(ink, {"1", "2", "3", "4"});
         },
         table, "1,2|3,4"},
        {"InsertTableRow",
         [](CInkwright& ink) {
             ink.InsertTable(1, 2);
             FillTable(ink, {"1", "2"});
             ink.SetFocusTable(1, kInkBackward);
             ink.InsertTableRow(1, kInkForward);
             ink.InsertText("n");
         },
         table, "1,2|n,"},
        {"InsertTableCol",
         [](CInkwright& ink) {
             ink.InsertTable(1, 2);
             FillTable(ink, {"1", "2"});
             ink.SetFocusTable(1, kInkBackward);
             ink.InsertTableCol(1, kInkBackward);
             ink.InsertText("n");
         },
         table, "n,1,2"},
        {"CopyTableRow",
         [](CInkwright& ink) {
             ink.InsertTable(1, 2);
             FillTable(ink, {"1", "2"});
             ink.SetFocusTable(1, kInkBackward);
             ink.CopyTableRow();
         },
         table, "1,2|1,2"},
        {"CopyTableCol",
         [](CInkwright& ink) {
             ink.InsertTable(2, 1);
             FillTable(ink, {"1", "2"});
             ink.SetFocusTable(1, kInkBackward);
             ink.CopyTableCol();
         },
         table, "1,1|2,2"},
        {"DeleteCurrentTable",
         [](CInkwright& ink) {
             ink.InsertTable(1, 1);
             ink.DeleteCurrentTable();
         },
         "len(d.tables)", "0"},
        {"SetFontColor",
         [](CInkwright& ink) {
             ink.SetFontColor(kInkRed);
             ink.InsertText("red");
         },
         "[str(r.font.color.rgb) for r in d.paragraphs[0].runs]", "['FF0000']"},
        {"SetBgColor",
         [](CInkwright& ink) {
             ink.InsertText("plain marked");
             ink.FindAndReplace("marked", "", kInkReplaceNone); // selects it
             ink.SetBgColor(kInkYellow);
         },
         "[r.text for r in d.paragraphs[0].runs if r.font.highlight_color is not None]", "['marked']"},
        {"SetCellShading",
         [](CInkwright& ink) {
             ink.InsertTable(1, 1);
             ink.SetCellShading("C6EFCE");
         },
         "d.tables[0].cell(0, 0)._tc.xpath('./w:tcPr/w:shd/@w:fill')", "['C6EFCE']"},
        {"SetHeadingRows",
         [](CInkwright& ink) {
             ink.InsertTable(2, 1);
             ink.SetHeadingRows(1);
         },
         "[len(r._tr.xpath('./w:trPr/w:tblHeader')) for r in d.tables[0].rows]", "[1, 0]"},
        {"KeepWithNext",
         [](CInkwright& ink) {
             ink.InsertText("title");
             ink.KeepWithNext(1);
         },
         "d.paragraphs[0].paragraph_format.keep_with_next", "True"},
        {"InsertPicture SetFocusPicture",
         [&picture](CInkwright& ink) {
             ink.InsertPicture(picture);
             ink.InsertParagraph(1);
             ink.InsertPicture(picture);
             ink.SetFocusPicture(1, kInkBackward);
             ink.InsertText("<");
         },
         "[(s.width, s.height) for s in d.inline_shapes], d.paragraphs[0].text",
         "([(19050, 9525), (19050, 9525)], '<')"},
        {"SetReplaceMatchMode FindAndReplace",
         [](CInkwright& ink) {
             ink.InsertText("Gain gain gains");
             ink.SetReplaceMatchMode(1, 1);
             ink.FindAndReplace("gain", "G", kInkReplaceAll);
         },
         texts, "Gain G gains"},
        {"SetFocusRow DeleteCharacter",
         [](CInkwright& ink) {
             ink.InsertText("first");
             ink.InsertParagraph(1);
             ink.InsertText("second");
             ink.SetFocusRow(1, kInkBackward);
             ink.DeleteCharacter(2);
         },
         texts, "rst|second"},
        {"SetActiveView",
         [](CInkwright& ink) {
             ink.SetActiveView(kInkPageHeader);
             ink.InsertText("head");
             ink.SetActiveView(kInkPageFooter);
             ink.InsertText("foot");
             ink.SetActiveView(kInkMainDocument);
             ink.InsertText("body");
         },
         "d.sections[0].header.paragraphs[0].text, d.sections[0].footer.paragraphs[0].text, " + texts,
         "('head', 'foot', 'body')"},
        {"OpenDocument SetFocusPage InsertContents SetFocusHeading UpdateContents SaveDocument",
         [&headings](CInkwright& ink) {
             ASSERT_EQ(ink.OpenDocument(headings), 1);
             ink.SetFocusPage(1, kInkForward);
             ink.InsertText("p2 ");
             ink.SetFocusPage(1, kInkBackward);
             ink.InsertContents();
             ink.SetFocusHeading(2, kInkForward);
             ink.InsertText("All ");
             ink.UpdateContents();
             ink.SaveDocument();
         },
         // The contents go where the page search left the selection: the start of page 1.
         texts, "Scope\t1|All Results\t2|Cover|Scope|\np2 |All Results"},
    };
    std::string script = "import docx, sys\nfor path, expression in zip(sys.argv[1::2], sys.argv[2::2]):\n"
                         "    d = docx.Document(path)\n    print(repr(eval(expression)) if not "
                         "isinstance(eval(expression), str) else eval(expression).replace('\\t', "
                         "'\\\\t').replace('\\n', '\\\\n'))\n";
    std::ofstream(dir.Path() / "read.py") << script;
    std::string command = "/usr/bin/python3 " + (dir.Path() / "read.py").string();
    std::vector<std::string> expected;
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operations);
        CInkwright ink;
        std::string path = headings;
        if (std::string(c.operations).rfind("OpenDocument", 0) != 0) {
            ink.CreateDocument();
            path = (dir.Path() / ("case" + std::to_string(++number) + ".docx")).string();
        }
        c.run(ink);
        if (path != headings) ink.SaveAsDocument(path);
        ink.CloseDocument();
        command += " '" + path + "' \"" + c.python + "\"";
        std::string line = c.expected;
        for (const auto& [raw, shown] : {std::pair<char, const char*>{'\t', "\\t"}, {'\n', "\\n"}})
            for (size_t at = line.find(raw); at != std::string::npos; at = line.find(raw, at))
                line.replace(at, 1, shown);
        expected.push_back(line);
    }
    std::string out, err;
    ASSERT_EQ(RunCommand(command, &out, &err), 0) << err;
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(out.substr(start, end - start));
    ASSERT_EQ(lines.size(), expected.size()) << out;
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << cases[i].operations;
}
