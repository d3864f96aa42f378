#pragma once
#include <functional>
#include <string>
#include <vector>

#include "document/QuadrelDoc.h"

struct Session;

// The file commands: every change to the pattern table and the selection passes through here, and
// each tells the document's listener what changed, in the order the window messages announced it.

// Folders stand for every *.msi, *.MSI, *.cm, *.CM file below them; files stand for themselves. The
// files are sorted, as one batch of the Open command. Nothing is passed over silently: arguments that
// name nothing, and folders that could not be read, were nested too deeply or held no pattern file,
// are listed with the reason; the rest is still collected. Links to folders are not followed.
struct CollectedPatternFiles {
    std::vector<std::string> files;
    std::vector<std::string> missing;
    std::vector<std::pair<std::string, std::string>> skippedFolders; // (folder, why)
};
CollectedPatternFiles CollectPatternFiles(const std::vector<std::string>& args);

// A path argument as the file system knows it: as given, or with "\" read as "/" when only that
// spelling exists (paths copied from the lab's Windows machines).
std::string InputPath(const std::string& arg);

// How the next loads run: `jobs` worker threads (reading, parsing, whole-table analysis) and
// `fileStored` after each file of a batch is stored (a command-line progress line; may be empty).
void SetLoadOptions(Session& session, int jobs, std::function<void()> fileStored);

// Open over chosen paths (1137 unless a file was refused). Returns kLoadRefused on a refusal.
int OpenFilesCommand(Session& session, const std::vector<std::string>& paths);
// A drop on the file list: folders are expanded first, then the drop sequence runs.
int DropFilesCommand(Session& session, const std::vector<std::string>& paths);
// Delete in the file list: the files leave the table and the selection is reset; the file list
// (1137), Current Results (1138) and All Results (1139) rebuild and the view redraws.
void RemoveFilesCommand(Session& session, const std::vector<std::string>& keys);
// Close All: the document is emptied of every pattern file and the gain curves read with them, so
// the next antenna opens into an empty list; the same refreshes as a removal follow.
void CloseAllCommand(Session& session);

// A click on file-list rows: the selection starts afresh and grows by the partner toggles, the
// selected files are analysed, the markers rebuilt; the view redraws, then 1138 and 1139. Returns
// the selection (the rows to show selected, partners included).
std::vector<std::string> ClickFileRows(Session& session, const std::vector<std::string>& rows);

// One of the four selection toggles flips (its menu state follows ToggleState).
void FlipSelectionToggle(Session& session, SelectionToggle toggle);

// The window closes: every menu switch is stored.
void CloseCommand(Session& session);
