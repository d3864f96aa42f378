// Zips folders of readable part sources into an Office Open XML package: the repository keeps the
// templates as indented XML, so a template change is a reviewable diff, and the build packs them.
// Later folders add parts to, or replace parts of, earlier ones (shared styles, then one report's
// own parts). XML parts are checked for well-formedness and written without their indentation.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "ContentTypes.h"
#include "Package.h"
#include "XmlPart.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: ooxml-pack OUTPUT_FILE SOURCE_FOLDER...\n";
        return 2;
    }
    namespace fs = std::filesystem;
    ooxml::Package package;
    for (int folder = 2; folder < argc; ++folder) {
        const fs::path source = argv[folder];
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(source))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            std::string content = bytes.str();
            const std::string extension = file.extension().string();
            if (extension == ".xml" || extension == ".rels") {
                tinyxml2::XMLDocument doc;
                if (!ooxml::ParseXml(content, doc)) {
                    std::cerr << "ooxml-pack: not well-formed XML: " << file << "\n";
                    return 1;
                }
                content = ooxml::SerialiseXml(doc);
            }
            package.SetPart(fs::relative(file, source).generic_string(), std::move(content));
        }
    }
    std::string error;
    if (!package.HasPart(ooxml::kContentTypesPart)) {
        std::cerr << "ooxml-pack: no [Content_Types].xml in the source folders\n";
        return 1;
    }
    if (!package.SaveAs(argv[1], error)) {
        std::cerr << "ooxml-pack: " << error << "\n";
        return 1;
    }
    return 0;
}
