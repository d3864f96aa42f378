#pragma once
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "commands/StartUp.h"
#include "document/QuadrelDoc.h"

// What the PATH arguments stand for: folders for every *.msi, *.MSI, *.cm, *.CM file below them,
// files for themselves, sorted as one batch of the Open command.
struct PatternPaths {
    std::vector<std::string> files;
    // kExitUsage when a path does not exist; kExitFailure when a folder, or a folder below it,
    // could not be read or held no pattern file (each named on stderr; the rest is still used).
    int status = kExitOk;
};
PatternPaths ExpandPatternPaths(const std::vector<std::string>& args);

// The start every command over pattern files shares, written once: the paths expanded and the
// session set up as the program starts. The files are opened afterwards, as one batch
// (OpenPatternFiles) or one test folder at a time (LoadByTestFolder).
struct PatternRun {
    PatternPaths input;
    // Absent when a path does not exist (input.status is kExitUsage): nothing further is done.
    std::unique_ptr<Session> session;
};
PatternRun StartPatternRun(const CliGlobals& globals, const std::vector<std::string>& paths,
                           Notifier& notifier);

// Opens the files as one batch of the Open command. A refused file is named on stderr after the
// described message. Returns kExitOk, kExitRefused (its content was refused) or kExitFailure (it
// could not be read at all).
int OpenPatternFiles(Session& session, const std::vector<std::string>& files);
// The run's files opened as one batch; the status of the load and of the paths together.
int OpenRunFiles(PatternRun& run);

// The exit status of two outcomes together: a refusal over a usage error over a failure over success.
int WorstExit(int a, int b);

// The table key of a --select argument: its own key, or the key of the loaded file that names the
// same file under another spelling ("./a" for "a", "X\a" for "X/a"). Empty when none matches.
std::string LoadedKey(const CQuadrelDoc& doc, const std::string& path);

// A datasheet limits file, or nullptr after naming the file, line and reason on stderr.
struct DatasheetLimits;
std::shared_ptr<const DatasheetLimits> LoadLimitsForCli(const std::string& path);

// A float as JSON: the shortest decimal that reads back to the same float32.
nlohmann::json FloatJson(float value);
nlohmann::json PointJson(const PatternPoint& point);

// The messages a run showed, as [{"caption", "text"}], and its warnings, as [{"file", "text"}].
nlohmann::json MessagesJson(const StderrNotifier& notifier);
nlohmann::json WarningsJson(const StderrNotifier& notifier);
// The members that end every JSON output, "version" and "warnings", and the end of the object.
class JsonStream;
void EndRunJson(JsonStream& out, const StderrNotifier& notifier);
