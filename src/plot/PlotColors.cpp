#include "plot/PlotColors.h"

#include <algorithm>
#include <filesystem>

#include "app/AtomicFile.h"
#include "app/IniFile.h"

namespace {
uint8_t Component(int32_t value) {
    return static_cast<uint8_t>(std::clamp<int32_t>(value, 0, 255));
}

Rgb ReadRgb(const IniFile& ini, const std::string& section, const std::string& prefix, int32_t fallback) {
    return {Component(ini.ReadInt(section, prefix + "R", fallback)),
            Component(ini.ReadInt(section, prefix + "G", fallback)),
            Component(ini.ReadInt(section, prefix + "B", fallback))};
}

void WriteRgb(IniFile& ini, const std::string& section, const std::string& prefix, Rgb color) {
    ini.WriteString(section, prefix + "R", std::to_string(color.r));
    ini.WriteString(section, prefix + "G", std::to_string(color.g));
    ini.WriteString(section, prefix + "B", std::to_string(color.b));
}

std::string ListKey(int i) {
    return "Color" + std::to_string(i);
}

// More list colours than this are not read: the count comes from a text file and must not make
// the program allocate without bound.
constexpr int kMaxUserColors = 4096;
} // namespace

std::vector<Rgb> PlotColors::DefaultLineTable() {
    // Entries 1 to 16 are told apart on white paper, from each other and from the grid, the 3 dB
    // line and the envelopes, so a sixteen-cut plot needs no two curves in one colour.
    return {{0, 0, 0},       {0, 0, 255},    {255, 0, 0},     {139, 54, 38},   {0, 200, 0},
            {255, 140, 0},   {0, 190, 220},  {128, 0, 128},   {100, 100, 100}, {240, 80, 170},
            {128, 128, 0},   {0, 0, 120},    {250, 128, 114}, {0, 128, 128},   {120, 0, 0},
            {140, 150, 255}, {210, 180, 40}, {10, 180, 10},   {10, 240, 0},    {200, 200, 10},
            {210, 230, 0},   {200, 200, 0},  {180, 0, 0},     {200, 60, 10},   {210, 0, 0}};
}

std::vector<Rgb> PlotColors::DialogDefaultLineTable() {
    std::vector<Rgb> table = DefaultLineTable();
    std::swap(table[1], table[2]);
    return table;
}

Rgb PlotColors::LineColorFor(int k) const {
    const int n = userDefined && userCount > 0 ? userCount : kDefaultLineColorCount;
    const int index = ((k % n) + n) % n;
    return index < static_cast<int>(lineColors.size()) ? lineColors[index] : Rgb{};
}

void PlotColors::SetUserList(const std::vector<Rgb>& list) {
    if (list.empty()) {
        userDefined = 0;
        userCount = 0;
        lineColors = DefaultLineTable();
        return;
    }
    const int n = static_cast<int>(list.size());
    if (static_cast<int>(lineColors.size()) < n) lineColors.resize(n);
    for (int i = 0; i + 1 < n; ++i) lineColors[i + 1] = list[i];
    lineColors[0] = list[n - 1];
    userDefined = 1;
    userCount = n;
}

std::vector<Rgb> PlotColors::UserList() const {
    std::vector<Rgb> list;
    if (!userDefined || userCount <= 0) return list;
    for (int i = 1; i < userCount; ++i) list.push_back(lineColors[i]);
    list.push_back(lineColors[0]);
    return list;
}

PlotColors ReadColorSettings(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) WriteFileAtomic(path, "");
    const IniFile ini(path);
    PlotColors colors;
    colors.coordinates = ReadRgb(ini, "CoordinatesColor", "", 200);
    colors.grid = ReadRgb(ini, "GridColor", "", 0);
    const int32_t count = ini.ReadInt("UserDefine", "ColorCount", 0);
    if (count <= 0) return colors; // a negative count counts as none
    std::vector<Rgb> list;
    for (int i = 0; i < std::min(count, kMaxUserColors); ++i)
        list.push_back(ReadRgb(ini, "UserDefine", ListKey(i), 0));
    colors.SetUserList(list);
    return colors;
}

bool WriteColorSettings(const std::string& path, const PlotColors& colors) {
    IniFile ini(path);
    const std::vector<Rgb> list = colors.UserList();
    ini.WriteString("UserDefine", "ColorCount", std::to_string(list.size()));
    for (size_t i = 0; i < list.size(); ++i)
        WriteRgb(ini, "UserDefine", ListKey(static_cast<int>(i)), list[i]);
    WriteRgb(ini, "CoordinatesColor", "", colors.coordinates);
    WriteRgb(ini, "GridColor", "", colors.grid);
    return ini.Save();
}
