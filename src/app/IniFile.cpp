#include "app/IniFile.h"

#include <filesystem>

#include "app/AtomicFile.h"
#include "app/TextUtil.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return ToLower(a) == ToLower(b);
}

// The name of a "[section]" line; a missing "]" takes the rest of the line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const size_t close = text.find(']');
    return Trim(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> ParseKeyLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '[') return std::nullopt;
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyValue{Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

IniFile::IniFile(std::string path) : m_path(std::move(path)) {
    std::string bytes;
    if (!ReadWholeFile(m_path, bytes)) {
        std::error_code ignored;
        m_unreadable = std::filesystem::exists(m_path, ignored);
        return;
    }
    std::string_view text = bytes;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        m_byteOrderMark = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    const size_t firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && (firstBreak == 0 || text[firstBreak - 1] != '\r'))
        m_lineEnd = "\n";
    m_lines = SplitAll(text, '\n');
    if (!m_lines.empty() && m_lines.back().empty()) m_lines.pop_back();
    for (std::string& line : m_lines)
        if (!line.empty() && line.back() == '\r') line.pop_back();
}

IniFile::Location IniFile::Locate(std::string_view section, std::string_view key) const {
    Location where;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        std::optional<std::string_view> name = SectionName(m_lines[i]);
        if (where.sectionLine) {
            if (name) break;
            if (!Trim(m_lines[i]).empty()) where.sectionEnd = i + 1;
            std::optional<KeyValue> entry = ParseKeyLine(m_lines[i]);
            if (!where.keyLine && entry && SameName(entry->key, key)) where.keyLine = i;
        } else if (name && SameName(*name, section)) {
            where.sectionLine = i;
            where.sectionEnd = i + 1;
        }
    }
    return where;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    const Location where = Locate(Trim(section), Trim(key));
    if (!where.keyLine) return std::nullopt;
    return std::string(StripQuotes(ParseKeyLine(m_lines[*where.keyLine])->value));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    return value ? *value : std::string(defaultValue);
}

int32_t IniFile::ReadInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    std::optional<std::string> value = Find(section, key);
    if (!value || value->empty()) return defaultValue;
    return ParseLeadingInt(*value);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return false;
    if (section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';')
        return false;
    const Location where = Locate(section, key);
    if (where.keyLine) {
        // The key keeps the spelling it had in the file.
        std::string_view existingKey = ParseKeyLine(m_lines[*where.keyLine])->key;
        m_lines[*where.keyLine] = std::string(existingKey) + "=" + std::string(value);
        return true;
    }
    const std::string line = std::string(key) + "=" + std::string(value);
    if (where.sectionLine) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(where.sectionEnd), line);
        return true;
    }
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) m_lines.emplace_back();
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(line);
    return true;
}

bool IniFile::Save() const {
    if (m_unreadable) return false;
    std::string bytes = m_byteOrderMark ? std::string(kByteOrderMark) : std::string();
    for (const std::string& line : m_lines) bytes += line + m_lineEnd;
    return WriteFileAtomic(m_path, bytes);
}

int32_t IniReadInt(std::string_view section, std::string_view key, int32_t defaultValue,
                   const std::string& file) {
    return IniFile(file).ReadInt(section, key, defaultValue);
}

std::string IniReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          const std::string& file) {
    return IniFile(file).ReadString(section, key, defaultValue);
}

bool IniWriteString(std::string_view section, std::string_view key, std::string_view value,
                    const std::string& file) {
    IniFile ini(file);
    return ini.WriteString(section, key, value) && ini.Save();
}
