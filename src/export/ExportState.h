#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/WriteLedger.h"
#include "export/ExportOptions.h"

struct DatasheetLimits;

// What the export command keeps between runs: the dialog's last choices, the folders derived from
// the working folder, the template paths, and what the PLN run leaves for the XML run. The desktop
// keeps one instance for the document's lifetime, so the frequency list grows over the session.
struct ExportState {
    DataExportOptions options;
    std::string workingFolder; // ends with "/"
    std::string dataSrcFolder; // working folder + "DataSrc/", the export folder of the MSI writers
    std::string reportFolder;  // working folder + "report/"
    std::string format1Template;
    std::string format2Template;
    std::string rawDataTemplate;
    std::string resultTemplate;
    // Frequency texts of the vertical cuts written to PLN or TXT files; one XML group each.
    std::vector<std::string> frequencyList;
    // The folder the last PLN run wrote into; the XML export reads the PLN files back from it.
    std::string plnFolder;
    // Every file the current run wrote or failed to write; a new run starts a new ledger. The XML
    // export groups only the PLN files of this run, never stale ones left in the folder.
    WriteLedger ledger;
    // Where a run on a worker reports its written files and learns it is to stop (none: the run
    // goes to its end unobserved).
    WriteProgress* progress = nullptr;
    // Datasheet limits chosen by the user: the result workbook gets a "Datasheet" sheet and report
    // format 1 a conformance section. Shared with the report worker, never changed once set.
    std::shared_ptr<const DatasheetLimits> limits;
};

// A folder text with a trailing separator ("/" appended unless it ends in "/" or "\").
std::string WithTrailingSeparator(std::string folder);

// Folders of the report layout inside the report folder.
std::string RelBmpsFolder(const ExportState& state); // report/RelBmps/: one screenshot per pattern
std::string SetBmpsFolder(const ExportState& state); // report/SetBmps/: one per port, tilt and plane

// Creates a folder and its parents; an existing folder, or one that cannot be made, is left to the
// writes that follow.
void MakeFolder(const std::string& folder);
