#include "app/ConfigStore.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <tinyxml2.h>

#include "app/AtomicFile.h"

namespace {

constexpr const char* kRootName = "ConfigApp";
constexpr const char* kValueAttribute = "value";

// Character codes are taken as signed bytes, as the value bytes are, so a key of non-ASCII
// characters gives the same sum whoever wrote the file.
int64_t KeySum(std::string_view key) {
    int64_t sum = 0;
    for (char c : key) sum += static_cast<signed char>(c);
    return sum;
}

// Element names go into the file unchecked by the XML library; a name that is not an XML name
// would make the whole file unreadable on the next load.
bool IsXmlName(std::string_view name) {
    auto isStart = [](unsigned char c) { return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80; };
    auto isInner = [&](unsigned char c) { return isStart(c) || std::isdigit(c) || c == '-' || c == '.'; };
    if (name.empty() || !isStart(static_cast<unsigned char>(name.front()))) return false;
    for (char c : name.substr(1))
        if (!isInner(static_cast<unsigned char>(c))) return false;
    return true;
}

// What identifies one version of the file on disk: atomic saves give a new inode, edits in place a
// new modification time or size.
struct FileSignature {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t mtimeSec = 0;
    int64_t mtimeNsec = 0;
    bool operator==(const FileSignature&) const = default;
};

enum class FileState { Missing, Unusable, Loaded };

} // namespace

std::string EncodeConfigValue(std::string_view key, std::string_view value) {
    const int64_t sum = KeySum(key);
    std::string stored;
    stored.reserve(value.size() * 4);
    for (size_t i = 0; i < value.size(); ++i) {
        if (i > 0) stored += '-';
        stored += std::to_string(static_cast<signed char>(value[i]) + sum);
    }
    return stored;
}

// The numbers are written with their sign, so a negative one (a short key and a non-ASCII byte)
// appears as "--n" after a separator: a separator followed by an optional "-" and digits.
std::string DecodeConfigValue(std::string_view key, std::string_view stored) {
    const int64_t sum = KeySum(key);
    std::string value;
    const char* p = stored.data();
    const char* end = p + stored.size();
    while (p != end) {
        if (!value.empty()) {
            if (*p != '-') return {};
            ++p;
        }
        int64_t number = 0;
        auto [next, error] = std::from_chars(p, end, number);
        if (error != std::errc() || next == p) return {};
        const int64_t byte = number - sum;
        if (byte < -128 || byte > 127) return {};
        value += static_cast<char>(static_cast<signed char>(byte));
        p = next;
    }
    return value;
}

struct ConfigStore::ParsedFile {
    std::mutex lock;
    bool loaded = false;
    FileSignature signature;
    tinyxml2::XMLDocument doc;
    // The shipped defaults, parsed on first need, for reads while the file cannot answer.
    bool defaultsTried = false;
    bool defaultsParsed = false;
    tinyxml2::XMLDocument defaults;
};

namespace {

std::optional<FileSignature> StatFile(const std::string& path, bool& missing) {
    struct stat info {};
    missing = false;
    if (::stat(path.c_str(), &info) != 0) {
        missing = errno == ENOENT || errno == ENOTDIR;
        return std::nullopt;
    }
    return FileSignature{info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

bool IsBlank(std::string_view bytes) {
    for (char c : bytes)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

// Brings `doc` up to date with the file. An empty file counts as missing: it holds no setting
// that could be lost, and it is what an interrupted copy by hand leaves behind.
template <typename Parsed> FileState LoadInto(const std::string& path, Parsed& parsed) {
    bool missing = false;
    std::optional<FileSignature> signature = StatFile(path, missing);
    if (!signature) {
        parsed.loaded = false;
        return missing ? FileState::Missing : FileState::Unusable;
    }
    if (parsed.loaded && parsed.signature == *signature) return FileState::Loaded;
    parsed.loaded = false;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return FileState::Unusable;
    if (IsBlank(bytes)) return FileState::Missing;
    parsed.doc.Clear();
    if (parsed.doc.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS) return FileState::Unusable;
    parsed.loaded = true;
    parsed.signature = *signature;
    return FileState::Loaded;
}

bool ParseSeed(tinyxml2::XMLDocument& doc, const std::string& shippedDefaults) {
    std::string bytes;
    if (shippedDefaults.empty() || !ReadWholeFile(shippedDefaults, bytes)) return false;
    doc.Clear();
    if (doc.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS) return false;
    const tinyxml2::XMLElement* root = doc.RootElement();
    return root && std::string_view(root->Name()) == kRootName;
}

// The shipped defaults when they can be read, else an empty configuration.
void SeedDocument(tinyxml2::XMLDocument& doc, const std::string& shippedDefaults) {
    if (ParseSeed(doc, shippedDefaults)) return;
    doc.Clear();
    doc.InsertEndChild(doc.NewDeclaration());
    doc.InsertEndChild(doc.NewElement(kRootName));
}

tinyxml2::XMLElement* FindOrAddChild(tinyxml2::XMLNode& parent, const std::string& name) {
    if (tinyxml2::XMLElement* found = parent.FirstChildElement(name.c_str())) return found;
    return parent.InsertEndChild(parent.GetDocument()->NewElement(name.c_str()))->ToElement();
}

} // namespace

ConfigStore::ConfigStore(std::string configFile, std::string shippedDefaults)
    : m_configFile(std::move(configFile)), m_shippedDefaults(std::move(shippedDefaults)),
      m_parsed(std::make_shared<ParsedFile>()) {}

namespace {
bool IsConfigRoot(const tinyxml2::XMLElement* root) {
    return root && std::string_view(root->Name()) == kRootName;
}
} // namespace

ConfigHealth ConfigStore::Health() const {
    std::lock_guard guard(m_parsed->lock);
    switch (LoadInto(m_configFile, *m_parsed)) {
    case FileState::Missing:
        return ConfigHealth::Missing;
    case FileState::Unusable:
        return ConfigHealth::Unusable;
    case FileState::Loaded:
        break;
    }
    return IsConfigRoot(m_parsed->doc.RootElement()) ? ConfigHealth::Loaded : ConfigHealth::Unusable;
}

Failure ConfigStore::Fault() const {
    if (Health() != ConfigHealth::Unusable) return {};
    std::string bytes;
    if (!ReadWholeFile(m_configFile, bytes))
        return {FailureKind::Unreadable, m_configFile, 0, "cannot be read"};
    tinyxml2::XMLDocument doc;
    if (doc.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS)
        return {FailureKind::Refused, m_configFile, doc.ErrorLineNum(),
                std::string("not XML: ") + doc.ErrorName()};
    return {FailureKind::Refused, m_configFile, 0,
            doc.RootElement() ? "the root element is not " + std::string(kRootName) : "no root element"};
}

std::string ConfigStore::ReadConfig(std::string_view section, std::string_view key) const {
    std::lock_guard guard(m_parsed->lock);
    const tinyxml2::XMLElement* root = nullptr;
    if (LoadInto(m_configFile, *m_parsed) == FileState::Loaded) root = m_parsed->doc.RootElement();
    if (!IsConfigRoot(root)) {
        if (!m_parsed->defaultsTried) {
            m_parsed->defaultsTried = true;
            m_parsed->defaultsParsed = ParseSeed(m_parsed->defaults, m_shippedDefaults);
        }
        if (!m_parsed->defaultsParsed) return {};
        root = m_parsed->defaults.RootElement();
    }
    const tinyxml2::XMLElement* sectionElement = root->FirstChildElement(std::string(section).c_str());
    if (!sectionElement) return {};
    const tinyxml2::XMLElement* keyElement = sectionElement->FirstChildElement(std::string(key).c_str());
    if (!keyElement) return {};
    const char* stored = keyElement->Attribute(kValueAttribute);
    return stored ? DecodeConfigValue(key, stored) : std::string();
}

// A file that is there but is no configuration (not XML, another root element, unreadable) is
// left alone rather than replaced: it may be something the user wants to keep.
int ConfigStore::WriteConfig(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsXmlName(section) || !IsXmlName(key)) return 0;
    std::lock_guard guard(m_parsed->lock);
    ParsedFile& parsed = *m_parsed;
    switch (LoadInto(m_configFile, parsed)) {
    case FileState::Unusable:
        return 0;
    case FileState::Missing:
        SeedDocument(parsed.doc, m_shippedDefaults);
        break;
    case FileState::Loaded:
        break;
    }
    // From here on the document may differ from the file until the save succeeds.
    parsed.loaded = false;
    tinyxml2::XMLElement* root = parsed.doc.RootElement();
    if (!root) root = parsed.doc.InsertEndChild(parsed.doc.NewElement(kRootName))->ToElement();
    if (std::string_view(root->Name()) != kRootName) return 0;
    tinyxml2::XMLElement* keyElement =
        FindOrAddChild(*FindOrAddChild(*root, std::string(section)), std::string(key));
    keyElement->SetAttribute(kValueAttribute, EncodeConfigValue(key, value).c_str());

    tinyxml2::XMLPrinter printer;
    parsed.doc.Print(&printer);
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::path(m_configFile).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    if (!WriteFileAtomic(m_configFile, std::string_view(printer.CStr(), printer.CStrSize() - 1))) return 0;

    bool missing = false;
    if (std::optional<FileSignature> signature = StatFile(m_configFile, missing)) {
        parsed.signature = *signature;
        parsed.loaded = true;
    }
    return 1;
}
