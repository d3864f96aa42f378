#include "Tables.h"

#include <initializer_list>
#include <string>
#include <vector>

#include "Inkwright.h"
#include "ParagraphText.h"
#include "Story.h"
#include "XmlPart.h"

namespace inkwright {
namespace {

XMLElement* NewParagraph(tinyxml2::XMLDocument* doc, const XMLElement* propertiesFrom) {
    XMLElement* p = doc->NewElement("w:p");
    if (const XMLElement* pPr = propertiesFrom ? propertiesFrom->FirstChildElement("w:pPr") : nullptr) {
        XMLElement* copy = pPr->DeepClone(doc)->ToElement();
        if (XMLElement* sect = copy->FirstChildElement("w:sectPr")) copy->DeleteChild(sect);
        p->InsertEndChild(copy);
    }
    return p;
}

void Border(XMLElement* borders, const char* side) {
    XMLElement* b = ooxml::AppendElement(borders, side);
    b->SetAttribute("w:val", "single");
    b->SetAttribute("w:sz", "4");
    b->SetAttribute("w:space", "0");
    b->SetAttribute("w:color", "auto");
}

XMLElement* Cell(tinyxml2::XMLDocument* doc, int width) {
    XMLElement* tc = doc->NewElement("w:tc");
    XMLElement* tcW = ooxml::AppendElement(ooxml::AppendElement(tc, "w:tcPr"), "w:tcW");
    tcW->SetAttribute("w:w", width);
    tcW->SetAttribute("w:type", "dxa");
    ooxml::AppendElement(tc, "w:p");
    return tc;
}

// The cell emptied to one paragraph that keeps the first paragraph's properties.
void ClearCell(XMLElement* tc) {
    tinyxml2::XMLDocument* doc = tc->GetDocument();
    XMLElement* first = tc->FirstChildElement("w:p");
    XMLElement* fresh = NewParagraph(doc, first);
    for (XMLElement* c = tc->FirstChildElement(); c;) {
        XMLElement* next = c->NextSiblingElement();
        if (std::string_view(c->Name()) != "w:tcPr") tc->DeleteChild(c);
        c = next;
    }
    tc->InsertEndChild(fresh);
}

XMLElement* RequireCell(XMLElement* paragraph) {
    XMLElement* cell = EnclosingCell(paragraph);
    if (!cell) throw InkwrightError("This command is available only when the insertion point is in a table.");
    return cell;
}

int CellIndex(XMLElement* cell) {
    int index = 0;
    for (XMLElement* c = cell->PreviousSiblingElement(); c; c = c->PreviousSiblingElement())
        if (std::string_view(c->Name()) == "w:tc") ++index;
    return index;
}

XMLElement* CellAt(XMLElement* row, int index) {
    XMLElement* found = nullptr;
    int i = 0;
    for (XMLElement* c = row->FirstChildElement("w:tc"); c; c = c->NextSiblingElement("w:tc"), ++i) {
        found = c;
        if (i == index) break;
    }
    return found;
}

// A copy of every row's cell at the column of `paragraph`, emptied or not, placed beside it.
XMLElement* AddColumn(XMLElement* paragraph, bool right, bool empty) {
    XMLElement* cell = RequireCell(paragraph);
    XMLElement* table = EnclosingTable(paragraph);
    XMLElement* row = EnclosingRow(paragraph);
    const int index = CellIndex(cell);
    XMLElement* result = nullptr;
    tinyxml2::XMLDocument* doc = table->GetDocument();
    for (XMLElement* tr = table->FirstChildElement("w:tr"); tr; tr = tr->NextSiblingElement("w:tr")) {
        XMLElement* source = CellAt(tr, index);
        if (!source) continue;
        XMLElement* copy = source->DeepClone(doc)->ToElement();
        if (empty) ClearCell(copy);
        if (right)
            tr->InsertAfterChild(source, copy);
        else
            ooxml::InsertBefore(source, copy);
        if (tr == row) result = copy->FirstChildElement("w:p");
    }
    if (XMLElement* grid = table->FirstChildElement("w:tblGrid")) {
        XMLElement* col = grid->FirstChildElement("w:gridCol");
        for (int i = 0; i < index && col && col->NextSiblingElement("w:gridCol"); ++i)
            col = col->NextSiblingElement("w:gridCol");
        if (col) grid->InsertAfterChild(col, col->DeepClone(doc));
    }
    return result;
}

} // namespace

XMLElement* InsertTableAt(XMLElement* paragraph, int offset, int rows, int columns, int textWidth,
                          const char* tableStyle) {
    if (rows < 1 || columns < 1 || columns > 63 || rows > 32767)
        throw InkwrightError("The number must be between 1 and 32767 rows and 1 and 63 columns.");
    tinyxml2::XMLDocument* doc = paragraph->GetDocument();
    const int length = ParagraphLength(paragraph);
    XMLElement* after = paragraph; // the paragraph that follows the table
    if (offset > 0 && offset < length) {
        after = SplitParagraph(paragraph, offset);
    } else if (offset > 0) {
        after = NewParagraph(doc, paragraph);
        paragraph->Parent()->InsertAfterChild(paragraph, after);
    }
    XMLElement* table = doc->NewElement("w:tbl");
    XMLElement* tblPr = ooxml::AppendElement(table, "w:tblPr");
    if (tableStyle && *tableStyle)
        ooxml::AppendElement(tblPr, "w:tblStyle")->SetAttribute("w:val", tableStyle);
    XMLElement* tblW = ooxml::AppendElement(tblPr, "w:tblW");
    tblW->SetAttribute("w:w", "5000");
    tblW->SetAttribute("w:type", "pct");
    XMLElement* borders = ooxml::AppendElement(tblPr, "w:tblBorders");
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
        Border(borders, side);
    ooxml::AppendElement(tblPr, "w:tblLook")->SetAttribute("w:val", "04A0");
    const int width = std::max(1, textWidth / columns);
    XMLElement* grid = ooxml::AppendElement(table, "w:tblGrid");
    for (int c = 0; c < columns; ++c) ooxml::AppendElement(grid, "w:gridCol")->SetAttribute("w:w", width);
    for (int r = 0; r < rows; ++r) {
        XMLElement* tr = ooxml::AppendElement(table, "w:tr");
        for (int c = 0; c < columns; ++c) tr->InsertEndChild(Cell(doc, width));
    }
    ooxml::InsertBefore(after, table);
    return table->FirstChildElement("w:tr")->FirstChildElement("w:tc")->FirstChildElement("w:p");
}

XMLElement* InsertEmptyRows(XMLElement* paragraph, int count, bool below) {
    RequireCell(paragraph);
    XMLElement* row = EnclosingRow(paragraph);
    tinyxml2::XMLDocument* doc = row->GetDocument();
    XMLElement* first = nullptr;
    XMLElement* anchor = row;
    for (int i = 0; i < count; ++i) {
        XMLElement* copy = row->DeepClone(doc)->ToElement();
        for (XMLElement* tc = copy->FirstChildElement("w:tc"); tc; tc = tc->NextSiblingElement("w:tc"))
            ClearCell(tc);
        if (below) {
            row->Parent()->InsertAfterChild(anchor, copy);
            anchor = copy;
        } else {
            ooxml::InsertBefore(row, copy);
        }
        if (!first) first = copy;
    }
    return first ? Paragraphs(first).front() : paragraph;
}

XMLElement* InsertEmptyColumn(XMLElement* paragraph, bool right) {
    return AddColumn(paragraph, right, true);
}

void DuplicateRow(XMLElement* paragraph) {
    RequireCell(paragraph);
    XMLElement* row = EnclosingRow(paragraph);
    ooxml::InsertBefore(row, row->DeepClone(row->GetDocument()));
}

void DuplicateColumn(XMLElement* paragraph) {
    AddColumn(paragraph, false, false);
}

namespace {

// The child `name` of a properties element, made when missing in front of the first child that the
// schema orders after it (`later`).
XMLElement* EnsureOrderedChild(XMLElement* properties, const char* name,
                               std::initializer_list<const char*> earlier) {
    if (XMLElement* found = properties->FirstChildElement(name)) return found;
    XMLElement* child = properties->GetDocument()->NewElement(name);
    XMLElement* after = nullptr;
    for (XMLElement* c = properties->FirstChildElement(); c; c = c->NextSiblingElement())
        for (const char* e : earlier)
            if (std::string_view(c->Name()) == e) after = c;
    if (after)
        properties->InsertAfterChild(after, child);
    else
        properties->InsertFirstChild(child);
    return child;
}

} // namespace

void KeepTableTogetherAcrossPages(XMLElement* paragraph, int headingRows) {
    RequireCell(paragraph);
    XMLElement* table = EnclosingTable(paragraph);
    tinyxml2::XMLDocument* doc = table->GetDocument();
    int index = 0;
    for (XMLElement* tr = table->FirstChildElement("w:tr"); tr;
         tr = tr->NextSiblingElement("w:tr"), ++index) {
        XMLElement* trPr = tr->FirstChildElement("w:trPr");
        if (!trPr) {
            trPr = doc->NewElement("w:trPr");
            if (XMLElement* exceptions = tr->FirstChildElement("w:tblPrEx"))
                tr->InsertAfterChild(exceptions, trPr);
            else
                tr->InsertFirstChild(trPr);
        }
        if (!trPr->FirstChildElement("w:cantSplit")) trPr->InsertEndChild(doc->NewElement("w:cantSplit"));
        if (index >= headingRows) continue;
        if (!trPr->FirstChildElement("w:tblHeader")) trPr->InsertEndChild(doc->NewElement("w:tblHeader"));
        for (XMLElement* tc = tr->FirstChildElement("w:tc"); tc; tc = tc->NextSiblingElement("w:tc"))
            for (XMLElement* p = tc->FirstChildElement("w:p"); p; p = p->NextSiblingElement("w:p"))
                SetKeepWithNext(p, true);
    }
}

void SetEqualColumnWidths(XMLElement* paragraph, int columnWidth) {
    RequireCell(paragraph);
    XMLElement* table = EnclosingTable(paragraph);
    XMLElement* grid = table->FirstChildElement("w:tblGrid");
    int columns = 0;
    for (XMLElement* col = grid ? grid->FirstChildElement("w:gridCol") : nullptr; col;
         col = col->NextSiblingElement("w:gridCol"), ++columns)
        col->SetAttribute("w:w", columnWidth);
    for (XMLElement* tr = table->FirstChildElement("w:tr"); tr; tr = tr->NextSiblingElement("w:tr"))
        for (XMLElement* tc = tr->FirstChildElement("w:tc"); tc; tc = tc->NextSiblingElement("w:tc"))
            if (XMLElement* tcW = tc->FirstChildElement("w:tcPr")
                                      ? tc->FirstChildElement("w:tcPr")->FirstChildElement("w:tcW")
                                      : nullptr) {
                tcW->SetAttribute("w:w", columnWidth);
                tcW->SetAttribute("w:type", "dxa");
            }
    XMLElement* tblPr = table->FirstChildElement("w:tblPr");
    if (XMLElement* tblW = tblPr ? tblPr->FirstChildElement("w:tblW") : nullptr) {
        tblW->SetAttribute("w:w", columnWidth * columns);
        tblW->SetAttribute("w:type", "dxa");
    }
}

void SetKeepWithNext(XMLElement* paragraph, bool on) {
    XMLElement* pPr = paragraph->FirstChildElement("w:pPr");
    if (!on) {
        if (XMLElement* keep = pPr ? pPr->FirstChildElement("w:keepNext") : nullptr) pPr->DeleteChild(keep);
        return;
    }
    if (!pPr) {
        pPr = paragraph->GetDocument()->NewElement("w:pPr");
        paragraph->InsertFirstChild(pPr);
    }
    EnsureOrderedChild(pPr, "w:keepNext", {"w:pStyle"});
}

XMLElement* DeleteTableAround(XMLElement* paragraph) {
    XMLElement* table = EnclosingTable(paragraph);
    if (!table) throw InkwrightError("The requested member of the collection does not exist.");
    tinyxml2::XMLNode* parent = table->Parent();
    XMLElement* next = table->NextSiblingElement();
    while (next && std::string_view(next->Name()) != "w:p") next = next->NextSiblingElement();
    if (!next) {
        next = NewParagraph(table->GetDocument(), nullptr);
        parent->InsertAfterChild(table, next);
    }
    parent->DeleteChild(table);
    return next;
}

} // namespace inkwright
