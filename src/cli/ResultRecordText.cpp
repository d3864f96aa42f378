#include "cli/ResultRecordText.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "analysis/IndicatorResultFields.h"
#include "app/TextUtil.h"
#include "cli/JsonStream.h"
#include "results/ResultColumns.h"

namespace {

enum class MemberKind { Float, Point, FloatArray, Flags, Key, Warnings };

// Where a member lies in the record, found once from the member list, so that a row is written
// without visiting the list through a generic lambda per file.
struct MemberPlace {
    std::string name;
    MemberKind kind;
    size_t offset = 0;
    size_t length = 0; // elements of an array
};

std::vector<MemberPlace> RecordLayout() {
    static const IndicatorResult blank;
    std::vector<MemberPlace> places;
    const auto* base = reinterpret_cast<const std::byte*>(&blank);
    ForEachResultMember(blank, [&](const char* name, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        const auto offset = static_cast<size_t>(reinterpret_cast<const std::byte*>(&value) - base);
        if constexpr (std::is_same_v<T, float>)
            places.push_back({name, MemberKind::Float, offset, 1});
        else if constexpr (std::is_same_v<T, PatternPoint>)
            places.push_back({name, MemberKind::Point, offset, 1});
        else
            places.push_back({name, MemberKind::FloatArray, offset, value.size()});
    });
    return places;
}

// The JSON order: every member, "flags", "key" and "warnings", sorted by name as the tree writer sorts keys.
const std::vector<MemberPlace>& SortedOrder() {
    static const std::vector<MemberPlace> places = [] {
        std::vector<MemberPlace> all = RecordLayout();
        all.push_back({"flags", MemberKind::Flags, 0, 0});
        all.push_back({"key", MemberKind::Key, 0, 0});
        all.push_back({"warnings", MemberKind::Warnings, 0, 0});
        std::sort(all.begin(), all.end(),
                  [](const MemberPlace& a, const MemberPlace& b) { return a.name < b.name; });
        return all;
    }();
    return places;
}

template <typename T> const T& At(const IndicatorResult& r, const MemberPlace& place) {
    return *reinterpret_cast<const T*>(reinterpret_cast<const std::byte*>(&r) + place.offset);
}

} // namespace

void AppendResultCsvHeader(std::string& out) {
    out += "key";
    for (int i = 0; i < 6; ++i) out += ",flags[" + std::to_string(i) + "]";
    for (const ResultColumn& column : ResultColumns()) {
        out += ',';
        out += column.name;
    }
    out += '\n';
}

void AppendResultCsvRow(std::string& out, std::string_view key, const IndicatorResult& r) {
    out += '"';
    out += ReplaceAll(PrintableText(key), "\"", "\"\"");
    out += '"';
    for (bool flag : r.flags) out += flag ? ",1" : ",0";
    for (const ResultColumn& column : ResultColumns()) {
        out += ',';
        AppendShortestFloat(out, ColumnValue(r, column));
    }
    out += '\n';
}

void WriteResultJson(JsonStream& out, std::string_view key, const IndicatorResult& r,
                     const std::vector<std::string>& warnings) {
    out.BeginObject();
    for (const MemberPlace& place : SortedOrder()) {
        out.Key(place.name);
        switch (place.kind) {
        case MemberKind::Float:
            out.Float(At<float>(r, place));
            break;
        case MemberKind::Point: {
            const auto& point = At<PatternPoint>(r, place);
            out.BeginObject();
            out.Key("fAngle");
            out.Float(point.fAngle);
            out.Key("fMag");
            out.Float(point.fMag);
            out.EndObject();
            break;
        }
        case MemberKind::FloatArray: {
            const float* values = &At<float>(r, place);
            out.BeginArray();
            for (size_t i = 0; i < place.length; ++i) out.Float(values[i]);
            out.EndArray();
            break;
        }
        case MemberKind::Flags:
            out.BeginArray();
            for (bool flag : r.flags) out.Bool(flag);
            out.EndArray();
            break;
        case MemberKind::Key:
            out.Value(std::string(key));
            break;
        case MemberKind::Warnings:
            out.Value(warnings);
            break;
        }
    }
    out.EndObject();
}
