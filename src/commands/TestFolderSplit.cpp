#include "commands/TestFolderSplit.h"

#include <algorithm>
#include <set>

#include "document/Naming.h"
#include "document/QuadrelDoc.h"

namespace {
struct Run {
    std::vector<std::string> files;
    std::string firstKey; // the smallest lower-case key of the run
    std::string lastKey;  // the largest
};
} // namespace

std::vector<std::vector<std::string>> SplitIntoTestFolders(const std::vector<std::string>& sortedFiles) {
    if (sortedFiles.empty()) return {};
    const std::vector<std::vector<std::string>> whole{sortedFiles};
    std::vector<Run> runs;
    // Partners are looked up by lower-case key, so two spellings of one folder are one folder.
    std::set<std::string> seenFolders;
    std::string runFolder;
    for (const std::string& path : sortedFiles) {
        const std::string folder = SplitFileName(path).first;
        const std::string key = PatternKey(path);
        if (runs.empty() || folder != runFolder) {
            if (!seenFolders.insert(PatternKey(folder)).second) return whole;
            runs.push_back({{}, key, key});
            runFolder = folder;
        }
        Run& run = runs.back();
        run.files.push_back(path);
        run.firstKey = std::min(run.firstKey, key);
        run.lastKey = std::max(run.lastKey, key);
    }
    // The table is ordered by lower-case key; a run that sorts into another would print out of place.
    for (size_t i = 1; i < runs.size(); ++i)
        if (runs[i].firstKey <= runs[i - 1].lastKey) return whole;
    std::vector<std::vector<std::string>> split;
    split.reserve(runs.size());
    for (Run& run : runs) split.push_back(std::move(run.files));
    return split;
}
