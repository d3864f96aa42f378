#pragma once
// Inkwright: the document automation library. It edits Word documents (.docx) itself, through a
// cursor (the selection) over the document body, instead of driving a word processor.
//
// Where a word processor lays text out in lines and pages, this library has no layout: a "line"
// (SetFocusRow) is a paragraph, and a "page" (SetFocusPage, page numbers of the table of contents)
// starts at the document's beginning and after every explicit page break, paragraph set to begin
// on a new page, or section break. Texts are UTF-8. Word processor failures (an unreadable package,
// a picture that cannot be read, a table operation outside a table) are thrown as InkwrightError and
// not caught here; argument checks show their message through the notifier and return.
#include <stdexcept>
#include <string>

#define INKWRIGHT_API __attribute__((visibility("default")))

// Enumerations of the interface; callers pass them as integers.
enum InkDirection : int { kInkBackward = 0, kInkForward = 1 };
enum InkReplaceMode : int { kInkReplaceNone = 0, kInkReplaceOne = 1, kInkReplaceAll = 2 };
enum InkActiveView : int { kInkMainDocument = 0, kInkPageHeader = 1, kInkPageFooter = 2 };
enum InkColor : int {
    kInkBlack = 1,
    kInkBlue = 2,
    kInkPink = 3,
    kInkRed = 4,
    kInkYellow = 5,
    kInkWhite = 6,
    kInkGreen = 7,
}; // any other value: automatic

// Word colour value of a Color (blue, green, red bytes from high to low; automatic 0xFF000000).
INKWRIGHT_API unsigned FontColorValue(int color);
// Word highlight colour index of a Color (0 automatic).
INKWRIGHT_API int HighlightIndex(int color);

// Whether another program holds a document open: it cannot be opened for reading, is not a regular
// file, or an office suite's lock file (LibreOffice's ".~lock.NAME#", Word's "~$" owner file)
// stands beside it.
INKWRIGHT_API bool DocumentInUse(const std::string& path);

// Where the library's messages go; stderr (one line each) until the program installs its own.
class INKWRIGHT_API InkwrightNotifier {
  public:
    virtual ~InkwrightNotifier() = default;
    virtual void Message(const std::string& text) = 0;
};

class INKWRIGHT_API InkwrightError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// All state is module-wide: every instance works on the one document of the process.
class INKWRIGHT_API CInkwright {
  public:
    CInkwright();
    virtual ~CInkwright();
    CInkwright(const CInkwright&);
    CInkwright& operator=(const CInkwright&);

    // Null restores the stderr default. Not owned.
    static void SetNotifier(InkwrightNotifier* notifier);

    int InitialApp();
    int CreateDocument();
    int OpenDocument(const std::string& path);
    void ShowDocument();
    void HideDocument();
    void SaveDocument();
    void SaveAsDocument(const std::string& path);
    void CloseDocument();

    void InsertText(const std::string& text);
    void InsertParagraph(int count);
    void InsertPicture(const std::string& path);
    void InsertTable(int rows, int columns);
    void SetReplaceMatchMode(int matchCase, int matchWholeWord);
    void FindAndReplace(const std::string& find, const std::string& replacement, int mode);

    void SetFocusRow(int count, int direction);
    void SetFocusCol(int count, int direction);
    void SetFocusHeading(int number, int direction);
    void SetFocusPage(int number, int direction);
    void SetFocusTable(int number, int direction);
    void SetFocusPicture(int number, int direction);

    void InsertTableRow(int count, int direction);
    void InsertTableCol(int count, int direction);
    void CopyTableRow();
    void CopyTableCol();
    void UpdateContents();
    void InsertContents();
    void SetActiveView(int view);
    void SetFontColor(int color);
    void SetBgColor(int color);
    void DeleteCurrentTable();
    void DeleteCharacter(int count);

    // Beyond the automation calls above, what a report needs to read well on paper (the word
    // processor's Rows.HeadingFormat with AllowBreakAcrossPages off, and ParagraphFormat.KeepWithNext):
    // the first `count` rows of the table at the selection repeat on every page and stay with the
    // next row, and no row of it splits across pages; the paragraph at the selection stays on the
    // page of the next one (`on` 1) or not (anything else).
    void SetHeadingRows(int count);
    void KeepWithNext(int on);
    // The columns of the table at the selection each take the text width divided by `perWidth`, and
    // the table only their sum: the bands a wide table is split into line up column under column,
    // the last and narrower one included. `perWidth` below 1 is an error.
    void SetColumnsPerWidth(int perWidth);
    // Fills the table cell that holds the selection with a colour ("C6EFCE", red-green-blue hex); a
    // selection outside a table is an error.
    void SetCellShading(const std::string& fill);
};
