// Exact Data, MSI and TMVMSI files written from the document.
#include <array>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <optional>

#include "app/AtomicFile.h"
#include "app/OutputBatch.h"
#include "app/TextUtil.h"
#include "app/WriteLedger.h"
#include "document/ExactDataFormat.h"
#include "document/Naming.h"
#include "document/ProgramTexts.h"
#include "document/QuadrelDoc.h"

namespace {
constexpr double kDbdToDbi = 2.15;

std::string TwoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

std::string DateText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::string year = std::to_string(local.tm_year + 1900);
    while (year.size() < 4) year.insert(0, "0");
    return TwoDigits(local.tm_mday) + "." + TwoDigits(local.tm_mon + 1) + "." + year;
}

// One line per whole-degree sample in [0, 360), ascending; the first sample of an angle wins.
void AppendSectionLines(std::string& out, const Cut& cut, float referenceLevel) {
    std::array<std::optional<float>, 360> levels;
    for (const PatternPoint& p : cut) {
        if (!std::isfinite(p.fAngle) || p.fAngle != std::floor(p.fAngle)) continue;
        double angle = std::fmod(static_cast<double>(p.fAngle), 360.0);
        if (angle < 0) angle += 360.0;
        auto& slot = levels[static_cast<size_t>(angle) % 360];
        if (!slot) slot = p.fMag;
    }
    for (size_t angle = 0; angle < levels.size(); ++angle) {
        if (!levels[angle]) continue;
        AppendFixed(out, static_cast<double>(angle), 2);
        out += ' ';
        AppendFixed(out, static_cast<double>(referenceLevel) - static_cast<double>(*levels[angle]), 2);
        out += "\r\n";
    }
}

std::string FrequencyText(const std::string& field) {
    return field.size() < 4 ? "0" + field : field;
}

std::string TiltText(const std::string& field, const std::string& suffix) {
    if (field.size() == 1) return "0" + field + suffix;
    if (field.size() == 2) return field + suffix;
    return {};
}

// The output name and the header lines of the export of one horizontal cut.
struct MsiHead {
    std::string title;
    std::string header;
};

MsiHead MsiHeadOf(const PatternFile& file, const PatternInfoConfig& info, bool tmv, const std::string& date) {
    const NameFields& f = file.names;
    const std::string& method = info.tiltMethod;
    const std::string frequency = FrequencyText(f[kFieldFrequency]);
    const std::string tiltSuffix = !tmv ? "t" : (method == "Electrical" ? "ET" : "FT");
    const std::string tilt = TiltText(f[kFieldTilt], tiltSuffix);
    const std::string polarisation = ToLower(f[kFieldPolarisation]);
    std::string extension;
    for (const auto& [portName, portExtension] : info.ports) {
        if (Contains(ToLower(f[kFieldPort]), portName)) extension = portExtension;
    }
    const std::string title =
        ToUpper(f[kFieldModel] + "_" + frequency + "_x_co_" + polarisation + "_" + tilt + extension);
    // The NAME line upper-cases its parts one by one: the frequency and extension stay as given.
    const std::string nameValue = ToUpper(f[kFieldModel]) + "_" + frequency + "_X_CO_" +
                                  ToUpper(polarisation) + "_" + ToUpper(tilt) + extension;

    double gain = file.results.Gain;
    if (!tmv && Contains(info.gainUnit, "dBd")) gain -= kDbdToDbi;
    std::string tiltLine = "TILT";
    const char* gap = tmv ? " " : "\t";
    if (method == "Electrical") tiltLine += std::string(gap) + "ELECTRICAL";
    if (method == "Mechanical") tiltLine += std::string(gap) + "MACHANICAL";
    std::string polarised = "90 degrees polarized";
    if (tmv && f[kFieldPolarisation] == "P45") polarised = "+45 degrees polarized";
    if (tmv && f[kFieldPolarisation] == "N45") polarised = "-45 degrees polarized";

    MsiHead head{title, {}};
    std::string& header = head.header;
    header += "NAME " + nameValue + "\r\n";
    header += "FREQUENCY " + frequency + "\r\n";
    header += "GAIN " + FormatFixed(gain, 2) + "  " + info.gainUnit + "\r\n";
    header += tiltLine + "\r\n";
    if (tmv) header += "POLARIZATION POL_X\r\n";
    header += "COMMENT DATE " + date + " " + polarised + " system Lever position " + tilt + " deg\r\n";
    header += "HORIZONTAL 360\r\n";
    return head;
}

} // namespace

bool CQuadrelDoc::WriteExactData(const std::string& path, const std::string& key, WriteLedger* ledger) const {
    return WriteExactDataImpl(path, key, false, ledger);
}

bool CQuadrelDoc::WriteExactDataCounted(const std::string& path, const std::string& key) const {
    return WriteExactDataImpl(path, key, true, nullptr);
}

bool CQuadrelDoc::WriteExactDataImpl(const std::string& path, const std::string& key, bool counted,
                                     WriteLedger* ledger) const {
    auto it = table.find(key);
    if (it == table.end()) return false;
    const PatternFile& file = it->second;
    // Only an Exact Data file carries a directivity in its header; for the others the header value
    // is the frequency and must not be written as a directivity.
    const float directivity =
        file.source == PatternSource::ExactData ? file.headerValue : file.results.Directivity;
    const std::string countLine = counted ? std::to_string(file.count) : "720";
    return WriteOutput(ledger, *m_notifier, path,
                       FormatExactData(directivity, file.results.Gain, countLine, file.samples), file.path,
                       kTextSaveFailed, kCaptionApplication);
}

int CQuadrelDoc::WriteMsiFiles(const std::string& exportFolder, WriteLedger* ledger) const {
    return WriteMsiVariant(exportFolder, false, ledger);
}
int CQuadrelDoc::WriteTmvMsiFiles(const std::string& exportFolder, WriteLedger* ledger) const {
    return WriteMsiVariant(exportFolder, true, ledger);
}

int CQuadrelDoc::WriteMsiVariant(const std::string& exportFolder, bool tmv, WriteLedger* ledger) const {
    std::string base = exportFolder;
    if (!base.empty() && base.back() != '/' && base.back() != '\\') base += '/';
    const std::string folder = base + (tmv ? "TMVMSI" : "MSI");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec); // a failure shows up as a failed write below

    const std::string date = DateText();
    OutputBatch batch;
    for (const auto& [key, file] : table) {
        if (!Contains(ToLower(file.fileName), "_h_co")) continue;
        auto partner = table.find(ToLower(PlanePartner(key)));
        if (partner == table.end()) continue;
        MsiHead head = MsiHeadOf(file, patternInfo, tmv, date);
        const PatternFile& vertical = partner->second;
        batch.Add(folder + "/" + head.title + ".msi", file.path,
                  [header = std::move(head.header), &file = file, &vertical] {
                      std::string text;
                      text.reserve(header.size() + 32 + 2 * 360 * 16);
                      text += header;
                      AppendSectionLines(text, file.samples, file.results.Hmax.fMag);
                      text += "VERTICAL 360\r\n";
                      AppendSectionLines(text, vertical.samples, vertical.results.Vmax.fMag);
                      return text;
                  });
    }
    WriteLedger local;
    int written = 0;
    for (bool ok :
         batch.Write(ledger ? *ledger : local, *m_notifier, jobs, kTextSaveFailed, kCaptionApplication))
        written += ok ? 1 : 0;
    return written;
}
