"""Prints the datasheet parts of a report or result workbook as JSON, with each cell's fill, as an
independent reader (python-docx, openpyxl) sees them."""
import json
import sys


def read_docx(path):
    import docx
    from docx.oxml.ns import qn
    document = docx.Document(path)

    def fill(cell):
        properties = cell._tc.tcPr
        shading = properties.find(qn("w:shd")) if properties is not None else None
        return shading.get(qn("w:fill")) if shading is not None else None

    return {
        "paragraphs": [p.text for p in document.paragraphs],
        "tables": [[[[cell.text, fill(cell)] for cell in row.cells] for row in table.rows]
                   for table in document.tables],
    }


def read_xlsx(path):
    import openpyxl
    sheet = openpyxl.load_workbook(path)["Datasheet"]
    rows = []
    for row in sheet.iter_rows():
        cells = []
        for cell in row:
            color = cell.fill.fgColor.rgb if cell.fill is not None and cell.fill.fill_type == "solid" else None
            cells.append([cell.value, type(cell.value).__name__, color])
        rows.append(cells)
    return {"rows": rows}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    print(json.dumps(read_docx(path) if kind == "docx" else read_xlsx(path)))
