#pragma once
#include <array>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Package.h"
#include "export/SheetCells.h"
#include "export/WorkbookStyles.h"

// A spreadsheet workbook (.xlsx) opened from a template, as the export fills it: sheets added after
// the last one and named, cells written, a sheet hidden, the first sheet selected, a copy saved. The
// template file itself is never changed.
class Workbook {
  public:
    Workbook();
    ~Workbook();

    // False, with a sentence for the user in `error`, when the file is missing, not a zip, or has no
    // workbook part.
    bool Open(const std::string& templatePath, std::string& error);

    int SheetCount() const { return static_cast<int>(m_sheets.size()); }
    // The sheet named `name` (the spreadsheet program compares names without case); -1 when none.
    int FindSheet(const std::string& name) const;
    const std::string& SheetName(int sheet) const { return m_sheets.at(sheet).name; }
    // Adds an empty sheet after the last one and names it. A name the spreadsheet program would
    // refuse (longer than 31 characters, one of []:*?/\, already used) is made acceptable rather than
    // failing the export: the characters become "_", the name is cut, a number is appended.
    int AddSheet(const std::string& name);
    // Writes a cell (1-based row and column) as the spreadsheet program stores an assigned text: a
    // text that reads as a number becomes that number, anything else stays text.
    void SetCell(int sheet, int row, int column, std::string_view text);
    // Writes a number cell (a non-finite number is not written).
    void SetNumber(int sheet, int row, int column, double value);
    // Layout of an added sheet, for a person reading it: a cell's format, a column's width (in
    // characters of the default font), a row's height (in points), the rows kept in view while
    // scrolling.
    void SetCellStyle(int sheet, int row, int column, CellStyle style);
    void SetColumnWidth(int sheet, int column, double characters);
    void SetRowHeight(int sheet, int row, double points);
    void FreezeRows(int sheet, int rows);
    // A cell format with a solid fill of that colour ("C6EFCE", red-green-blue hex), added to the
    // workbook's style sheet; 0 (the default format) when the template has none.
    int AddFillStyle(const std::string& rgb);
    // Gives a cell such a format; it takes the place of the cell's CellStyle.
    void SetCellFormat(int sheet, int row, int column, int format);
    bool SetSheetVisible(const std::string& name, bool visible);
    // Makes a sheet the one shown when the workbook opens.
    void SelectSheet(int sheet);

    // Saves the filled workbook under `path` (atomically; below `outputRoot` no symlink is
    // followed, see WriteOutputAtomic); false with `error` on failure.
    bool SaveCopyAs(const std::string& path, std::string& error, const std::string& outputRoot = {});

  private:
    struct Sheet {
        std::string name;
        std::string part; // "xl/worksheets/sheetN.xml"
        bool added = false;
        bool hidden = false;
        SheetCells cells;                                // the written cells
        std::map<std::pair<int, int>, CellStyle> styles; // by (row, column)
        std::map<int, double> columnWidths;
        std::map<int, double> rowHeights;
        int frozenRows = 0;
        std::map<std::pair<int, int>, int> formats; // (row, column) -> format of AddFillStyle
    };

    // Whether (row, column) is a cell of an existing sheet.
    bool IsCell(int sheet, int row, int column) const;
    std::string UniqueName(const std::string& wanted) const;
    static void SheetXml(const Sheet& sheet, bool selected,
                         const std::array<int, kCellStyleCount>& styleIndex, std::string& xml);
    // The format index a cell is written with.
    static int StyleOf(const Sheet& sheet, int row, int column,
                       const std::array<int, kCellStyleCount>& styleIndex);
    // The style sheet's part name, found through the workbook's relationships (empty: none).
    std::string StylesPart() const;
    void MergeIntoTemplateSheet(const Sheet& sheet, bool selected,
                                const std::array<int, kCellStyleCount>& styleIndex);
    // The sheet shown on opening: the selected one, or the first visible one when it is hidden.
    int ShownSheet() const;
    // Puts every sheet into the package for saving: template sheets merged in place, added sheets
    // listed in the workbook part and left to `generated`, which writes them into the zip one at a time.
    void PrepareSheets(int shown, std::vector<ooxml::GeneratedPart>& generated);

    ooxml::Package m_package;
    std::string m_workbookPart;
    std::vector<Sheet> m_sheets;
    int m_selected = 0;
};

// The number a cell text reads as, as the spreadsheet program reads an assigned text: optional
// blanks and sign, digits with one ".", an optional exponent; false for anything else.
bool ReadsAsNumber(std::string_view text, double& value);
// "A", "Z", "AA" for columns 1, 26, 27.
std::string ColumnName(int column);
