#include "export/ExportState.h"

#include <filesystem>

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) folder += '/';
    return folder;
}

std::string RelBmpsFolder(const ExportState& state) {
    return state.reportFolder + "RelBmps/";
}
std::string SetBmpsFolder(const ExportState& state) {
    return state.reportFolder + "SetBmps/";
}

void MakeFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
}
