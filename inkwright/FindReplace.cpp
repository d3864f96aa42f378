#include "FindReplace.h"

#include <algorithm>

#include "ParagraphText.h"

namespace inkwright {
namespace {

char32_t Fold(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    return c;
}

bool IsWordCharacter(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'_' ||
           (c >= 0xC0 && c != kObjectCharacter && c < 0x2000);
}

bool MatchesAt(const std::u32string& text, size_t at, const std::u32string& needle,
               const FindOptions& options) {
    if (at + needle.size() > text.size()) return false;
    for (size_t i = 0; i < needle.size(); ++i) {
        const char32_t a = text[at + i], b = needle[i];
        if (options.matchCase ? a != b : Fold(a) != Fold(b)) return false;
    }
    if (options.matchWholeWord) {
        if (at > 0 && IsWordCharacter(text[at - 1])) return false;
        if (at + needle.size() < text.size() && IsWordCharacter(text[at + needle.size()])) return false;
    }
    return true;
}

} // namespace

std::vector<TextMatch> MatchesIn(XMLElement* paragraph, int index, const std::u32string& needle,
                                 const FindOptions& options) {
    std::vector<TextMatch> matches;
    if (needle.empty()) return matches;
    const std::u32string text = ParagraphText(paragraph);
    for (size_t at = 0; at + needle.size() <= text.size();) {
        if (MatchesAt(text, at, needle, options)) {
            matches.push_back({index, static_cast<int>(at), static_cast<int>(at + needle.size())});
            at += needle.size();
        } else {
            ++at;
        }
    }
    return matches;
}

std::optional<TextMatch> FindNext(const std::vector<XMLElement*>& paragraphs, StoryPosition from,
                                  const std::u32string& needle, const FindOptions& options) {
    const int count = static_cast<int>(paragraphs.size());
    if (count == 0 || needle.empty()) return std::nullopt;
    const int first = std::clamp(from.paragraph, 0, count - 1);
    // From the selection to the end, then from the start back to the selection's paragraph.
    for (int step = 0; step <= count; ++step) {
        const int index = (first + step) % count;
        for (const TextMatch& match : MatchesIn(paragraphs[index], index, needle, options)) {
            if (step == 0 && match.start < from.offset) continue;
            if (step == count && match.start >= from.offset) break;
            return match;
        }
    }
    return std::nullopt;
}

int ReplaceMatch(XMLElement* paragraph, const TextMatch& match, const std::string& replacement) {
    tinyxml2::XMLDocument* doc = paragraph->GetDocument();
    // The replacement keeps the look of the text it replaces.
    const XMLElement* source = FormattingAt(paragraph, match.start + 1);
    tinyxml2::XMLNode* formatting = source ? source->DeepClone(doc) : nullptr;
    DeleteText(paragraph, match.start, match.end);
    const int length =
        InsertTextAt(paragraph, match.start, replacement, formatting ? formatting->ToElement() : nullptr, 0);
    if (formatting) doc->DeleteNode(formatting);
    return length;
}

} // namespace inkwright
