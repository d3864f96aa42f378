#include "cli/JsonStream.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {
// Names the tree writer prints as they are: printable ASCII without quote or backslash.
bool PlainName(std::string_view name) {
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') return false;
    }
    return true;
}
} // namespace

void JsonStream::Flush() {
    if (m_text.empty()) return;
    m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
    m_text.clear();
}

void JsonStream::Closed() {
    if (m_levels.empty() || m_text.size() >= kFlushAt) Flush();
}

void JsonStream::Indent(size_t depth) {
    m_text += '\n';
    m_text.append(depth, ' ');
}

void JsonStream::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) return;
    if (!m_levels.back().empty) m_text += ',';
    m_levels.back().empty = false;
    Indent(m_levels.size());
}

void JsonStream::BeginObject() {
    BeforeValue();
    m_text += '{';
    m_levels.push_back({});
}

void JsonStream::BeginArray() {
    BeforeValue();
    m_text += '[';
    m_levels.push_back({});
}

void JsonStream::EndObject() {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) Indent(m_levels.size());
    m_text += '}';
    Closed();
}

void JsonStream::EndArray() {
    const bool empty = m_levels.back().empty;
    m_levels.pop_back();
    if (!empty) Indent(m_levels.size());
    m_text += ']';
    Closed();
}

void JsonStream::Key(std::string_view name) {
    if (!m_levels.back().empty) m_text += ',';
    m_levels.back().empty = false;
    Indent(m_levels.size());
    if (PlainName(name)) {
        m_text += '"';
        m_text += name;
        m_text += '"';
    } else {
        m_text +=
            nlohmann::json(std::string(name)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    m_text += ": ";
    m_afterKey = true;
}

void JsonStream::Value(const nlohmann::json& value) {
    BeforeValue();
    const std::string text = value.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
    if (m_levels.empty()) {
        m_text += text;
        Flush();
        return;
    }
    // Strings are escaped, so every line break in the text is layout: indent it to this depth.
    size_t start = 0;
    for (size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
        m_text.append(text, start, lf + 1 - start);
        m_text.append(m_levels.size(), ' ');
        start = lf + 1;
    }
    m_text.append(text, start);
    Closed();
}

void JsonStream::Float(float value) {
    BeforeValue();
    AppendJsonFloat(m_text, value);
}

void JsonStream::Bool(bool value) {
    BeforeValue();
    m_text += value ? "true" : "false";
}

std::string JsonFloatText(float value) {
    std::string text;
    AppendJsonFloat(text, value);
    return text;
}

void AppendJsonFloat(std::string& out, float value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == 0.0f) {
        out += "0.0"; // -0 is written as 0 everywhere
        return;
    }
    // Whole numbers (the -999 of every unset member among them) print as the tree writer prints
    // them, "1800.0", without the round trip below.
    if (std::fabs(value) < 1e7f && value == std::trunc(value)) {
        std::array<char, 16> whole{};
        const auto end =
            std::to_chars(whole.data(), whole.data() + whole.size(), static_cast<int32_t>(value)).ptr;
        out.append(whole.data(), end);
        out += ".0";
        return;
    }
    // The double read from the float's shortest decimal, printed by the tree writer's own number
    // formatter, whose digits are not always the shortest ("95.60107000000001").
    std::array<char, 32> shortest{};
    const auto end = std::to_chars(shortest.data(), shortest.data() + shortest.size(), value).ptr;
    double wide = 0;
    std::from_chars(shortest.data(), end, wide);
    std::array<char, 64> buffer{};
    char* last = nlohmann::detail::to_chars(buffer.data(), buffer.data() + buffer.size(), wide);
    out.append(buffer.data(), static_cast<size_t>(last - buffer.data()));
}
