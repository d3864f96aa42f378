#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "document/PatternPoint.h"

class Notifier;
class WriteLedger;

// One PLN file read back: the header values as texts, exactly as cut from their lines (blanks
// kept), and the two masks as (angle, attenuation) pairs.
struct BeamPattern {
    std::string fileName;
    std::string make;
    std::string frequency;
    std::string hWidth;
    std::string vWidth;
    std::string frontToBack;
    std::string gain;
    std::string tilt;
    std::string hCount;
    std::vector<PatternPoint> hMask;
    std::string vCount;
    std::vector<PatternPoint> vMask;
};

// Everything after the first blank or tab of a header line; after the first comma when it has
// neither; "NULL" when it has none of the three.
std::string PlnFieldValue(std::string_view line);

// Reads a whole PLN text. Never reads past its end: missing lines give "NULL" fields and shorter
// masks, and a short horizontal table ends at the "VERTICAL" line instead of swallowing it.
BeamPattern ParsePlnText(std::string_view text);

// Which PLN files form one XML group. A file belongs when its name contains the polarisation word,
// its frequency field ("_1800_", "_0900_") and, for a multi-port antenna, ends in the port extension.
struct PlnGroupFilter {
    std::string polarisation; // "M45" or "P45"
    std::string port;         // the port extension, or "_" for a single-port antenna
    std::string frequency;    // an entry of the export frequency list
    bool multiPort = false;
};

bool PlnNameMatches(const std::string& fileName, const PlnGroupFilter& filter);

struct PlnGroup {
    std::vector<BeamPattern> patterns; // in file-name order
    std::string xmlPath;               // named after the last matching file; empty when none matched
    bool readFailed = false;
};

// Reads the matching "*.pln" files of `plnFolder` (whole files, any number of them). The XML folder
// beside it is created when a file matches. A file that cannot be read shows "File does not exist"
// and ends the read; the patterns read so far stay in the group.
// With `onlyWrittenBy`, files that this ledger's run did not write (stale files of earlier runs or of
// another antenna) are left out.
PlnGroup ReadPlnGroup(const std::string& plnFolder, const PlnGroupFilter& filter, Notifier& notifier,
                      const WriteLedger* onlyWrittenBy = nullptr);

// The XML folder that belongs to a PLN folder: the "PLN" at its end becomes "XML".
std::string XmlFolderOf(const std::string& plnFolder);
