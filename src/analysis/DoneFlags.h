#pragma once
#include <initializer_list>

#include "document/IndicatorResult.h"
#include "document/PatternTypes.h"

// Clearing a done-flag makes the next analysis request compute that group again.
inline void ClearDoneFlags(IndicatorResult& results, std::initializer_list<DoneFlag> flags) {
    for (DoneFlag flag : flags) results.flags[flag] = false;
}

inline void ClearDoneFlags(PatternTable& table, std::initializer_list<DoneFlag> flags) {
    for (auto& [key, file] : table) ClearDoneFlags(file.results, flags);
}
