#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/PatternTypes.h"

// What the rotation dialog returned last; kept by the document between uses.
struct RotationSettings {
    enum Mode : int32_t { ToZero = 0, RotateTo = 1, ToNominal = 2, RotateBy = 3, NonRotate = 4 };
    int32_t mode = ToZero;
    float targetAngle = 0.0f;   // "Rotate to", degrees
    float rotationAngle = 0.0f; // "Rotate", degrees
};

// What the level-adjustment dialog returned last; kept by the document between uses.
struct LevelSettings {
    enum Range : int32_t { Overall = 1, AngleRange = 2 };
    int32_t rangeMode = Overall;
    float fromAngle = 0.0f;   // degrees, excluded from the range
    float toAngle = 0.0f;     // degrees, excluded from the range
    float adjustValue = 0.0f; // "Adjusted Value", dB
    float targetLevel = 0.0f; // "Adjust to", dB
    bool byValue = true;
};

// The samples of each data rotation's patterns before it ran, oldest first. Every entry names the
// pattern it was taken from, so a pattern is only ever given back its own samples.
struct RotationHistory {
    struct Entry {
        std::string key; // PatternTable key
        Cut samples;
    };
    std::vector<Entry> entries;
    int32_t position = -1; // -1 while no undo step has been taken back
};
