#pragma once
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/IndicatorResult.h"
#include "document/PatternPoint.h"

using Cut = std::vector<PatternPoint>;

// Fields 0-5: the first six "_" tokens of the test folder's name (site, project, model, date,
// batch, serial). Fields 6-14: the tokens of the file name (port, polarisation, plane, component,
// tilt, nominal direction, frequency, two free fields).
using NameFields = std::array<std::string, 15>;

enum NameField : int {
    kFieldModel = 2,
    kFieldPort = 6,
    kFieldPolarisation = 7,
    kFieldPlane = 8,
    kFieldComponent = 9,
    kFieldTilt = 10,
    kFieldDirection = 11,
    kFieldFrequency = 12,
    kFieldExtra1 = 13,
    kFieldExtra2 = 14,
};

// Which reader produced a pattern: the header value means frequency for MSI and ".cm", directivity
// for Exact Data.
enum class PatternSource { Msi, Encrypted, ExactData };

// One loaded pattern file.
struct PatternFile {
    std::string key;      // full path in lower case
    std::string path;     // full path as given to the loader
    std::string fileName; // last path component
    NameFields names;
    Cut samples;
    // Made by the display rotation; absent after loading.
    std::unique_ptr<Cut> displayCopy;
    IndicatorResult results;
    float headerValue = 0.0f; // MHz for MSI and ".cm", directivity dBi for Exact Data
    bool flag0 = true;
    bool flag1 = true;
    bool showDisplayCopy = false;
    int32_t count = 0;
    PatternSource source = PatternSource::Msi;
    // Doubts of the reader about this file's samples (also told to the notifier when loaded).
    std::vector<std::string> warnings;

    PatternFile() = default;
    PatternFile(const PatternFile& other) { *this = other; }
    PatternFile& operator=(const PatternFile& other) {
        if (this == &other) return *this;
        key = other.key;
        path = other.path;
        fileName = other.fileName;
        names = other.names;
        samples = other.samples;
        displayCopy = other.displayCopy ? std::make_unique<Cut>(*other.displayCopy) : nullptr;
        results = other.results;
        headerValue = other.headerValue;
        flag0 = other.flag0;
        flag1 = other.flag1;
        showDisplayCopy = other.showDisplayCopy;
        count = other.count;
        source = other.source;
        warnings = other.warnings;
        return *this;
    }
    PatternFile(PatternFile&&) = default;
    PatternFile& operator=(PatternFile&&) = default;
};

// Ordered by string comparison of the lower-case path: the order of the file list and of every export.
using PatternTable = std::map<std::string, PatternFile>;

// One gain-level or envelope text file.
struct CurveFile {
    std::string path;     // lower case
    std::string fileName; // lower case, last path component
    std::vector<PatternPoint> points;
};

using GainCurveTable = std::map<std::string, CurveFile>;
using EnvelopeTable = std::map<std::string, CurveFile>;
