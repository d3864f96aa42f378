#include "ParagraphText.h"

#include <string_view>

#include "Inkwright.h"
#include "XmlPart.h"

namespace inkwright {
namespace {

bool Is(const XMLElement* e, std::string_view name) {
    return e && name == e->Name();
}

// Containers whose runs are part of the paragraph's text.
bool IsRunContainer(const XMLElement* e) {
    return Is(e, "w:hyperlink") || Is(e, "w:ins") || Is(e, "w:smartTag") || Is(e, "w:fldSimple") ||
           Is(e, "w:customXml") || Is(e, "w:sdtContent") || Is(e, "w:sdt");
}

bool IsOneCharacter(const XMLElement* e) {
    return Is(e, "w:tab") || Is(e, "w:br") || Is(e, "w:cr") || Is(e, "w:sym") || Is(e, "w:drawing") ||
           Is(e, "w:pict") || Is(e, "w:object") || Is(e, "w:noBreakHyphen");
}

void CollectRuns(XMLElement* container, std::vector<XMLElement*>& runs) {
    for (XMLElement* child = container->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (Is(child, "w:r"))
            runs.push_back(child);
        else if (IsRunContainer(child))
            CollectRuns(child, runs);
    }
}

int Utf8Length(const char* text) {
    int count = 0;
    for (const char* p = text; p && *p; ++p)
        if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80) ++count;
    return count;
}

std::string TextOf(const XMLElement* t) {
    return t->GetText() ? t->GetText() : "";
}

void SetText(XMLElement* t, const std::string& text) {
    t->SetText(text.c_str());
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t'))
        t->SetAttribute("xml:space", "preserve");
}

// Where new content goes so that it stands at `offset`: after `after` in `parent` (first content
// of the paragraph when `after` is null).
struct InsertPoint {
    XMLElement* parent = nullptr;
    XMLElement* after = nullptr;
};

// Splits the run of `piece` before its node, and inside the node at `localOffset` characters when it
// is text; returns the run that now begins at that point.
XMLElement* SplitRun(const Piece& piece, int localOffset) {
    XMLElement* run = piece.run;
    tinyxml2::XMLDocument* doc = run->GetDocument();
    XMLElement* copy = run->DeepClone(doc)->ToElement();
    run->Parent()->InsertAfterChild(run, copy);
    // Find the node's twin in the copy by position.
    int index = 0;
    for (XMLElement* c = run->FirstChildElement(); c && c != piece.node; c = c->NextSiblingElement()) ++index;
    XMLElement* twin = copy->FirstChildElement();
    for (int i = 0; i < index && twin; ++i) twin = twin->NextSiblingElement();
    // The original keeps what stands before the point, the copy what follows (both keep w:rPr).
    for (XMLElement* c = piece.node->NextSiblingElement(); c;) {
        XMLElement* next = c->NextSiblingElement();
        run->DeleteChild(c);
        c = next;
    }
    for (XMLElement* c = twin->PreviousSiblingElement(); c;) {
        XMLElement* previous = c->PreviousSiblingElement();
        if (!Is(c, "w:rPr")) copy->DeleteChild(c);
        c = previous;
    }
    if (localOffset > 0) {
        const std::u32string text = FromUtf8(TextOf(piece.node));
        SetText(piece.node, ToUtf8(text.substr(0, localOffset)));
        SetText(twin, ToUtf8(text.substr(localOffset)));
    } else {
        run->DeleteChild(piece.node);
    }
    return copy;
}

InsertPoint PointBefore(XMLElement* run) {
    return {run->Parent()->ToElement(), run->PreviousSiblingElement()};
}

InsertPoint Boundary(XMLElement* paragraph, int offset) {
    const std::vector<Piece> pieces = Pieces(paragraph);
    for (const Piece& piece : pieces) {
        if (offset >= piece.start + piece.length) continue;
        if (offset > piece.start) return PointBefore(SplitRun(piece, offset - piece.start));
        // At the start of this piece: before its run when it is the run's first content.
        bool first = true;
        for (XMLElement* c = piece.run->FirstChildElement(); c && c != piece.node;
             c = c->NextSiblingElement())
            if (!Is(c, "w:rPr") && (Is(c, "w:t") || IsOneCharacter(c))) first = false;
        if (first) return PointBefore(piece.run);
        return PointBefore(SplitRun(piece, 0));
    }
    // At the end: after the last run, or after the paragraph properties.
    std::vector<XMLElement*> runs;
    CollectRuns(paragraph, runs);
    if (!pieces.empty()) return {pieces.back().run->Parent()->ToElement(), pieces.back().run};
    if (!runs.empty()) return {runs.back()->Parent()->ToElement(), runs.back()};
    return {paragraph, paragraph->FirstChildElement("w:pPr")};
}

void Place(const InsertPoint& point, XMLElement* element) {
    if (point.after)
        point.parent->InsertAfterChild(point.after, element);
    else
        point.parent->InsertFirstChild(element);
}

void SetRunProperty(XMLElement* run, const char* name, const std::string& value) {
    XMLElement* rPr = ooxml::EnsureChild(run, "w:rPr", true);
    if (XMLElement* existing = rPr->FirstChildElement(name)) rPr->DeleteChild(existing);
    if (value.empty()) return;
    XMLElement* property = ooxml::AppendElement(rPr, name);
    property->SetAttribute("w:val", value.c_str());
}

} // namespace

std::u32string FromUtf8(const std::string& text) {
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t code = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : extra == 1 ? c & 0x1F : c;
        if (c >= 0x80 && c < 0xC0) extra = 0, code = 0xFFFD;
        size_t j = i + 1;
        for (; extra > 0 && j < text.size(); --extra, ++j) code = (code << 6) | (text[j] & 0x3F);
        out += code;
        i = j;
    }
    return out;
}

std::string ToUtf8(const std::u32string& text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::vector<Piece> Pieces(XMLElement* paragraph) {
    std::vector<XMLElement*> runs;
    CollectRuns(paragraph, runs);
    std::vector<Piece> pieces;
    int at = 0;
    for (XMLElement* run : runs) {
        for (XMLElement* c = run->FirstChildElement(); c; c = c->NextSiblingElement()) {
            if (Is(c, "w:t")) {
                const int length = Utf8Length(c->GetText());
                if (length == 0) continue;
                pieces.push_back({run, c, at, length, true});
                at += length;
            } else if (IsOneCharacter(c)) {
                pieces.push_back({run, c, at, 1, false});
                at += 1;
            }
        }
    }
    return pieces;
}

std::u32string ParagraphText(XMLElement* paragraph) {
    std::u32string text;
    for (const Piece& piece : Pieces(paragraph))
        text += piece.text ? FromUtf8(TextOf(piece.node)) : std::u32string(1, kObjectCharacter);
    return text;
}

int ParagraphLength(XMLElement* paragraph) {
    const std::vector<Piece> pieces = Pieces(paragraph);
    return pieces.empty() ? 0 : pieces.back().start + pieces.back().length;
}

XMLElement* FormattingAt(XMLElement* paragraph, int offset) {
    XMLElement* found = nullptr;
    for (const Piece& piece : Pieces(paragraph)) {
        if (piece.start < offset || !found) found = piece.run->FirstChildElement("w:rPr");
        if (piece.start >= offset) break;
    }
    if (!found)
        if (XMLElement* pPr = paragraph->FirstChildElement("w:pPr")) found = pPr->FirstChildElement("w:rPr");
    return found;
}

int InsertTextAt(XMLElement* paragraph, int offset, const std::string& text, const XMLElement* formatting,
                 int color) {
    if (text.empty()) return 0;
    tinyxml2::XMLDocument* doc = paragraph->GetDocument();
    XMLElement* run = doc->NewElement("w:r");
    if (formatting) {
        XMLElement* rPr = formatting->DeepClone(doc)->ToElement();
        rPr->SetName("w:rPr");
        // Paragraph-mark-only properties do not belong on a run.
        for (const char* markOnly : {"w:ins", "w:del", "w:moveFrom", "w:moveTo"})
            if (XMLElement* e = rPr->FirstChildElement(markOnly)) rPr->DeleteChild(e);
        run->InsertEndChild(rPr);
    }
    if (color != 0) SetRunProperty(run, "w:color", ColorHex(color));
    int count = 0;
    std::string pending;
    auto flush = [&] {
        if (pending.empty()) return;
        SetText(ooxml::AppendElement(run, "w:t"), pending);
        count += Utf8Length(pending.c_str());
        pending.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r' || c == '\t' || c == '\v') {
            flush();
            ooxml::AppendElement(run, c == '\t' ? "w:tab" : "w:br");
            ++count;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            pending += c;
        }
    }
    flush();
    Place(Boundary(paragraph, offset), run);
    return count;
}

void InsertRunAt(XMLElement* paragraph, int offset, XMLElement* run) {
    Place(Boundary(paragraph, offset), run);
}

void DeleteText(XMLElement* paragraph, int start, int end) {
    if (end <= start) return;
    for (const Piece& piece : Pieces(paragraph)) {
        const int from = std::max(start, piece.start), to = std::min(end, piece.start + piece.length);
        if (from >= to) continue;
        if (piece.text && (from > piece.start || to < piece.start + piece.length)) {
            const std::u32string text = FromUtf8(TextOf(piece.node));
            SetText(piece.node, ToUtf8(text.substr(0, from - piece.start) + text.substr(to - piece.start)));
        } else {
            piece.run->DeleteChild(piece.node);
        }
    }
    // Runs without content are dropped, so a replaced placeholder leaves nothing behind.
    std::vector<XMLElement*> runs;
    CollectRuns(paragraph, runs);
    for (XMLElement* run : runs) {
        bool content = false;
        for (XMLElement* c = run->FirstChildElement(); c && !content; c = c->NextSiblingElement())
            content = !Is(c, "w:rPr") && !(Is(c, "w:t") && TextOf(c).empty());
        if (!content) run->Parent()->DeleteChild(run);
    }
}

XMLElement* SplitParagraph(XMLElement* paragraph, int offset) {
    tinyxml2::XMLDocument* doc = paragraph->GetDocument();
    const InsertPoint point = Boundary(paragraph, offset);
    XMLElement* next = doc->NewElement("w:p");
    if (const XMLElement* pPr = paragraph->FirstChildElement("w:pPr")) {
        XMLElement* copy = pPr->DeepClone(doc)->ToElement();
        // A section ends with the paragraph that carries it: the first half keeps no break of its own.
        if (XMLElement* sect = copy->FirstChildElement("w:sectPr")) copy->DeleteChild(sect);
        next->InsertEndChild(copy);
        if (XMLElement* sect = paragraph->FirstChildElement("w:pPr")->FirstChildElement("w:sectPr")) {
            next->FirstChildElement("w:pPr")->InsertEndChild(sect->DeepClone(doc));
            paragraph->FirstChildElement("w:pPr")->DeleteChild(sect);
        }
    }
    paragraph->Parent()->InsertAfterChild(paragraph, next);
    // Move every top-level child after the boundary into the new paragraph.
    XMLElement* move = nullptr;
    if (point.parent == paragraph) {
        move = point.after ? point.after->NextSiblingElement() : paragraph->FirstChildElement();
    } else {
        XMLElement* container = point.parent;
        while (container->Parent() != paragraph) container = container->Parent()->ToElement();
        if (!point.after || container != point.parent) {
            move = container;
        } else {
            // The boundary lies inside a container (a hyperlink): the container is split too.
            XMLElement* copy = doc->NewElement(container->Name());
            for (const tinyxml2::XMLAttribute* a = container->FirstAttribute(); a; a = a->Next())
                copy->SetAttribute(a->Name(), a->Value());
            for (XMLElement* c = point.after->NextSiblingElement(); c;) {
                XMLElement* following = c->NextSiblingElement();
                copy->InsertEndChild(c);
                c = following;
            }
            next->InsertEndChild(copy);
            move = container->NextSiblingElement();
        }
    }
    if (move && Is(move, "w:pPr")) move = move->NextSiblingElement();
    while (move) {
        XMLElement* following = move->NextSiblingElement();
        next->InsertEndChild(move);
        move = following;
    }
    return next;
}

void FormatRange(XMLElement* paragraph, int start, int end, const char* name, const std::string& value) {
    if (end <= start) return;
    Boundary(paragraph, end);
    Boundary(paragraph, start);
    XMLElement* last = nullptr;
    for (const Piece& piece : Pieces(paragraph)) {
        if (piece.start >= start && piece.start + piece.length <= end && piece.run != last) {
            SetRunProperty(piece.run, name, value);
            last = piece.run;
        }
    }
}

std::string ColorHex(int color) {
    switch (color) {
    case kInkBlack:
        return "000000";
    case kInkBlue:
        return "0000FF";
    case kInkPink:
        return "FF00FF";
    case kInkRed:
        return "FF0000";
    case kInkYellow:
        return "FFFF00";
    case kInkWhite:
        return "FFFFFF";
    case kInkGreen:
        return "008000";
    default:
        return "auto";
    }
}

} // namespace inkwright
