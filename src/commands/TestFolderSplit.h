#pragma once
#include <string>
#include <vector>

// A lab's archive holds many test folders, each complete in itself: a cut's partner files lie in
// its own folder and its gain-level folder beside it. Loading them one folder at a time holds only
// one folder's cuts; the output stays in table order only when the folders follow one another in
// that order. These are the runs of the sorted batch that share a folder, when each folder is one
// run and the runs keep the table's lower-case key order; otherwise the whole batch as one run (an
// empty batch gives none).
std::vector<std::vector<std::string>> SplitIntoTestFolders(const std::vector<std::string>& sortedFiles);
