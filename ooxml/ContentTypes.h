#pragma once
#include <map>
#include <string>

namespace ooxml {

class Package;

// "[Content_Types].xml": a content type per file extension and per overridden part name.
class ContentTypes {
  public:
    ContentTypes() = default;
    explicit ContentTypes(const Package& package);

    // The content type of a part ("word/document.xml"): its override, else its extension's default;
    // empty when neither is known.
    std::string TypeOf(const std::string& partName) const;
    void SetDefault(const std::string& extension, const std::string& type);
    void SetOverride(const std::string& partName, const std::string& type);
    void RemoveOverride(const std::string& partName);

    void Store(Package& package) const;

  private:
    std::map<std::string, std::string> m_defaults;  // lower-case extension -> type
    std::map<std::string, std::string> m_overrides; // part name without the leading "/" -> type
};

inline constexpr const char* kContentTypesPart = "[Content_Types].xml";

} // namespace ooxml
