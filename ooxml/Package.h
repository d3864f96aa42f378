#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ooxml {

// A part whose bytes are made only while the package is saved: `write` fills an empty string with
// them. The parts are made in their order and each is dropped once it is in the zip, so a package of
// many large parts (the sheets of a raw-data workbook) never holds them all at once. The next part
// is made on a second thread while the zip compresses the current one, so `write` must only read
// what it shares with the rest of the program.
struct GeneratedPart {
    std::string name;
    std::function<void(std::string& bytes)> write;
};

// An Office Open XML package held in memory: every part of the zip by its name ("word/document.xml",
// "[Content_Types].xml"). Templates and reports are small, so parts are read whole on opening and
// written whole on saving; what is large (a workbook's sheets) is handed to SaveAs as generated
// parts instead of being held.
class Package {
  public:
    // Reads every part of the zip at `path`. On failure returns false, keeps the package empty and
    // puts a sentence for the user into `error` (missing or not a regular file, not a zip,
    // unreadable, a part named outside the package, a part that unpacks to more than 32 MiB or
    // far more than XML deflates to, a package of more than 128 MiB); a refused part is named.
    bool Open(const std::string& path, std::string& error);

    bool HasPart(const std::string& name) const { return m_parts.count(name) != 0; }
    // The bytes of a part; null when the package has no such part.
    const std::string* Part(const std::string& name) const;
    // Replaces or adds a part. New parts are written after the existing ones, in the order added.
    void SetPart(const std::string& name, std::string bytes);
    void RemovePart(const std::string& name);
    std::vector<std::string> PartNames() const { return m_order; }

    // The package's zip bytes. "[Content_Types].xml" is written first; pictures are stored
    // uncompressed (they are compressed already). The `generated` parts follow the held ones, in
    // their order, and replace held parts of their name.
    bool Write(std::string& packed, std::string& error,
               const std::vector<GeneratedPart>& generated = {}) const;
    // Writes the package to `path` as the program writes every file (WriteFileAtomic): a failed or
    // killed save never leaves a half-written file or destroys an earlier one.
    bool SaveAs(const std::string& path, std::string& error,
                const std::vector<GeneratedPart>& generated = {}) const;

  private:
    std::map<std::string, std::string> m_parts;
    std::vector<std::string> m_order;
};

// The relationship part that belongs to a part: "word/document.xml" -> "word/_rels/document.xml.rels";
// the package itself ("") -> "_rels/.rels".
std::string RelationshipsPartName(const std::string& sourcePart);

// A target of a relationship of `sourcePart` resolved to a part name ("media/a.png" from
// "word/document.xml" -> "word/media/a.png"; "/xl/x.xml" -> "xl/x.xml"; ".." steps are followed).
std::string ResolveTarget(const std::string& sourcePart, const std::string& target);

} // namespace ooxml
