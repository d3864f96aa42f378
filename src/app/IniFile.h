#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file with the private-profile rules: "[section]" lines, "key=value" lines, ";" comments.
// Section and key names compare case-insensitively; the first matching section and, inside it, the
// first matching key count. Values are read trimmed of surrounding blanks and of one pair of
// enclosing quotes. A write replaces an existing key's value in place and keeps every other line
// and its order.
class IniFile {
  public:
    // Reads `path`; a missing or unreadable file gives an empty one.
    explicit IniFile(std::string path);

    // The value, or nothing when the section or the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The leading integer of the value; `defaultValue` when the key is missing or its value empty.
    int32_t ReadInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Sets the value in memory, creating section and key when missing. False (and nothing
    // changed) for names or values that cannot be written as one INI line.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    // Writes the file atomically. False when it could not be written, or when the file was there
    // but could not be read: saving would then replace lines this object never saw.
    bool Save() const;

    const std::string& Path() const { return m_path; }

  private:
    struct Location {
        std::optional<size_t> sectionLine; // the "[section]" line
        size_t sectionEnd = 0;             // one past the last key or comment of the section
        std::optional<size_t> keyLine;
    };
    Location Locate(std::string_view section, std::string_view key) const;
    void BuildIndex() const;

    // Where each section starts and ends and where each of its keys stands, built once per change
    // of the lines, so that a lookup does not walk the file (a colour file holds thousands).
    struct SectionIndex {
        size_t line = 0;
        size_t end = 0;
        std::map<std::string, size_t> keys; // lower-case key -> its first line
    };
    mutable std::map<std::string, SectionIndex> m_index; // lower-case name -> its first section
    mutable bool m_indexValid = false;

    std::string m_path;
    std::vector<std::string> m_lines; // without line ends
    std::string m_lineEnd = "\r\n";   // what the file used; new files get CR LF
    bool m_byteOrderMark = false;
    bool m_unreadable = false;
};

// The private-profile functions, each reading (and writing) the file afresh.
int32_t IniReadInt(std::string_view section, std::string_view key, int32_t defaultValue,
                   const std::string& file);
std::string IniReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          const std::string& file);
// Creates the file, the section and the key as needed; false when the file cannot be written.
bool IniWriteString(std::string_view section, std::string_view key, std::string_view value,
                    const std::string& file);
