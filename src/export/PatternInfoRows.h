#pragma once
#include <string>
#include <utility>
#include <vector>

class Notifier;
struct PatternInfoConfig;

inline constexpr const char* kTextPortListEmpty =
    "Correspondence between the port and the Extensions can not be empty";
inline constexpr size_t kPortRows = 10;

// The pattern information dialog's OK over its port rows (the first ten are examined): names kept
// in lower case, extensions in upper case, incomplete rows dropped. A "Multi-port" antenna without
// one complete row shows the message and returns false (the dialog stays open, `info` unchanged).
bool AcceptPatternInfo(const std::string& antennaType, const std::string& gainUnit,
                       const std::string& tiltMethod,
                       const std::vector<std::pair<std::string, std::string>>& rows, PatternInfoConfig& info,
                       Notifier& notifier);
