#pragma once
#include <string>
#include <vector>

#include "export/PlnReader.h"

class CQuadrelDoc;
class Notifier;
class WriteLedger;
struct ExportState;

// The enterprise XML document of one antenna group: the first pattern gives the antenna-level
// values, every pattern one BEAM-PATTERN with its header values and masks.
std::string BuildEnterpriseXml(const std::vector<BeamPattern>& patterns, const std::string& gainUnit);

// Writes the document; -1 after "Failed to create XML file", 0 otherwise.
int WriteEnterpriseXml(const std::string& path, const std::vector<BeamPattern>& patterns,
                       const std::string& gainUnit, Notifier& notifier, WriteLedger* ledger = nullptr);

// The whole XML run: the PLN files first when the PLN box is not set, then one XML file per
// polarisation word, (port,) and export frequency whose group matched PLN files. Returns the number
// of XML files written.
int ExportXmlFiles(const CQuadrelDoc& doc, ExportState& state);
