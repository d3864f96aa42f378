#include "generate/TruthJson.h"

#include "app/TextUtil.h"

namespace {
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string NumberText(std::optional<double> value, int decimals) {
    if (!value) return "null";
    std::string text = FormatFixed(*value, decimals);
    // A value that rounds to zero is written without its sign.
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-') text.erase(0, 1);
    return text;
}
} // namespace

void JsonObject::Number(const std::string& key, std::optional<double> value, int decimals) {
    m_members.push_back({key, NumberText(value, decimals), nullptr});
}

void JsonObject::Integer(const std::string& key, long long value) {
    m_members.push_back({key, std::to_string(value), nullptr});
}

void JsonObject::Unsigned(const std::string& key, unsigned long long value) {
    m_members.push_back({key, std::to_string(value), nullptr});
}

void JsonObject::String(const std::string& key, const std::string& value) {
    m_members.push_back({key, Quoted(value), nullptr});
}

void JsonObject::IntegerArray(const std::string& key, const std::vector<int>& values) {
    std::string text = "[";
    for (size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + std::to_string(values[i]);
    m_members.push_back({key, text + "]", nullptr});
}

void JsonObject::Point(const std::string& key, std::optional<std::pair<double, double>> point) {
    if (!point) {
        m_members.push_back({key, "null", nullptr});
        return;
    }
    m_members.push_back(
        {key,
         "{\"fAngle\": " + NumberText(point->first, 3) + ", \"fMag\": " + NumberText(point->second, 3) + "}",
         nullptr});
}

void JsonObject::Object(const std::string& key, JsonObject value) {
    m_members.push_back({key, {}, std::make_shared<JsonObject>(std::move(value))});
}

std::string JsonObject::Text(int indent) const {
    if (m_members.empty()) return "{}";
    std::string inner(static_cast<size_t>(indent + 2), ' ');
    std::string text = "{\n";
    for (size_t i = 0; i < m_members.size(); ++i) {
        const Member& member = m_members[i];
        text += inner + Quoted(member.key) + ": " +
                (member.object ? member.object->Text(indent + 2) : member.scalar);
        text += i + 1 < m_members.size() ? ",\n" : "\n";
    }
    return text + std::string(static_cast<size_t>(indent), ' ') + "}";
}
