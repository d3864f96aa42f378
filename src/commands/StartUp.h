#pragma once
#include <memory>
#include <string>

#include "commands/UndoHistory.h"
#include "document/QuadrelDoc.h"
#include "export/ExportState.h"
#include "plot/PlotState.h"

// What constructing the document does at start-up: attach the configuration store of `configDir`
// (seeded from the shipped defaults), read the analysis settings, and read the envelope curves of the
// shipped configuration folder, of `configDir` and of the folder chosen in the envelope dialog.
void InitialiseDocument(CQuadrelDoc& doc, const std::string& configDir);

// What one window, or one run of the command-line tool, works on: the document, the view's plot
// state and what the export keeps between runs. Every command takes a session.
struct Session {
    std::unique_ptr<CQuadrelDoc> doc;
    PlotState plot;
    ExportState exportState;
    std::string xmlConfigPath; // kept by the XML configuration dialog
    UndoHistory history;

    CQuadrelDoc& Doc() { return *doc; }
    const CQuadrelDoc& Doc() const { return *doc; }
};

// Start-up of both programs: the document initialised for `configDir` (already resolved), the plot
// state as the view starts with it.
std::unique_ptr<Session> CreateSession(const std::string& configDir, Notifier* notifier,
                                       DocumentListener* listener = nullptr);
