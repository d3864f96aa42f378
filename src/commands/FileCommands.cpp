#include "commands/FileCommands.h"

#include <algorithm>
#include <filesystem>

#include "app/TextUtil.h"
#include "commands/StartUp.h"
#include "results/SelectionStore.h"

namespace fs = std::filesystem;

namespace {
bool IsPatternFileName(const std::string& name) {
    return EndsWith(name, ".msi") || EndsWith(name, ".MSI") || EndsWith(name, ".cm") || EndsWith(name, ".CM");
}
} // namespace

void CollectPatternFiles(const std::vector<std::string>& args, std::vector<std::string>& files,
                         std::vector<std::string>& missing) {
    for (const std::string& arg : args) {
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            for (fs::recursive_directory_iterator it(arg, ec), end; !ec && it != end; it.increment(ec)) {
                std::error_code typeError;
                if (it->is_regular_file(typeError) && IsPatternFileName(it->path().filename().string()))
                    files.push_back(it->path().string());
            }
        } else if (fs::exists(arg, ec)) {
            files.push_back(arg);
        } else {
            missing.push_back(arg);
        }
    }
    std::sort(files.begin(), files.end());
}

int OpenFilesCommand(Session& session, const std::vector<std::string>& paths) {
    return session.Doc().OpenFiles(paths);
}

int DropFilesCommand(Session& session, const std::vector<std::string>& paths) {
    std::vector<std::string> files, missing;
    CollectPatternFiles(paths, files, missing);
    return session.Doc().DropFiles(files);
}

void RemoveFilesCommand(Session& session, const std::vector<std::string>& keys) {
    CQuadrelDoc& doc = session.Doc();
    for (const std::string& key : keys) doc.RemovePatternFile(key);
    RebuildMarkerList(doc, session.plot.markerSwitches, session.plot.markers);
    DocumentListener& listener = doc.GetListener();
    listener.RefreshFileList();
    listener.RedrawView();
    listener.RefreshCurrentResults();
    listener.RefreshAllResults();
}

std::vector<std::string> ClickFileRows(Session& session, const std::vector<std::string>& rows) {
    CQuadrelDoc& doc = session.Doc();
    doc.selectionList.clear();
    std::vector<std::string> added;
    for (const std::string& row : rows) doc.AddToSelection(row, added);
    PreparePlotSelection(doc, session.plot);
    DocumentListener& listener = doc.GetListener();
    listener.RedrawView();
    listener.RefreshCurrentResults();
    listener.RefreshAllResults();
    return doc.selectionList;
}

void FlipSelectionToggle(Session& session, SelectionToggle toggle) {
    session.Doc().FlipToggle(toggle);
}

void CloseCommand(Session& session) {
    StoreAllMenuValues(session.Doc());
}
