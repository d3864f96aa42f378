// Report templates: the input is the main document part of the shipped standard-report template,
// opened through CInkwright and edited as the standard report edits it.
#include <fstream>
#include <sstream>

#include "FuzzSupport.h"
#include "Inkwright.h"
#include "Package.h"

namespace {
class Quiet : public InkwrightNotifier {
    void Message(const std::string&) override {}
};

const ooxml::Package& Template() {
    static const ooxml::Package package = [] {
        ooxml::Package p;
        std::string error;
        p.Open(QUADREL_TEMPLATE_BUILD_DIR "/Norvan Telmark QU0000001 Antenna Test Report.docx", error);
        return p;
    }();
    return package;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Quiet quiet;
    CInkwright::SetNotifier(&quiet);
    ooxml::Package package = Template();
    package.SetPart("word/document.xml", std::string(fuzz::Bytes(data, size)));
    const std::string path = fuzz::ScratchFolder() + "/template.docx";
    std::string error;
    if (!package.SaveAs(path, error)) return 0;
    CInkwright ink;
    try {
        if (!ink.OpenDocument(path)) return 0;
        ink.FindAndReplace("DocumentNoHere", "QX", kInkReplaceAll);
        ink.FindAndReplace("InsertPicture1Here", "", kInkReplaceOne);
        ink.InsertText("PORT：P1");
        // Typed texts come from file names: any bytes at all.
        ink.InsertText(std::string(fuzz::Bytes(data, size < 64 ? size : 64)));
        ink.InsertParagraph(1);
        ink.InsertTable(2, 3);
        for (int i = 0; i < 6; ++i) {
            ink.InsertText("1.00\n(dB)");
            ink.SetFocusCol(1, kInkForward);
        }
        ink.InsertParagraph(2);
        ink.SetFocusHeading(1, kInkBackward);
        ink.SetFocusPage(1, kInkForward);
        ink.SetFocusTable(1, kInkBackward);
        ink.InsertTableCol(1, kInkForward);
        ink.CopyTableRow();
        ink.DeleteCharacter(3);
        ink.SetActiveView(kInkPageHeader);
        ink.InsertText("h");
        ink.SetActiveView(kInkMainDocument);
        ink.SetFocusRow(2, kInkBackward);
        ink.UpdateContents();
    } catch (const InkwrightError&) {
        // Failures of the document are thrown to the caller by design.
    }
    try {
        ink.SaveAsDocument(fuzz::ScratchFolder() + "/out.docx");
    } catch (const InkwrightError&) {}
    ink.CloseDocument();
    return 0;
}
