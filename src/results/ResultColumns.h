#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/IndicatorResult.h"

// The results record as flat float columns, named as `analyse --csv` names them: a float member by
// its name, a point as "Vmax.fAngle" and "Vmax.fMag", an array element as "VSS[0]". The CSV output
// and the datasheet limits both name indicators through this list.
struct ResultColumn {
    std::string name;
    size_t offset = 0; // of the float inside IndicatorResult
};

// Every column in record order (the done-flags are not columns).
const std::vector<ResultColumn>& ResultColumns();

// The column of that exact name; nullptr when there is none.
const ResultColumn* FindResultColumn(std::string_view name);

inline float ColumnValue(const IndicatorResult& r, const ResultColumn& column) {
    return *reinterpret_cast<const float*>(reinterpret_cast<const std::byte*>(&r) + column.offset);
}
