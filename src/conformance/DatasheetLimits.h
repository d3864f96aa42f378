#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Failure.h"
#include "results/ResultColumns.h"

// A datasheet's limits: per frequency band, the bounds each indicator must keep. Bounds are held
// as float32, the precision of the results they are compared with, so a value printed as 28.81
// meets a bound written as 28.81.
struct IndicatorLimit {
    std::string indicator; // an `analyse --csv` column name
    const ResultColumn* column = nullptr;
    std::optional<float> min;
    std::optional<float> max;
    bool absolute = false;  // written as abs_max: min is -max
    std::vector<int> ports; // empty: every port
    std::vector<int> tilts; // empty: every tilt
    int line = 0;
};

struct LimitBand {
    std::string name;
    double from = 0; // MHz, inclusive
    double to = 0;   // MHz, inclusive
    std::vector<IndicatorLimit> limits;
};

struct DatasheetLimits {
    std::string path;
    std::string model; // empty when the file names none
    std::vector<LimitBand> bands;
};

// Why a limits file was refused ("FILE:LINE: REASON"); line 0 when the file could not be read.
using LimitsError = Failure;

struct LimitsParse {
    std::optional<DatasheetLimits> limits;
    LimitsError error; // when limits is empty
};

// Reads a limits description from its text; `path` names it in errors.
LimitsParse ParseLimits(std::string_view text, const std::string& path);
// Reads the file; an unreadable file is refused with line 0.
LimitsParse LoadLimitsFile(const std::string& path);
