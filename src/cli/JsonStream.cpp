#include "cli/JsonStream.h"

#include <array>
#include <charconv>
#include <cmath>

void JsonStream::Indent(size_t depth) {
    m_out << '\n';
    for (size_t i = 0; i < depth; ++i) m_out << ' ';
}

void JsonStream::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) return;
    if (!m_levels.back().empty) m_out << ',';
    m_levels.back().empty = false;
    Indent(m_levels.size());
}

void JsonStream::BeginObject() {
    BeforeValue();
    m_out << '{';
    m_levels.push_back({});
}

void JsonStream::BeginArray() {
    BeforeValue();
    m_out << '[';
    m_levels.push_back({});
}

void JsonStream::EndObject() {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) Indent(m_levels.size());
    m_out << '}';
}

void JsonStream::EndArray() {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) Indent(m_levels.size());
    m_out << ']';
}

void JsonStream::Key(std::string_view name) {
    if (!m_levels.back().empty) m_out << ',';
    m_levels.back().empty = false;
    Indent(m_levels.size());
    m_out << nlohmann::json(std::string(name)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
          << ": ";
    m_afterKey = true;
}

void JsonStream::Value(const nlohmann::json& value) {
    BeforeValue();
    const std::string text = value.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (m_levels.empty()) {
        m_out << text;
        return;
    }
    // Strings are escaped, so every line break in the text is layout: indent it to this depth.
    const std::string indent(m_levels.size(), ' ');
    size_t start = 0;
    for (size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
        m_out.write(text.data() + start, static_cast<std::streamsize>(lf + 1 - start));
        m_out << indent;
        start = lf + 1;
    }
    m_out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

void JsonStream::Float(float value) {
    BeforeValue();
    m_out << JsonFloatText(value);
}

std::string JsonFloatText(float value) {
    if (!std::isfinite(value)) return "null";
    if (value == 0.0f) return "0.0"; // -0 is written as 0 everywhere
    // The shortest digits and decimal exponent of the float; the double read from them has the
    // same shortest digits, which the tree writer lays out by these rules.
    std::array<char, 32> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    const std::string_view text(buffer.data(), static_cast<size_t>(result.ptr - buffer.data()));
    const bool negative = text.front() == '-';
    const size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.') digits += c;
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    const int k = static_cast<int>(digits.size());
    const int n = exponent + 1; // digits before the decimal point
    std::string out = negative ? "-" : "";
    if (k <= n && n <= 15) {
        out += digits + std::string(static_cast<size_t>(n - k), '0') + ".0";
    } else if (0 < n && n <= 15) {
        out += digits.substr(0, static_cast<size_t>(n)) + "." + digits.substr(static_cast<size_t>(n));
    } else if (-4 < n && n <= 0) {
        out += "0." + std::string(static_cast<size_t>(-n), '0') + digits;
    } else {
        out += digits.substr(0, 1);
        if (k > 1) out += "." + digits.substr(1);
        const int shown = n - 1;
        out += shown < 0 ? "e-" : "e+";
        const int magnitude = std::abs(shown);
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    }
    return out;
}
