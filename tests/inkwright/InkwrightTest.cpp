#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

#include "XmlPart.h"
#include "inkwright/InkwrightTestSupport.h"

namespace {

using Texts = std::vector<std::string>;

std::string Para(const std::string& runs, const std::string& style = "") {
    return "<w:p>" + (style.empty() ? "" : "<w:pPr><w:pStyle w:val=\"" + style + "\"/></w:pPr>") + runs +
           "</w:p>";
}
std::string TextRun(const std::string& text) {
    return "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}

// A 24-bit bitmap of width x height, rows bottom-up.
std::string Bitmap(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string b = "BM";
    auto le32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    le32(54 + stride * height);
    le32(0);
    le32(54);
    le32(40);
    le32(width);
    le32(height);
    b += std::string("\x01\x00\x18\x00", 4);
    le32(0);
    le32(stride * height);
    le32(2835);
    le32(2835);
    le32(0);
    le32(0);
    b += std::string(stride * height, '\x7f');
    return b;
}

} // namespace

// Every refused argument shows its message and leaves the document as it was.
TEST(Inkwright, ArgumentChecksShowTheirMessageAndChangeNothing) {
    const struct {
        const char* name;
        std::function<void(CInkwright&)> call;
        Texts messages;
    } cases[] = {
        {"page 0 is a page", [](CInkwright& i) { i.SetFocusPage(0, kInkForward); }, {}},
        {"page -1", [](CInkwright& i) { i.SetFocusPage(-1, kInkForward); }, {"Error Page Num!"}},
        {"table 0", [](CInkwright& i) { i.SetFocusTable(0, kInkForward); }, {"Error Table Num!"}},
        {"heading 0", [](CInkwright& i) { i.SetFocusHeading(0, kInkBackward); }, {"Error Heading Num!"}},
        {"picture 0", [](CInkwright& i) { i.SetFocusPicture(0, kInkForward); }, {"Error Picture Num!"}},
        {"row 0", [](CInkwright& i) { i.SetFocusRow(0, kInkForward); }, {"Error Row Num!"}},
        {"column 0", [](CInkwright& i) { i.SetFocusCol(0, kInkForward); }, {"Error Column Num!"}},
        {"table -1 x -1 reports the rows only",
         [](CInkwright& i) { i.InsertTable(-1, -1); },
         {"Error Row Num!"}},
        {"table 2 x -1", [](CInkwright& i) { i.InsertTable(2, -1); }, {"Error Column Num!"}},
        {"columns with a bad direction, once per column",
         [](CInkwright& i) { i.InsertTableCol(3, 5); },
         {"Error Direction!", "Error Direction!", "Error Direction!"}},
        {"columns -1", [](CInkwright& i) { i.InsertTableCol(-1, 5); }, {"Error Column Num!"}},
        {"rows -1", [](CInkwright& i) { i.InsertTableRow(-1, kInkForward); }, {"Error Row Num!"}},
        {"paragraphs 0", [](CInkwright& i) { i.InsertParagraph(0); }, {"Error Paragraph Num!"}},
        {"heading rows -1", [](CInkwright& i) { i.SetHeadingRows(-1); }, {"Error Row Num!"}},
        {"picture without a path",
         [](CInkwright& i) { i.InsertPicture(""); },
         {"Path name of picture can not empty!"}},
        {"replace mode 3", [](CInkwright& i) { i.FindAndReplace("a", "b", 3); }, {"Error Replace Mode!"}},
        {"view 3", [](CInkwright& i) { i.SetActiveView(3); }, {"Error Activeview!"}},
        {"delete 0", [](CInkwright& i) { i.DeleteCharacter(0); }, {"Error Character Num!"}},
    };
    TempDir dir;
    const std::string path = WriteDocument(dir, "t.docx", Para(TextRun("a text")) + Para(TextRun("more")));
    for (const auto& c : cases) {
        RecordingInkNotifier notifier;
        CInkwright ink;
        ASSERT_EQ(ink.OpenDocument(path), 1);
        const std::string before = ooxml::NormaliseXml(SaveAndRead(ink, dir, "before.docx").documentXml);
        c.call(ink);
        EXPECT_EQ(notifier.messages, c.messages) << c.name;
        if (!c.messages.empty()) {
            EXPECT_EQ(ooxml::NormaliseXml(SaveAndRead(ink, dir, "after.docx").documentXml), before) << c.name;
        }
        ink.CloseDocument();
    }
}

TEST(Inkwright, OpenDocumentRefusesBeforeAnythingStarts) {
    TempDir dir;
    const std::string good = WriteDocument(dir, "locked.docx", Para(TextRun("x")));
    dir.Write(".~lock.locked.docx#", "someone,host,2026");
    const std::string inWord = WriteDocument(dir, "in word.docx", Para(TextRun("x")));
    dir.Write("~$ word.docx", "someone");
    const std::string pipe = (dir.Path() / "pipe.docx").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {"", "Open document name should not be empty!"},
        {(dir.Path() / "missing.docx").string(), "Word file doesn't exist, please check it!"},
        {dir.Path().string(), "Word file doesn't exist, please check it!"},
        {good, "Current file is in use by another program, please close it first!"},
        {inWord, "Current file is in use by another program, please close it first!"},
        {pipe, "Word file doesn't exist, please check it!"},
    };
    for (const auto& c : cases) {
        RecordingInkNotifier notifier;
        CInkwright ink;
        EXPECT_EQ(ink.OpenDocument(c.path), 0) << c.path;
        EXPECT_EQ(notifier.messages, Texts{c.message}) << c.path;
        EXPECT_THROW(ink.InsertText("x"), InkwrightError) << "no document may be open";
    }
    // A file that is no document package is the word processor's failure, thrown to the caller.
    CInkwright ink;
    EXPECT_THROW(ink.OpenDocument(dir.Write("bad.docx", "not a zip")), InkwrightError);
    // A damaged part is named with the line the parser stopped at.
    try {
        ink.OpenDocument(WriteDocument(dir, "broken.docx", "<w:p>\n<w:r>\n</w:p>"));
        ADD_FAILURE() << "a damaged part was opened";
    } catch (const InkwrightError& error) {
        EXPECT_NE(
            std::string(error.what()).find("word/document.xml cannot be read (not well-formed XML at line"),
            std::string::npos)
            << error.what();
    }
}

// Reports and workbooks held open by an office suite are recognised by its lock file; a name
// that is not a regular file (a named pipe) counts as held and the check never waits on it.
TEST(Inkwright, DocumentInUseKnowsBothOfficeSuitesAndRefusesPipes) {
    TempDir dir;
    const std::string name = "Antenna test report of QX.docx";
    const struct {
        const char* what;
        std::string lockFile; // beside the document; empty: none
        bool pipeAsDocument;
        bool inUse;
    } cases[] = {
        {"no lock file", "", false, false},
        {"LibreOffice", ".~lock." + name + "#", false, true},
        {"Word's owner file", "~$" + name.substr(2), false, true},
        {"an owner file with the whole name", "~$" + name, false, true},
        {"a lock file that is a pipe", "~$" + name.substr(2), true, true},
        {"the document is a pipe", "", true, true},
        {"a lock file of another document", ".~lock.other.docx#", false, false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir.Path() / "case");
        const std::string folder = (dir.Path() / "case").string();
        std::filesystem::create_directories(folder);
        const std::string document = folder + "/" + name;
        if (c.pipeAsDocument && c.lockFile.empty())
            ASSERT_EQ(::mkfifo(document.c_str(), 0600), 0);
        else
            WriteDocument(dir, "case/" + name, Para(TextRun("x")));
        if (c.pipeAsDocument && !c.lockFile.empty())
            ASSERT_EQ(::mkfifo((folder + "/" + c.lockFile).c_str(), 0600), 0);
        else if (!c.lockFile.empty())
            dir.Write("case/" + c.lockFile, "someone,host,2026");
        EXPECT_EQ(DocumentInUse(document), c.inUse) << c.what;
    }
}

// Texts from file and folder names may hold control characters or bytes that are not UTF-8; what
// the library writes stays well-formed XML whichever operation typed them.
TEST(Inkwright, TypedTextsNeverBreakTheXml) {
    const struct {
        const char* what;
        std::string text;
        std::string reads; // the paragraph's text afterwards
    } cases[] = {
        {"terminal escapes", "a\x1b[2Jb\x07", "a[2Jb"},
        {"a NUL byte", std::string("x\0y", 3), "xy"},
        {"bytes that are not UTF-8", "p\xff\xfeq", "p\xEF\xBF\xBD\xEF\xBF\xBDq"},
        {"a cut sequence", "r\xE5\xA4", "r\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"U+FFFF", "s\xEF\xBF\xBFt", "s\xEF\xBF\xBDt"},
        {"Chinese stays", "端口", "端口"},
    };
    TempDir dir;
    const std::string path = WriteDocument(dir, "t.docx", Para(TextRun("Here")));
    for (bool replace : {false, true}) {
        for (const auto& c : cases) {
            CInkwright ink;
            ASSERT_EQ(ink.OpenDocument(path), 1);
            if (replace)
                ink.FindAndReplace("Here", c.text, kInkReplaceAll);
            else
                ink.InsertText(c.text);
            const SavedDocument saved = SaveAndRead(ink, dir);
            ink.CloseDocument();
            EXPECT_EQ(ParagraphTexts(saved.documentXml), Texts{c.reads + (replace ? "" : "Here")}) << c.what;
            std::string out;
            std::string err;
            // Python's expat refuses what Word and python-docx refuse.
            const int status = RunCommand("/usr/bin/python3 -c 'import sys, zipfile, xml.dom.minidom; "
                                          "xml.dom.minidom.parseString(zipfile.ZipFile(sys.argv[1])"
                                          ".read(\"word/document.xml\"))' '" +
                                              saved.path + "'",
                                          &out, &err);
            EXPECT_EQ(status, 0) << c.what << (replace ? " (replaced)" : " (typed)") << ": " << err;
        }
    }
}

TEST(Inkwright, ReplaceFindsTextSplitOverRunsAndWrapsAround) {
    TempDir dir;
    const std::string path = WriteDocument(
        dir, "r.docx",
        Para(TextRun("Model: ") + "<w:r><w:rPr><w:b/></w:rPr><w:t>Doc</w:t></w:r>" + TextRun("NoHere")) +
            Para(TextRun("DocNoHere and docnohere")) + Para(TextRun("tail")));
    CInkwright ink;
    ASSERT_EQ(ink.OpenDocument(path), 1);
    ink.FindAndReplace("DocNoHere", "QX-65", kInkReplaceAll);
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml),
              (Texts{"Model: QX-65", "QX-65 and QX-65", "tail"}));
    // The replacement takes the formatting of the placeholder's first character.
    EXPECT_NE(SaveAndRead(ink, dir).documentXml.find("<w:b/></w:rPr><w:t>QX-65</w:t>"), std::string::npos);
    ink.CloseDocument();

    // Replace one: the next match from the selection, continuing at the start after the end.
    ASSERT_EQ(ink.OpenDocument(path), 1);
    ink.SetReplaceMatchMode(1, 1);
    ink.SetFocusRow(2, kInkForward); // "tail": nothing after it matches
    ink.FindAndReplace("DocNoHere", "", kInkReplaceOne);
    ink.InsertText("[here]");
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml),
              (Texts{"Model: [here]", "DocNoHere and docnohere", "tail"}));
    ink.FindAndReplace("DocNoHere", "1", kInkReplaceOne);
    ink.FindAndReplace("DocNoHere", "2", kInkReplaceOne); // match case: "docnohere" is no match
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml),
              (Texts{"Model: [here]", "1 and docnohere", "tail"}));
    ink.SetReplaceMatchMode(0, 1);
    ink.FindAndReplace("doc", "X", kInkReplaceAll); // whole words only
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml),
              (Texts{"Model: [here]", "1 and docnohere", "tail"}));
    ink.SetReplaceMatchMode(0, 0);
    ink.CloseDocument();
}

TEST(Inkwright, TableFillingMovesCellByCellAndLeavesAfterTheLastCell) {
    TempDir dir;
    CInkwright ink;
    ink.CreateDocument();
    ink.InsertText("Title");
    ink.InsertParagraph(1);
    ink.InsertTable(2, 2);
    ink.SetFontColor(kInkBlack);
    for (const char* cell : {"Frequency\n(MHz)", "Gain", "900", "17.20"}) {
        ink.InsertText(cell);
        ink.SetFocusCol(1, kInkForward);
    }
    ink.SetFocusCol(1, kInkForward);
    ink.InsertParagraph(2);
    ink.InsertText("after");
    const SavedDocument saved = SaveAndRead(ink, dir);
    EXPECT_EQ(ParagraphTexts(saved.documentXml),
              (Texts{"Title", "Frequency\n(MHz)", "Gain", "900", "17.20", "", "", "after"}));
    EXPECT_NE(saved.documentXml.find("<w:color w:val=\"000000\"/>"), std::string::npos);

    // Columns and rows grow around the selection; a copied row carries its content.
    ink.SetFocusTable(1, kInkBackward);
    ink.InsertTableCol(1, kInkForward);
    ink.InsertText("new");
    ink.CopyTableRow();
    ink.InsertTableRow(1, kInkBackward);
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml),
              (Texts{"Title", "Frequency\n(MHz)", "new", "Gain", "", "", "", "Frequency\n(MHz)", "new",
                     "Gain", "900", "", "17.20", "", "", "after"}));
    ink.DeleteCurrentTable();
    ink.InsertText("gone");
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml), (Texts{"Title", "gone", "", "after"}));
    EXPECT_THROW(ink.InsertTableRow(1, kInkForward), InkwrightError);
    ink.CloseDocument();
}

TEST(Inkwright, TablesAndTitlesLaidOutForPages) {
    TempDir dir;
    CInkwright ink;
    ink.CreateDocument();
    ink.InsertText("Title");
    ink.KeepWithNext(1);
    ink.InsertParagraph(1);
    ink.KeepWithNext(0); // the paragraph made from the title does not keep its properties
    ink.InsertTable(3, 2);
    ink.SetHeadingRows(1);
    // Two of nine columns of the text width (9638 / 9 each), the table no wider than they are.
    ink.SetColumnsPerWidth(9);
    const std::string xml = SaveAndRead(ink, dir).documentXml;
    auto count = [&xml](const std::string& what) {
        size_t n = 0;
        for (size_t at = xml.find(what); at != std::string::npos; at = xml.find(what, at + 1)) ++n;
        return n;
    };
    const struct {
        const char* what;
        size_t expected;
    } cases[] = {
        {"<w:tblHeader/>", 1}, // the first row repeats on every page
        {"<w:cantSplit/>", 3}, // no row splits
        {"<w:keepNext/>", 3},  // the title, and the header row's two cells stay with what follows
        {"<w:tblW w:w=\"2140\" w:type=\"dxa\"/>", 1},
        {"<w:gridCol w:w=\"1070\"/>", 2},
        {"<w:tcW w:w=\"1070\" w:type=\"dxa\"/>", 6},
    };
    for (const auto& c : cases) EXPECT_EQ(count(c.what), c.expected) << c.what;
    // Row properties come before the cells, keep-with-next before the rest of the paragraph's.
    EXPECT_NE(xml.find("<w:tr><w:trPr><w:cantSplit/><w:tblHeader/></w:trPr><w:tc>"), std::string::npos);
    EXPECT_NE(xml.find("<w:pPr><w:keepNext/>"), std::string::npos);
    ink.CloseDocument();
}

TEST(Inkwright, PicturesAreStoredAsPngAtTheirPixelSize) {
    TempDir dir;
    const std::string bmp = dir.Write("Cut_A.bmp", Bitmap(3, 2));
    CInkwright ink;
    ink.CreateDocument();
    ink.InsertText("(1)cut_a");
    ink.InsertPicture(bmp);
    ink.InsertParagraph(1);
    ink.InsertPicture(bmp);
    // A picture that cannot be read is the word processor's failure, named; a named pipe at the
    // picture's name is refused at once, never waited on.
    const std::string pipe = (dir.Path() / "pipe.bmp").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& bad :
         {dir.Write("x.bmp", "BM nonsense"), pipe, (dir.Path() / "missing.bmp").string()}) {
        try {
            ink.InsertPicture(bad);
            ADD_FAILURE() << bad << " was inserted";
        } catch (const InkwrightError& error) {
            EXPECT_NE(std::string(error.what()).find(bad), std::string::npos) << error.what();
        }
    }
    const SavedDocument saved = SaveAndRead(ink, dir);
    EXPECT_EQ(ParagraphTexts(saved.documentXml), (Texts{"(1)cut_a[picture]", "[picture]"}));
    const std::string png = saved.Part("word/media/image1.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\3\0\0\0\2", 8));
    EXPECT_NE(saved.documentXml.find("<wp:extent cx=\"28575\" cy=\"19050\"/>"), std::string::npos);
    EXPECT_NE(saved.Part("[Content_Types].xml").find("Extension=\"png\" ContentType=\"image/png\""),
              std::string::npos);
    EXPECT_NE(saved.Part("word/_rels/document.xml.rels").find("media/image2.png"), std::string::npos);
    ink.SetFocusPicture(1, kInkBackward); // from the second picture back to the first
    ink.InsertText("<");
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml), (Texts{"(1)cut_a<[picture]", "[picture]"}));
    ink.CloseDocument();
}

TEST(Inkwright, ContentsFollowTheHeadingsAndPagesCountExplicitBreaks) {
    TempDir dir;
    const std::string path = WriteDocument(
        dir, "toc.docx",
        Para(TextRun("Cover")) + Para(TextRun("Contents")) + Para(TextRun("Scope"), "Heading1") +
            Para("<w:r><w:br w:type=\"page\"/></w:r>") + Para(TextRun("Results"), "Heading1") +
            Para(TextRun("Port 1"), "Heading2") + Para(TextRun("Deep"), "Heading4"));
    CInkwright ink;
    ASSERT_EQ(ink.OpenDocument(path), 1);
    EXPECT_THROW(ink.UpdateContents(), InkwrightError); // no table of contents yet
    ink.SetFocusRow(2, kInkForward);
    ink.InsertContents();
    SavedDocument saved = SaveAndRead(ink, dir);
    EXPECT_EQ(ParagraphTexts(saved.documentXml),
              (Texts{"Cover", "Contents", "Scope\t1", "Results\t2", "Port 1\t2", "Scope", "\n", "Results",
                     "Port 1", "Deep"}));
    ink.SetFocusHeading(2, kInkForward); // from Scope: Results, Port 1
    ink.InsertText("Gain of ");
    ink.SetFocusHeading(1, kInkBackward);
    ink.SetFocusRow(1, kInkBackward);
    ink.InsertParagraph(1);
    ink.InsertText("Added");
    ink.UpdateContents();
    saved = SaveAndRead(ink, dir);
    EXPECT_EQ(ParagraphTexts(saved.documentXml),
              (Texts{"Cover", "Contents", "Scope\t1", "Results\t2", "Gain of Port 1\t2", "Scope", "",
                     "Added\n", "Results", "Gain of Port 1", "Deep"}));
    EXPECT_NE(saved.documentXml.find("w:fldCharType=\"begin\" w:dirty=\"true\""), std::string::npos);
    EXPECT_NE(saved.Part("word/settings.xml").find("<w:updateFields w:val=\"true\"/>"), std::string::npos);
    ink.SetFocusPage(1, kInkBackward);
    ink.SetFocusPage(0, kInkForward);
    ink.InsertText("p1 ");
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml).front(), "p1 Cover");
    // Contents rebuilt from the footer while the body's selection is in an old entry: typing in the
    // body goes on after the contents.
    ink.SetFocusRow(2, kInkForward);
    ink.SetActiveView(kInkPageFooter);
    ink.UpdateContents();
    ink.SetActiveView(kInkMainDocument);
    ink.InsertText("Of ");
    EXPECT_EQ(ParagraphTexts(SaveAndRead(ink, dir).documentXml)[5], "Of Scope");
    ink.CloseDocument();
}

TEST(Inkwright, HeaderAndFooterAreStoriesOfTheirOwn) {
    TempDir dir;
    CInkwright ink;
    ink.CreateDocument();
    ink.InsertText("body");
    ink.SetActiveView(kInkPageHeader);
    ink.InsertText("Antenna test report");
    ink.SetActiveView(kInkPageFooter);
    ink.InsertText("Page");
    ink.SetActiveView(kInkMainDocument);
    ink.InsertText(" text");
    CInkwright second; // every instance works on the same document
    second.SetActiveView(kInkPageHeader);
    second.DeleteCharacter(8);
    const SavedDocument saved = SaveAndRead(ink, dir);
    EXPECT_EQ(ParagraphTexts(saved.documentXml), (Texts{"body text"}));
    EXPECT_EQ(ParagraphTexts(saved.Part("word/header1.xml")), (Texts{"test report"}));
    EXPECT_EQ(ParagraphTexts(saved.Part("word/footer1.xml")), (Texts{"Page"}));
    EXPECT_NE(saved.documentXml.find("<w:headerReference w:type=\"default\""), std::string::npos);
    ink.CloseDocument();
}
