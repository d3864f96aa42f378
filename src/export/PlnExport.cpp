#include "export/PlnExport.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/OutputBatch.h"
#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "document/Naming.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"
#include "export/ExportState.h"

namespace {
constexpr double kDbdToDbi = 2.15;
// Rows at or below this folded angle are never written (the walk starts above it).
constexpr double kLowestAngle = -999.0;

std::string TiltField(const std::string& tilt) {
    if (tilt.size() == 1) return "0" + tilt + "t";
    if (tilt.size() == 2) return tilt + "t";
    return {};
}

std::string TiltLine(const std::string& method) {
    if (method == "Electrical") return "TILT\tELECTRICAL\r\n";
    if (method == "Mechanical") return "TILT\tMACHANICAL\r\n";
    return "TILT\r\n"; // "None", and any text the writer does not know
}

std::string GainValue(float gain, const std::string& unit) {
    double value = gain;
    if (Contains(unit, "dBd")) value -= kDbdToDbi;
    return FormatFixed(value, 2);
}

void AddFrequency(std::vector<std::string>& list, const std::string& frequency) {
    // Exact texts: "800" must not be swallowed by an earlier "1800".
    if (std::find(list.begin(), list.end(), frequency) == list.end()) list.push_back(frequency);
}
} // namespace

std::map<std::string, std::string> PortMap(const PatternInfoConfig& info) {
    std::map<std::string, std::string> ports;
    for (const auto& [name, extension] : info.ports) ports[name] = extension;
    return ports;
}

std::string PortExtension(const std::string& portText, const std::map<std::string, std::string>& ports) {
    const std::string port = ToLower(portText);
    std::string extension;
    for (const auto& [name, portExtension] : ports)
        if (Contains(port, name)) extension = portExtension;
    return extension;
}

std::string FrequencyField(const std::string& frequency) {
    return frequency.size() < 4 ? "0" + frequency : frequency;
}

std::string PlnBaseName(const PatternFile& horizontal, const PatternInfoConfig& info) {
    const NameFields& f = horizontal.names;
    const std::string extension = PortExtension(f[kFieldPort], PortMap(info));
    return ToUpper(f[kFieldModel] + "_" + FrequencyField(f[kFieldFrequency]) + "_x_co_" +
                   TiltField(f[kFieldTilt]) + "_" + ToLower(f[kFieldPolarisation]) + ToUpper(extension));
}

void AppendAttenuationRows(std::string& out, const Cut& cut, float peakLevel) {
    struct Row {
        double angle;
        double attenuation;
    };
    std::vector<Row> rows;
    rows.reserve(cut.size());
    for (const PatternPoint& p : cut) {
        const double angle = p.fAngle;
        if (!std::isfinite(angle) || angle != std::trunc(angle)) continue;
        const double folded = angle + 360.0 < 360.0 ? angle + 360.0 : angle;
        if (folded <= kLowestAngle) continue;
        rows.push_back({folded, static_cast<double>(peakLevel) - static_cast<double>(p.fMag)});
    }
    // Stable, so that of two samples on one angle (-180 and 180) the one met first is written.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.angle < b.angle; });
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].angle == rows[i - 1].angle) continue;
        AppendFixed(out, rows[i].angle, 2);
        out += ' ';
        AppendFixed(out, rows[i].attenuation, 2);
        out += "\r\n";
    }
}

std::string AttenuationRows(const Cut& cut, float peakLevel) {
    std::string out;
    AppendAttenuationRows(out, cut, peakLevel);
    return out;
}

std::string PlnFileText(const PatternFile& horizontal, const PatternFile& vertical,
                        const PatternInfoConfig& info) {
    const IndicatorResult& h = horizontal.results;
    const IndicatorResult& v = vertical.results;
    std::string text;
    // A row is at most "359.00 -999.00\r\n"; one reservation holds both tables.
    text.reserve(512 + 16 * (horizontal.samples.size() + vertical.samples.size()));
    text += "FILENAME\t" + PlnBaseName(horizontal, info) + "\r\n";
    text += "MAKE\t NORVAN TELMARK\r\n";
    text += "FREQUENCY\t" + horizontal.names[kFieldFrequency] + " \r\n";
    text += "H_WIDTH " + FormatFixed(h.HBW3, 2) + " \r\n";
    text += "V_WIDTH " + FormatFixed(v.VBW3, 2) + " \r\n";
    text += "FRONT_TO_BACK\t" + FormatFixed(h.FBRco, 2) + " \r\n";
    text += "GAIN\t" + GainValue(h.Gain, info.gainUnit) + " " + info.gainUnit + "\r\n";
    text += TiltLine(info.tiltMethod);
    text += "HORIZONTAL 360\r\n";
    AppendAttenuationRows(text, horizontal.samples, h.Hmax.fMag);
    text += "VERTICAL 360\r\n";
    AppendAttenuationRows(text, vertical.samples, v.Vmax.fMag);
    return text;
}

int ExportPatternTables(const CQuadrelDoc& doc, ExportState& state, PlnFlavour flavour) {
    const bool pln = flavour == PlnFlavour::Pln;
    const std::string folder = state.workingFolder + (pln ? "PLN" : "TXT");
    MakeFolder(folder);
    if (pln) state.plnFolder = folder;

    OutputBatch batch;
    std::vector<const PatternFile*> partners;
    for (const auto& [key, file] : doc.table) {
        if (!Contains(ToLower(file.fileName), "_h_co")) continue;
        const std::string partnerKey = PlanePartner(key);
        if (partnerKey.empty()) continue;
        const PatternFile* partner = doc.Find(ToLower(partnerKey));
        if (!partner) continue;
        const std::string path = folder + "/" + PlnBaseName(file, doc.patternInfo) + (pln ? ".pln" : ".txt");
        batch.Add(path, file.path, [&file = file, partner, &info = doc.patternInfo] {
            return PlnFileText(file, *partner, info);
        });
        partners.push_back(partner);
    }
    const std::vector<bool> written =
        batch.Write(state.ledger, doc.GetNotifier(), doc.jobs, kTextSaveFailed, kCaptionApplication);
    int count = 0;
    for (size_t i = 0; i < written.size(); ++i) {
        if (!written[i]) continue;
        ++count;
        AddFrequency(state.frequencyList, partners[i]->names[kFieldFrequency]);
    }
    return count;
}
