#pragma once
#include <string_view>

// Texts as a person orders them: the numbers inside are compared by value ("790" before "1710",
// tilt "5" before "10", "-2" before "0"), everything else character by character. Texts that
// differ only in how a number is written ("2" and "2.0") fall back to plain text order, so the
// order is strict and total.
bool NumericTextLess(std::string_view a, std::string_view b);

struct NumericTextOrder {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return NumericTextLess(a, b); }
};
