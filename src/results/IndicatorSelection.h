#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The indicator selection flags (0 off, 1 on), named by their INI keys ("cm_isSelHBW3dB" ...).
// A flag that was never set counts as on, so a new document computes everything.
struct IndicatorSelection {
    std::map<std::string, int32_t, std::less<>> flags;

    bool IsSelected(std::string_view key) const {
        auto it = flags.find(key);
        return it == flags.end() || it->second != 0;
    }
    void Set(std::string_view key, int32_t value) { flags[std::string(key)] = value; }
};
