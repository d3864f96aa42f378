#pragma once
#include <string>
#include <string_view>

// Whether a file is a pattern file, and which reader takes it, is decided by its name alone:
// ".msi" or ".MSI" is MSI, ".cm" or ".CM" the encrypted form; any other spelling is no pattern file.
// Loading, folder collection and the open dialog follow this one rule.
enum class PatternFileKind { None, Msi, Encrypted };

PatternFileKind PatternFileKindOf(std::string_view fileName);

inline bool IsPatternFileName(std::string_view fileName) {
    return PatternFileKindOf(fileName) != PatternFileKind::None;
}

// The open dialog's name filter for them: "Pattern Files (*.msi *.MSI *.cm *.CM)".
std::string PatternFileFilter();
