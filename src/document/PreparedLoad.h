#pragma once
#include <optional>
#include <string>

#include "app/Failure.h"
#include "document/PatternTypes.h"

// One pattern file read and parsed but not yet stored: everything the loader learns from the file
// alone. Preparing touches no document, so independent files can be prepared on several threads;
// storing them (CQuadrelDoc::StorePrepared) stays in batch order.
struct PreparedLoad {
    std::string path;
    std::string fileName;
    // Absent when the file is stored; else why it is refused.
    std::optional<Failure> refusal;
    // The message box that explains a refusal (empty: none is shown).
    std::string noticeText;
    std::string noticeCaption;
    // The entry is stored first and refused afterwards (a folder name that cannot be split).
    bool refusedAfterStoring = false;

    // The parts of the entry that come from the file; results other than these stay fresh.
    NameFields names;
    Cut samples;
    float headerValue = 0.0f;
    int32_t count = 0;
    PatternSource source = PatternSource::Msi;
    std::optional<float> gain; // absent: the previous entry's gain is kept
    std::optional<PatternPoint> hMax;
    std::optional<PatternPoint> vMax;
    std::optional<int32_t> noGainFlag; // absent: the document's flag is left as it is
    std::vector<std::string> warnings; // doubts about the file that did not stop its load
    bool namedByFolder = false;        // the test fields are taken from the names
};

PreparedLoad PreparePatternFile(const std::string& path);
