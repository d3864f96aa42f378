// Template packages as a user may replace them: the input is the whole zip, read as a report or a
// workbook template is read and written back as the reports and workbooks are.
#include "FuzzSupport.h"
#include "Package.h"
#include "export/Workbook.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteScratchFile("template.zip", fuzz::Bytes(data, size));
    std::string error;
    ooxml::Package package;
    if (package.Open(path, error)) package.SaveAs(fuzz::ScratchFolder() + "/out.docx", error);
    Workbook book;
    if (book.Open(path, error)) {
        book.SetCell(book.AddSheet("p1 6 0"), 1, 1, "p1 6 0");
        book.SaveCopyAs(fuzz::ScratchFolder() + "/out.xlsx", error);
    }
    return 0;
}
