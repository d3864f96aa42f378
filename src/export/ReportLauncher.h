#pragma once

class CQuadrelDoc;
class Notifier;
struct ExportState;

// How the export hands the word reports to the report worker (which draws with the render library,
// so it lives above the engine); both programs run it to completion on the thread of the export.
class ReportLauncher {
  public:
    virtual ~ReportLauncher() = default;
    // Takes what the worker needs from the document at once. Returns false when the reports were
    // not written (a blocking launcher knows), true otherwise.
    virtual bool Start(const CQuadrelDoc& doc, const ExportState& state, bool format1, bool format2,
                       Notifier& notifier) = 0;
};
