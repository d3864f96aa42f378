#include "app/TextUtil.h"

#include "app/SimpleDecimal.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

namespace {
constexpr uint64_t kExactMantissaLimit = uint64_t(1) << 53;

// The general reader for what the fast path leaves: exponents, long mantissas, many decimals.
double ParseGeneralDouble(std::string_view text, size_t start, size_t end) {
    size_t first = start;
    if (text[first] == '+') ++first; // from_chars does not take a leading plus
    double value = 0.0;
    auto result = std::from_chars(text.data() + first, text.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large gives an infinity of the right sign, too small gives zero, as strtod does.
        bool negative = text[first] == '-';
        bool huge = false;
        // The exponent decides which way it went.
        auto ePos = std::string_view(text.data() + first, end - first).find_first_of("eE");
        if (ePos != std::string_view::npos) {
            std::string_view expText(text.data() + first + ePos + 1, end - first - ePos - 1);
            huge = expText.empty() || expText[0] != '-';
        } else {
            huge = true;
        }
        value = huge ? (negative ? -HUGE_VAL : HUGE_VAL) : (negative ? -0.0 : 0.0);
    }
    return value;
}
} // namespace

double ParseLeadingDouble(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p != end && IsBlank(*p)) ++p;
    if (double simple = 0; ParseSimpleDecimal(p, end, simple)) return simple;
    const size_t start = static_cast<size_t>(p - begin);
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // Mantissa and decimals are gathered on the way; while the mantissa stays below 2^53 and there
    // are at most 22 decimals, mantissa / 10^decimals is one correctly rounded division of two
    // exact doubles, so the result is the correctly rounded value the general reader gives.
    uint64_t mantissa = 0;
    bool exact = true;
    const char* digitsStart = p;
    while (p != end && IsDigit(*p)) {
        if (mantissa >= kExactMantissaLimit / 10)
            exact = false;
        else
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
        ++p;
    }
    size_t digits = static_cast<size_t>(p - digitsStart);
    size_t decimals = 0;
    if (p != end && *p == '.') {
        const char* decimalsStart = ++p;
        while (p != end && IsDigit(*p)) {
            if (mantissa >= kExactMantissaLimit / 10)
                exact = false;
            else
                mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
            ++p;
        }
        decimals = static_cast<size_t>(p - decimalsStart);
        digits += decimals;
    }
    if (digits == 0) return 0.0;
    const char* numberEnd = p;
    if (p != end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q != end && (*q == '+' || *q == '-')) ++q;
        if (q != end && IsDigit(*q)) {
            while (q != end && IsDigit(*q)) ++q;
            numberEnd = q;
            exact = false;
        }
    }
    if (exact && decimals < std::size(kExactPowersOfTen)) {
        const double value = static_cast<double>(mantissa) / kExactPowersOfTen[decimals];
        return negative ? -value : value;
    }
    return ParseGeneralDouble(text, start, static_cast<size_t>(numberEnd - begin));
}

int32_t ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
        ++i;
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

void AppendFixed(std::string& out, double value, int decimals) {
    if (!std::isfinite(value)) value = kNoValue;
    if (decimals >= 0 && decimals <= 9) {
        // The scaled magnitude is one correctly rounded product of the value and an exact power of
        // ten, so it is off from the exact one by at most half a unit in its last place. Unless its
        // fraction lies within that of one half, it rounds the way the exact value does and the
        // integer digits are the printf digits; the near-ties go to the exact general writer.
        const double scaled = std::fabs(value) * kExactPowersOfTen[decimals];
        if (scaled < 1e15) {
            const double whole = std::floor(scaled);
            const double fraction = scaled - whole;
            if (std::fabs(fraction - 0.5) > scaled * 0x1p-51 + 0x1p-60) {
                const uint64_t units = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
                const auto scale = static_cast<uint64_t>(kExactPowersOfTen[decimals]);
                std::array<char, 48> buffer{};
                char* p = buffer.data();
                if (std::signbit(value)) *p++ = '-'; // "-0.00" as printf writes it
                p = std::to_chars(p, buffer.data() + buffer.size(), units / scale).ptr;
                if (decimals > 0) {
                    *p++ = '.';
                    uint64_t rest = units % scale;
                    for (int i = decimals - 1; i >= 0; --i) {
                        p[i] = static_cast<char>('0' + rest % 10);
                        rest /= 10;
                    }
                    p += decimals;
                }
                out.append(buffer.data(), p);
                return;
            }
        }
    }
    std::array<char, 512> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                decimals);
    out.append(buffer.data(), result.ptr);
}

std::string FormatFixed(double value, int decimals) {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

std::string FormatShown(double value, int decimals) {
    std::string text = FormatFixed(value, decimals);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return text;
}

double FixedValue(float value, int decimals) {
    if (!std::isfinite(value)) return kNoValue;
    const double scale = kExactPowersOfTen[std::clamp(decimals, 0, 12)];
    return std::nearbyint(static_cast<double>(value) * scale) / scale;
}

std::string FormatShortestFloat(float value) {
    std::string text;
    AppendShortestFloat(text, value);
    return text;
}

void AppendShortestFloat(std::string& out, float value) {
    if (!std::isfinite(value)) value = static_cast<float>(kNoValue);
    if (value == 0.0f) value = 0.0f; // "0", never "-0"
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

double ShortestDecimal(float value) {
    std::array<char, 64> buffer{};
    if (value == 0.0f) return 0.0;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    double wide = static_cast<double>(value);
    std::from_chars(buffer.data(), written.ptr, wide);
    return wide;
}

std::string PrintableText(std::string_view text) {
    const std::string valid = ValidUtf8(text);
    std::string out;
    out.reserve(valid.size());
    for (char c : valid) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else
            out += c;
    }
    return out;
}

std::string ToLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string ToUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::vector<std::string> SplitAll(std::string_view text, char sep) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (true) {
        size_t pos = text.find(sep, start);
        if (pos == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
}

std::vector<std::string> SplitLimited(std::string_view text, char sep, size_t maxTokens) {
    auto pieces = SplitAll(text, sep);
    if (pieces.size() > maxTokens) pieces.resize(maxTokens);
    return pieces;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string LastPathComponent(std::string_view path) {
    size_t pos = path.find_last_of("\\/");
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

std::string ParentFolderName(std::string_view path) {
    size_t pos = path.find_last_of("\\/");
    if (pos == std::string_view::npos) return {};
    return LastPathComponent(path.substr(0, pos));
}
