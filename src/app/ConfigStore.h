#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One setting to be stored, computed by a layer that only reads the document; the command layer
// stores a list of them in order (ApplyConfigWrites).
struct ConfigWrite {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const ConfigWrite&) const = default;
};
using ConfigWrites = std::vector<ConfigWrite>;

inline void AddConfigWrite(ConfigWrites& writes, std::string_view section, std::string_view key,
                           std::string_view value) {
    writes.push_back({std::string(section), std::string(key), std::string(value)});
}

#include "app/Failure.h"

enum class ConfigHealth { Loaded, Missing, Unusable };

// The configuration store: Config.xml with root "ConfigApp", one element per dialog section, one
// element per entry whose attribute "value" holds the encoded value text. Every access looks at the
// file afresh; the parsed document is kept only while the file on disk is unchanged.
class ConfigStore {
  public:
    // `configFile` is the full path of Config.xml; `shippedDefaults` the Config.xml shipped with
    // the program, copied in place when the configuration file is missing (empty: none).
    explicit ConfigStore(std::string configFile, std::string shippedDefaults = {});

    // The decoded value; empty when the section or the entry is missing, or when the stored
    // attribute is not a valid encoding. While the file is missing or unusable (not XML, another
    // root, unreadable, a folder) the shipped defaults answer, so settings never silently become
    // empty; the unusable file itself is never overwritten.
    std::string ReadConfig(std::string_view section, std::string_view key) const;
    // Stores the encoded value and saves the file atomically. A missing section or entry is
    // created, so a setting is never silently dropped. Returns 1, or 0 when the file could not
    // be written (the previous file then stays as it was).
    int WriteConfig(std::string_view section, std::string_view key, std::string_view value);

    const std::string& FilePath() const { return m_configFile; }
    // What the file on disk is now: loaded, missing (the defaults answer until the first write
    // creates it) or unusable.
    ConfigHealth Health() const;
    // Why the file on disk is unusable: Unreadable when it cannot be read, else Refused with the
    // line where the XML parser stopped (0 for a file of another root). A default Failure while the
    // file is usable or missing.
    Failure Fault() const;

  private:
    struct ParsedFile;
    std::string m_configFile;
    std::string m_shippedDefaults;
    // Shared by copies of the store; guarded by its own lock.
    std::shared_ptr<ParsedFile> m_parsed;
};

// The stored value encoding: with S the sum of the character codes of the key, each byte b of the
// value (signed 8-bit) is written as the decimal text of b + S; the numbers are joined with "-".
std::string EncodeConfigValue(std::string_view key, std::string_view value);
// The inverse; an attribute that is not a valid encoding (junk, empty pieces, numbers that give no
// byte) decodes to an empty text, so the caller falls back to its default.
std::string DecodeConfigValue(std::string_view key, std::string_view stored);
