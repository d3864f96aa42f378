// Workbook templates: the input is the "Remark" sheet of the shipped result template, written into
// and saved as the result workbook does.
#include "FuzzSupport.h"
#include "Package.h"
#include "export/Workbook.h"

namespace {
const ooxml::Package& Template() {
    static const ooxml::Package package = [] {
        ooxml::Package p;
        std::string error;
        p.Open(QUADREL_TEMPLATE_BUILD_DIR "/Result.xlsx", error);
        return p;
    }();
    return package;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ooxml::Package package = Template();
    package.SetPart("xl/worksheets/sheet1.xml", std::string(fuzz::Bytes(data, size)));
    const std::string path = fuzz::ScratchFolder() + "/template.xlsx";
    std::string error;
    if (!package.SaveAs(path, error)) return 0;
    Workbook book;
    if (!book.Open(path, error)) return 0;
    const int sheet = book.AddSheet("p1 6 0");
    book.SetCell(sheet, 1, 1, "p1 6 0");
    book.SetCell(0, 3, 2, "17.25");
    book.SetCell(0, 1, 1, "text");
    book.SetSheetVisible("Remark", false);
    book.SaveCopyAs(fuzz::ScratchFolder() + "/out.xlsx", error);
    return 0;
}
