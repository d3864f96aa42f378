#pragma once
#include <cstdint>

// Exact powers of ten: a double holds every one up to 1e22.
inline constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common short form of a number at `cursor`: optional sign, at most 15 digits with an optional
// ".", and nothing after it that would continue a number (a digit, ".", an exponent). Gives the
// value ParseLeadingDouble gives and moves `cursor` past it; false (cursor kept) for any other form.
// Inline: the readers call it twice for every row of a campaign.
inline bool ParseSimpleDecimal(const char*& cursor, const char* end, double& value) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const char* p = cursor;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // Up to 15 digits: the mantissa stays far below 2^53, and mantissa / 10^decimals is one
    // correctly rounded division of two exact doubles, the value the general reader gives.
    constexpr int kMaxDigits = 15;
    uint64_t mantissa = 0;
    int digits = 0;
    while (p != end && isDigit(*p) && digits < kMaxDigits) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
        ++digits;
    }
    int decimals = 0;
    if (p != end && *p == '.') {
        ++p;
        while (p != end && isDigit(*p) && digits < kMaxDigits) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p++ - '0');
            ++digits;
            ++decimals;
        }
    }
    // More digits, an exponent or no digit at all: the general reader's business.
    if (digits == 0 || (p != end && (isDigit(*p) || *p == 'e' || *p == 'E' || *p == '.'))) return false;
    const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    cursor = p;
    return true;
}
