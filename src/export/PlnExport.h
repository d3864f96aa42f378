#pragma once
#include <map>
#include <string>

#include "document/PatternTypes.h"

class CQuadrelDoc;
struct ExportState;
struct PatternInfoConfig;

// The two flavours of the planning-tool file differ only in folder and extension.
enum class PlnFlavour { Pln, Txt };

// The port list in name order; a later row with the same name replaces an earlier one.
std::map<std::string, std::string> PortMap(const PatternInfoConfig& info);

// The extension of the last port (in name order) whose name occurs in the lower-cased port text.
std::string PortExtension(const std::string& portText, const std::map<std::string, std::string>& ports);

// "900" -> "0900": frequency texts shorter than four characters get one leading "0".
std::string FrequencyField(const std::string& frequency);

// The upper-case base name (no folder, no extension) of the file written for a horizontal cut.
std::string PlnBaseName(const PatternFile& horizontal, const PatternInfoConfig& info);

// The rows "angle attenuation\r\n" of a 360-point table: whole-degree samples only, angles folded
// into 0...360, attenuation below `peakLevel`, ascending, the first sample of an angle winning.
std::string AttenuationRows(const Cut& cut, float peakLevel);
void AppendAttenuationRows(std::string& out, const Cut& cut, float peakLevel);

// The whole file for one horizontal cut and its vertical partner.
std::string PlnFileText(const PatternFile& horizontal, const PatternFile& vertical,
                        const PatternInfoConfig& info);

// Writes one file per horizontal co-polar cut whose vertical partner is loaded, into the working
// folder's "PLN" or "TXT" folder; adds the vertical cuts' frequencies to the export frequency list.
// The PLN flavour remembers its folder for the XML export. Returns the number of files written.
int ExportPatternTables(const CQuadrelDoc& doc, ExportState& state, PlnFlavour flavour);
inline int ExportPlnFiles(const CQuadrelDoc& doc, ExportState& state) {
    return ExportPatternTables(doc, state, PlnFlavour::Pln);
}
inline int ExportTxtFiles(const CQuadrelDoc& doc, ExportState& state) {
    return ExportPatternTables(doc, state, PlnFlavour::Txt);
}
