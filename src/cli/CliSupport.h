#pragma once
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "commands/StartUp.h"
#include "document/QuadrelDoc.h"

// Folders stand for every *.msi, *.MSI, *.cm, *.CM file below them; files stand for themselves. The
// result is sorted, as one batch of the Open command. Paths that do not exist are reported and
// make the call fail with a usage error.
bool ExpandPatternPaths(const std::vector<std::string>& args, std::vector<std::string>& files);

// A document as the program sets it up at start: configuration store, analysis settings, envelope
// curves of the shipped configuration folder.
std::unique_ptr<CQuadrelDoc> CreateCliDocument(const CliGlobals& globals, Notifier& notifier);
// The same with the view's plot state, for the commands that act as the window does.
std::unique_ptr<Session> CreateCliSession(const CliGlobals& globals, Notifier& notifier);

// A float as JSON: the shortest decimal that reads back to the same float32.
nlohmann::json FloatJson(float value);
nlohmann::json PointJson(const PatternPoint& point);

// The messages a run showed, as [{"caption", "text"}], and the JSON output itself (bytes that are not
// UTF-8, as a path may hold, are replaced rather than aborting the print).
nlohmann::json MessagesJson(const StderrNotifier& notifier);
void PrintJson(const nlohmann::json& out);
