#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/PlanningFormat.h"

class Notifier;

// Turns planning files (MSI/Planet, PLN, TXT) into a measurement: one test folder per antenna model,
// named by six "_" tokens (Import_<make>_<model>_<date>_B01_<serial>), holding a horizontal and a
// vertical co-polar cut file per planning file, named port_pol_plane_co_tilt_0_freq.msi, so that
// every indicator group, export and report runs on them. The command line and the desktop's Open
// both call this.

struct ImportOptions {
    std::string outFolder;
    std::string model;        // empty: the first "_" token of each file's name
    std::string serial;       // empty: "SN1"
    int port = 0;             // 0: the first free port (+45 odd, -45 even, others odd)
    std::string polarisation; // "P45" or "M45" for every file; empty: from each file's header
    std::string date;         // YYYYMMDD; empty: today
    // Told once each given file has been read, refused or passed over (a long run shows progress).
    std::function<void()> fileRead;
};

// What the name of a measured cut needs, as read from a planning file's header (or the options).
struct ImportNaming {
    std::string model;
    std::string make;
    std::string polarisation; // "P45", "M45", "V90" or "X" (unknown)
    std::string tilt;         // degrees as text ("0", "4", "2.5")
    std::string frequency;    // MHz as text ("1845", "947.5")
};
ImportNaming NamingOf(const PlanningPattern& pattern, const std::string& sourcePath,
                      const ImportOptions& options);

// A name token: letters, digits, ".", "+" and "-" only, so that "_" keeps separating the fields
// and no blank or path separator reaches a file name; `fallback` when nothing is left.
std::string NameToken(std::string_view text, const char* fallback);

struct ImportedFile {
    std::string source;
    std::string testFolder;
    std::string horizontalCut;
    std::string verticalCut;
    float gainDbi = 0; // NOT_SET when the file gave none
};

// Refused (line 0: the file as a whole), Unreadable, or WriteFailed for a cut that could not be
// placed.
using ImportProblem = Failure;

struct ImportOutcome {
    std::vector<ImportedFile> files;
    // Files that are no planning file: nothing at all is written then.
    std::vector<ImportProblem> refused;
    // Cut files that exist already, clash, or could not be written.
    std::vector<ImportProblem> failed;
};

// Reads every file first; when one is refused nothing is written. Doubts about a file that is
// imported all the same go to the notifier as warnings.
ImportOutcome ImportPlanningFiles(const std::vector<std::string>& paths, const ImportOptions& options,
                                  Notifier& notifier);

// One cut in the lab's measurement format: header lines, then "angle attenuation" rows (a gain line
// in dBi when the gain is known, else a count line).
std::string MeasurementCutText(const std::string& name, const ImportNaming& naming, float gainDbi,
                               const std::string& comment, bool horizontal, const PlanningCut& cut);
