"""Prints what an independent reader sees in a .docx or .xlsx file, as JSON, for the report tests."""
import json
import re
import sys


def read_docx(path):
    import docx
    from docx.oxml.ns import qn
    from docx.text.paragraph import Paragraph
    document = docx.Document(path)
    # Contents entries ("TOC1", "TOC2", ...) sit inside a content control, where paragraphs of the
    # document's own list do not reach.
    everywhere = [Paragraph(p, document) for p in document.element.body.iter(qn("w:p"))]
    contents = [p.text for p in everywhere if p.style is not None and re.fullmatch(r"TOC\d", p.style.style_id)]
    return {
        "contents": contents,
        "paragraphs": [p.text for p in document.paragraphs],
        "tables": [[[cell.text for cell in row.cells] for row in table.rows] for table in document.tables],
        "pictures": len(document.inline_shapes),
        "picture_sizes": [[shape.width, shape.height] for shape in document.inline_shapes],
        "header": "\n".join(p.text for p in document.sections[0].header.paragraphs),
    }


def read_xlsx(path):
    import openpyxl
    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        cells = {}
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None:
                    cells[cell.coordinate] = cell.value
        sheets.append({"name": sheet.title, "state": sheet.sheet_state, "cells": cells})
    return {"sheets": sheets}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    print(json.dumps(read_docx(path) if kind == "docx" else read_xlsx(path)))
