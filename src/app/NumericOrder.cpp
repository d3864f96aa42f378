#include "app/NumericOrder.h"

#include <charconv>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number starts at a digit, or at a "-" before a digit that does not follow a letter or digit
// (the "-" of "p1-2" joins words, the one of "_-2" is a sign).
bool NumberStarts(std::string_view text, size_t at) {
    if (IsDigit(text[at])) return true;
    if (text[at] != '-' || at + 1 >= text.size() || !IsDigit(text[at + 1])) return false;
    if (at == 0) return true;
    const char before = text[at - 1];
    return !(IsDigit(before) || (before >= 'A' && before <= 'Z') || (before >= 'a' && before <= 'z'));
}

// The number at `at` (sign, digits, one "." with digits) and the position after it.
double ReadNumber(std::string_view text, size_t& at) {
    size_t end = at + (text[at] == '-' ? 1 : 0);
    while (end < text.size() && IsDigit(text[end])) ++end;
    if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
        ++end;
        while (end < text.size() && IsDigit(text[end])) ++end;
    }
    double value = 0.0;
    std::from_chars(text.data() + at, text.data() + end, value);
    at = end;
    return value;
}

} // namespace

bool NumericTextLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool numberA = NumberStarts(a, i);
        const bool numberB = NumberStarts(b, j);
        if (numberA && numberB) {
            const double x = ReadNumber(a, i);
            const double y = ReadNumber(b, j);
            if (x != y) return x < y;
            continue;
        }
        // A number sorts before a word, as "-" and the digits do in plain text order.
        if (numberA != numberB) return numberA;
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    // One ran out first: it is the shorter, so it comes first.
    const bool endA = i >= a.size();
    const bool endB = j >= b.size();
    if (endA != endB) return endA;
    return a < b;
}
