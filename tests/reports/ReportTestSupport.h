#pragma once
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "document/QuadrelDoc.h"
#include "export/ExportState.h"
#include "support/TestSupport.h"

// What python-docx or openpyxl (Debian's, through /usr/bin/python3) see in a document.
nlohmann::json ReadDocument(const std::string& kind, const std::string& path);

// The bundled sample campaign, loaded and analysed with a fresh configuration folder, and an
// export state whose working folder is `dir`/out/ and whose templates are the seeded ones.
struct ReportFixtureData {
    explicit ReportFixtureData(const TempDir& dir);
    RecordingNotifier notifier;
    CQuadrelDoc doc;
    ExportState state;
    std::string configDir;
};

// Starts the offscreen Qt application once per test program.
void EnsureOffscreenApplication();
