#include "commands/FileCommands.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "commands/Analysis.h"
#include "commands/SelectionApply.h"
#include "commands/StartUp.h"
#include "document/PatternFileName.h"

namespace fs = std::filesystem;

namespace {
void AnnounceNewTable(Session& session) {
    DocumentChange change;
    change.fields = DocumentChange::Files | DocumentChange::Selection | DocumentChange::Results;
    change.allCuts = true;
    session.Doc().GetListener().DocumentChanged(change);
}

// Deeper than any measurement archive; a deeper tree is a hostile one.
constexpr int kMaxFolderDepth = 64;

void CollectFolder(const fs::path& folder, int depth, CollectedPatternFiles& out) {
    if (depth > kMaxFolderDepth) {
        out.skippedFolders.emplace_back(folder.string(), "nested too deeply");
        return;
    }
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        out.skippedFolders.emplace_back(folder.string(), "cannot be read: " + ec.message());
        return;
    }
    std::vector<fs::path> subfolders;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
        std::error_code typeError;
        // The entry's type comes with the folder listing; a link to a folder is not followed.
        if (!it->is_symlink(typeError) && it->is_directory(typeError)) {
            subfolders.push_back(it->path());
        } else if (it->is_regular_file(typeError) && IsPatternFileName(it->path().filename().string())) {
            out.files.push_back(it->path().string());
        }
    }
    if (ec) out.skippedFolders.emplace_back(folder.string(), "cannot be read to its end: " + ec.message());
    for (const fs::path& sub : subfolders) CollectFolder(sub, depth + 1, out);
}
} // namespace

std::string InputPath(const std::string& arg) {
    std::error_code ec;
    if (arg.find('\\') == std::string::npos || fs::exists(arg, ec)) return arg;
    std::string slashed = arg;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    return fs::exists(slashed, ec) ? slashed : arg;
}

CollectedPatternFiles CollectPatternFiles(const std::vector<std::string>& args) {
    CollectedPatternFiles out;
    for (const std::string& given : args) {
        const std::string arg = InputPath(given);
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            const size_t before = out.files.size();
            CollectFolder(arg, 0, out);
            if (out.files.size() == before)
                out.skippedFolders.emplace_back(arg,
                                                "holds no pattern file (.msi, .cm); planning files (.pln, "
                                                ".txt) need the import first (quadrel-cli import)");
        } else if (fs::exists(arg, ec)) {
            out.files.push_back(arg);
        } else {
            out.missing.push_back(given);
        }
    }
    std::sort(out.files.begin(), out.files.end());
    return out;
}

// The undo history's saved results hold done-flags computed against the partners present then; a
// table that gains or loses files would get stale results back, so its history ends there.
void SetLoadOptions(Session& session, int jobs, std::function<void()> fileStored) {
    session.Doc().jobs = jobs;
    session.Doc().fileStored = std::move(fileStored);
}

int OpenFilesCommand(Session& session, const std::vector<std::string>& paths) {
    if (paths.empty()) return session.Doc().OpenFiles(paths);
    session.history.Clear();
    AnnounceNewTable(session);
    return session.Doc().OpenFiles(paths);
}

int DropFilesCommand(Session& session, const std::vector<std::string>& paths) {
    const std::vector<std::string> files = CollectPatternFiles(paths).files;
    if (files.empty()) return session.Doc().DropFiles(files);
    session.history.Clear();
    AnnounceNewTable(session);
    return session.Doc().DropFiles(files);
}

void RemoveFilesCommand(Session& session, const std::vector<std::string>& keys) {
    CQuadrelDoc& doc = session.Doc();
    if (!keys.empty()) session.history.Clear();
    for (const std::string& key : keys) doc.RemovePatternFile(key);
    if (!keys.empty()) AnnounceNewTable(session);
    RebuildMarkerList(doc, session.plot.markerSwitches, session.plot.markers);
    DocumentListener& listener = doc.GetListener();
    listener.RefreshFileList();
    listener.RedrawView();
    listener.RefreshCurrentResults();
    listener.RefreshAllResults();
}

void CloseAllCommand(Session& session) {
    CQuadrelDoc& doc = session.Doc();
    std::vector<std::string> keys;
    for (const auto& entry : doc.table) keys.push_back(entry.first);
    doc.gainCurves.clear();
    doc.auxCurves.clear();
    RemoveFilesCommand(session, keys);
}

std::vector<std::string> ClickFileRows(Session& session, const std::vector<std::string>& rows) {
    CQuadrelDoc& doc = session.Doc();
    doc.selectionList.clear();
    std::vector<std::string> added;
    for (const std::string& row : rows) doc.AddToSelection(row, added);
    AnalyseSelection(doc);
    RebuildMarkerList(doc, session.plot.markerSwitches, session.plot.markers);
    DocumentListener& listener = doc.GetListener();
    // The click analyses the cuts it selects (their results are cached behind done-flags).
    DocumentChange change{DocumentChange::Selection | DocumentChange::Results, {}, false};
    for (const std::string& path : doc.selectionList) change.cuts.push_back(PatternKey(path));
    listener.DocumentChanged(change);
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
