#include "reports/ReportTestSupport.h"

#include <QGuiApplication>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "commands/Analysis.h"
#include "commands/StartUp.h"
#include "export/ExportDriver.h"
#include "render/OffscreenApp.h"

namespace fs = std::filesystem;

nlohmann::json ReadDocument(const std::string& kind, const std::string& path) {
    std::string out, err;
    const std::string command = "/usr/bin/python3 '" QUADREL_SOURCE_DIR "/tests/reports/read_documents.py' " +
                                kind + " '" + path + "'";
    if (RunCommand(command, &out, &err) != 0) {
        ADD_FAILURE() << "reader failed on " << path << ": " << err;
        return {};
    }
    return nlohmann::json::parse(out);
}

ReportFixtureData::ReportFixtureData(const TempDir& dir) : doc(&notifier) {
    configDir = (dir.Path() / "config").string() + "/";
    InitialiseDocument(doc, configDir);
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(QUADREL_SOURCE_DIR "/samples/campaign"))
        if (entry.path().extension() == ".msi") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    doc.OpenFiles(files);
    AnalyseAll(doc);
    state.workingFolder = (dir.Path() / "out").string() + "/";
    state.reportFolder = state.workingFolder + "report/";
    state.options.english = true;
    SetTemplatePaths(configDir, state);
    MakeFolder(state.reportFolder);
}

void EnsureOffscreenApplication() {
    static std::unique_ptr<QGuiApplication> app = EnsureGuiApplication();
}
