#pragma once
#include <string>
#include <vector>

namespace ooxml {

class Package;

struct Relationship {
    std::string id;
    std::string type;
    std::string target;
    bool external = false;
};

// The relationships of one part (or of the package, for source part ""), read from and stored to
// its ".rels" part.
class Relationships {
  public:
    Relationships() = default;
    Relationships(const Package& package, const std::string& sourcePart);

    const std::vector<Relationship>& All() const { return m_items; }
    const Relationship* FindById(const std::string& id) const;
    const Relationship* FindByType(const std::string& type) const;
    // Adds an internal relationship and returns its new id ("rIdN", unused so far).
    std::string Add(const std::string& type, const std::string& target);

    void Store(Package& package) const;

  private:
    std::string m_sourcePart;
    std::vector<Relationship> m_items;
};

// Relationship types used by the word-processing and spreadsheet layers.
inline constexpr const char* kRelOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kRelImage =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
inline constexpr const char* kRelHeader =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/header";
inline constexpr const char* kRelFooter =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/footer";
inline constexpr const char* kRelSettings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/settings";
inline constexpr const char* kRelStyles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kRelWorksheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kRelSharedStrings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";

} // namespace ooxml
