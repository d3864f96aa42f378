#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A 24-bit colour.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr int kDefaultLineColorCount = 24;

// The colours of the plot: frame and labels, grid, and the cyclic pattern line colours.
struct PlotColors {
    Rgb coordinates{0, 0, 0};
    Rgb grid{200, 200, 200};
    int coordinatesChanged = 0;
    // Entries 0..24 at least; a user list longer than the default table grows it, so every
    // entry that the colour choice can reach exists.
    std::vector<Rgb> lineColors = DefaultLineTable();
    int userDefined = 0;
    int userCount = 0;

    // Entries 1 to 24 as set at start-up; entry 0 (which only the 24th, 48th … pattern uses
    // while user colours are off) is black.
    static std::vector<Rgb> DefaultLineTable();
    // The dialog's "Default Setting" table: entries 1 and 2 exchanged.
    static std::vector<Rgb> DialogDefaultLineTable();

    // The line colour of the k-th drawn pattern (k from 1).
    Rgb LineColorFor(int k) const;
    // Puts a user list into the table rotated by one (entry 0 = the last list colour, entries
    // 1..n-1 = the first n-1 list colours), switches user colours on with count n. An empty list
    // switches them off and restores the default table.
    void SetUserList(const std::vector<Rgb>& list);
    // The user list back from the rotated table, in list order.
    std::vector<Rgb> UserList() const;
};

// Reads the colour file (created empty when missing). Missing coordinate keys read 200, missing
// grid keys 0, as the program always did.
PlotColors ReadColorSettings(const std::string& path);
// Writes the colour dialog's OK: UserDefine (ColorCount and every list colour, or ColorCount 0),
// CoordinatesColor and GridColor. False when the file could not be written.
bool WriteColorSettings(const std::string& path, const PlotColors& colors);
