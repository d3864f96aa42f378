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
    w = lambda name: qn("w:" + name)
    tables = []
    for table in document.tables:
        rows = table._tbl.findall(w("tr"))
        previous = table._tbl.getprevious()
        while previous is not None and previous.tag != w("p"):
            previous = previous.getprevious()
        title = previous if previous is not None else None
        tables.append({
            "header_rows": [r.find(w("trPr")) is not None and r.find(w("trPr")).find(w("tblHeader")) is not None
                            for r in rows],
            "cant_split": [r.find(w("trPr")) is not None and r.find(w("trPr")).find(w("cantSplit")) is not None
                           for r in rows],
            "grid_width": sum(int(c.get(w("w"))) for c in table._tbl.find(w("tblGrid")).findall(w("gridCol"))),
            "before_keeps_with_next": title is not None and title.find(w("pPr")) is not None
            and title.find(w("pPr")).find(w("keepNext")) is not None,
            "before": Paragraph(title, document).text if title is not None else None,
        })
    section = document.sections[0]
    settings = document.settings.element
    return {
        "contents": contents,
        "table_layout": tables,
        "text_width": section.page_width - section.left_margin - section.right_margin,
        "footer": "\n".join(p.text for p in section.footer.paragraphs),
        "title": document.core_properties.title,
        "update_fields": settings.find(w("updateFields")) is not None
        and settings.find(w("updateFields")).get(w("val")) in ("true", "1", None),
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
        formats = {}
        wrapped = []
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None and isinstance(cell.value, (int, float)):
                    formats[cell.coordinate] = cell.number_format
                if cell.alignment is not None and cell.alignment.wrap_text:
                    wrapped.append(cell.coordinate)
        sheets.append({
            "name": sheet.title, "state": sheet.sheet_state, "cells": cells, "formats": formats,
            "wrapped": wrapped, "freeze": sheet.freeze_panes,
            "row_heights": {str(k): v.height for k, v in sheet.row_dimensions.items() if v.height},
            "column_widths": {k: v.width for k, v in sheet.column_dimensions.items() if v.customWidth},
        })
    return {"sheets": sheets}


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    print(json.dumps(read_docx(path) if kind == "docx" else read_xlsx(path)))
