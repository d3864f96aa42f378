#include "document/Naming.h"

#include "app/TextUtil.h"

namespace {
constexpr size_t kMaxFolderTokens = 11;
constexpr size_t kMaxFileTokens = 20;
constexpr size_t kRequiredFolderTokens = 6;

std::string SwapFirstFound(std::string text, std::string_view a, std::string_view b) {
    if (Contains(text, a)) return ReplaceAll(std::move(text), a, b);
    return ReplaceAll(std::move(text), b, a);
}

std::string Stem(std::string_view fileName) {
    return std::string(fileName.size() >= 4 ? fileName.substr(0, fileName.size() - 4) : std::string_view{});
}
} // namespace

std::pair<std::string, std::string> SplitFileName(const std::string& path) {
    size_t pos = path.find_last_of("\\/");
    if (pos == std::string::npos) return {std::string(), path};
    return {path.substr(0, pos + 1), path.substr(pos + 1)};
}

std::string BaseFolderOf(const std::string& patternPath) {
    const std::string folderOfFile = SplitFileName(patternPath).first;
    if (folderOfFile.empty()) return {};
    return SplitFileName(folderOfFile.substr(0, folderOfFile.size() - 1)).first;
}

void FillFileNameFields(std::string_view fileName, NameFields& fields) {
    const std::string stem = Stem(fileName);
    if (!Contains(stem, "_")) return;
    const auto tokens = SplitLimited(stem, '_', kMaxFileTokens);
    // A missing token leaves its field as it was: the loader's source-type text "msi" in the plane
    // field stays when the name has fewer than three tokens.
    for (size_t i = 0; i < 7 && i < tokens.size(); ++i) fields[kFieldPort + i] = tokens[i];
    const bool hasExtras = tokens.size() >= 9;
    fields[kFieldExtra1] = hasExtras ? tokens[7] : std::string();
    fields[kFieldExtra2] = hasExtras ? tokens[8] : std::string();
}

bool FillFolderNameFields(std::string_view folderName, NameFields& fields) {
    if (!Contains(folderName, "_")) return false;
    const auto tokens = SplitLimited(folderName, '_', kMaxFolderTokens);
    if (tokens.size() < kRequiredFolderTokens) return false;
    for (size_t i = 0; i < kRequiredFolderTokens; ++i) fields[i] = tokens[i];
    return true;
}

std::string PlanePartner(const std::string& path) {
    auto [folder, name] = SplitFileName(path);
    return folder + SwapFirstFound(name, "_e", "_h");
}

std::string CoCrossPartner(const std::string& path) {
    auto [folder, name] = SplitFileName(path);
    name = SwapFirstFound(std::move(name), "_co", "_cr");
    return folder + SwapFirstFound(std::move(name), "+45", "-45");
}

std::string PolarisationPartner(const std::string& path) {
    auto [folder, name] = SplitFileName(path);
    const size_t firstSep = name.find('_');
    std::string firstToken = name.substr(0, firstSep);
    if (firstToken.empty()) return path;
    // The port number is the last character of the port token.
    int n = ParseLeadingInt(std::string_view(&firstToken.back(), 1));

    NameFields fields;
    FillFileNameFields(name, fields);
    const bool fourPortOffset = fields[kFieldExtra1] == "td";
    if (Contains(name, "_p45"))
        name = ReplaceAll(std::move(name), "_p45", "_m45");
    else if (Contains(name, "_m45"))
        name = ReplaceAll(std::move(name), "_m45", "_p45");
    if (fourPortOffset)
        n = n > 4 ? n - 4 : n + 4;
    else
        n = n % 2 == 0 ? n - 1 : n + 1;
    name = SwapFirstFound(std::move(name), "+45", "-45");

    std::string newToken = firstToken.substr(0, firstToken.size() - 1) + std::to_string(n);
    name.replace(0, firstToken.size(), newToken);
    return folder + name;
}
