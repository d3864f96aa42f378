#include "results/ResultColumns.h"

#include <type_traits>

#include "analysis/IndicatorResultFields.h"

namespace {
std::vector<ResultColumn> MakeColumns() {
    static const IndicatorResult blank;
    std::vector<ResultColumn> columns;
    const auto* base = reinterpret_cast<const std::byte*>(&blank);
    auto offsetOf = [base](const float& member) {
        return static_cast<size_t>(reinterpret_cast<const std::byte*>(&member) - base);
    };
    ForEachResultMember(blank, [&](const char* name, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, float>) {
            columns.push_back({name, offsetOf(value)});
        } else if constexpr (std::is_same_v<T, PatternPoint>) {
            columns.push_back({std::string(name) + ".fAngle", offsetOf(value.fAngle)});
            columns.push_back({std::string(name) + ".fMag", offsetOf(value.fMag)});
        } else {
            for (size_t i = 0; i < value.size(); ++i)
                columns.push_back({std::string(name) + "[" + std::to_string(i) + "]", offsetOf(value[i])});
        }
    });
    return columns;
}
} // namespace

const std::vector<ResultColumn>& ResultColumns() {
    static const std::vector<ResultColumn> columns = MakeColumns();
    return columns;
}

const ResultColumn* FindResultColumn(std::string_view name) {
    for (const ResultColumn& column : ResultColumns())
        if (column.name == name) return &column;
    return nullptr;
}
