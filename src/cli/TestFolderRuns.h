#pragma once
#include <functional>
#include <string>
#include <vector>

struct Session;

// Loads the batch one test folder at a time, each into a fresh copy of `start` (the session as set
// up at start, holding no file), exactly as one run per folder would: its own no-gain flag, its own
// gain-level folder, its own gain series. Each loaded folder goes to `use` in table order, with the
// status of its load, and is dropped before the next is read, so only one folder's cuts are held.
// A refused file ends the run after its folder has gone to `use`. With `oneBatch`, or when the
// folders do not follow one another in table order, the batch is loaded as one. Returns as
// OpenPatternFiles.
int LoadByTestFolder(const Session& start, const std::vector<std::string>& files, bool oneBatch,
                     const std::function<void(Session&, int loadStatus)>& use);
