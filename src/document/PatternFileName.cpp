#include "document/PatternFileName.h"

#include <array>
#include <utility>

namespace {
constexpr std::array<std::pair<std::string_view, PatternFileKind>, 4> kExtensions = {{
    {".msi", PatternFileKind::Msi},
    {".MSI", PatternFileKind::Msi},
    {".cm", PatternFileKind::Encrypted},
    {".CM", PatternFileKind::Encrypted},
}};
} // namespace

PatternFileKind PatternFileKindOf(std::string_view fileName) {
    for (const auto& [extension, kind] : kExtensions)
        if (fileName.size() >= extension.size() &&
            fileName.substr(fileName.size() - extension.size()) == extension)
            return kind;
    return PatternFileKind::None;
}

std::string PatternFileFilter() {
    std::string filter = "Pattern Files (";
    for (const auto& [extension, kind] : kExtensions) {
        if (filter.back() != '(') filter += ' ';
        filter += "*" + std::string(extension);
    }
    return filter + ")";
}
