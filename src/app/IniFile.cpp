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

void IniFile::BuildIndex() const {
    m_index.clear();
    SectionIndex* open = nullptr; // the section being read, when it is the first of its name
    bool inSection = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (std::optional<std::string_view> name = SectionName(m_lines[i])) {
            auto [it, inserted] = m_index.try_emplace(ToLower(*name));
            open = inserted ? &it->second : nullptr;
            inSection = true;
            if (open) open->line = open->end = i;
            if (open) open->end = i + 1;
            continue;
        }
        if (!inSection || !open) continue;
        if (!Trim(m_lines[i]).empty()) open->end = i + 1;
        if (std::optional<KeyValue> entry = ParseKeyLine(m_lines[i]))
            open->keys.try_emplace(ToLower(entry->key), i);
    }
    m_indexValid = true;
}

IniFile::Location IniFile::Locate(std::string_view section, std::string_view key) const {
    if (!m_indexValid) BuildIndex();
    Location where;
    auto found = m_index.find(ToLower(section));
    if (found == m_index.end()) return where;
    where.sectionLine = found->second.line;
    where.sectionEnd = found->second.end;
    if (auto k = found->second.keys.find(ToLower(key)); k != found->second.keys.end())
        where.keyLine = k->second;
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
        return true; // the line stays where it was: the index still holds
    }
    const std::string line = std::string(key) + "=" + std::string(value);
    if (where.sectionLine) {
        const size_t at = where.sectionEnd;
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        // Every line from `at` on moved down by one; the new key ends its section.
        for (auto& [name, index] : m_index) {
            if (index.line >= at) ++index.line;
            if (index.end >= at && index.line != *where.sectionLine) ++index.end;
            for (auto& [keyName, keyLine] : index.keys)
                if (keyLine >= at) ++keyLine;
        }
        SectionIndex& own = m_index[ToLower(section)];
        own.end = at + 1;
        own.keys.try_emplace(ToLower(key), at);
        return true;
    }
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) m_lines.emplace_back();
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(line);
    SectionIndex& added = m_index[ToLower(section)];
    added.line = m_lines.size() - 2;
    added.end = m_lines.size();
    added.keys = {{ToLower(key), m_lines.size() - 1}};
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
