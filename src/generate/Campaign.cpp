#include "generate/Campaign.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <map>
#include <numbers>

#include "app/AtomicFile.h"
#include "generate/AntennaModel.h"
#include "generate/CampaignNames.h"
#include "generate/CampaignRandom.h"
#include "generate/CutTruth.h"
#include "generate/EnvelopeCurves.h"
#include "generate/GainLevelCurves.h"
#include "generate/MsiCutText.h"
#include "generate/TruthJson.h"

namespace fs = std::filesystem;

namespace {
// Gain of the model: its directivity estimated from the two half-power widths, less the losses of
// the feed network (the constant sits below the lossless 41253 square degrees).
constexpr double kGainSquareDegrees = 26000.0;

long GainFromWidths(std::optional<double> hbw3, std::optional<double> vbw3) {
    double width = hbw3.value_or(65.0) * vbw3.value_or(7.0);
    return std::lround(100.0 * 10.0 * std::log10(kGainSquareDegrees / width));
}

CutId CutIdOf(int port, int tilt, int frequency, CutPlane plane, CutComponent component) {
    return CutId{port, tilt, frequency, plane, component};
}

long TrueGain(const AntennaModel& model, int port, int tilt, int frequency) {
    FineCut horizontal =
        SampleFineCut(model, CutIdOf(port, tilt, frequency, CutPlane::Horizontal, CutComponent::Co));
    FineCut vertical =
        SampleFineCut(model, CutIdOf(port, tilt, frequency, CutPlane::Vertical, CutComponent::Co));
    return GainFromWidths(BeamWidth(horizontal, 3.0), BeamWidth(vertical, 3.0));
}

std::optional<std::pair<double, double>> LobePoint(const std::optional<SideLobe>& lobe) {
    if (!lobe) return std::nullopt;
    return std::make_pair(lobe->angle, lobe->suppression);
}

// The true indicators of the four cuts of one port, tilt and frequency, keyed by file name.
std::map<std::string, JsonObject> MeasureSet(const AntennaModel& model, int port, int tilt, int frequency) {
    auto cut = [&](CutPlane plane, CutComponent component) {
        return SampleFineCut(model, CutIdOf(port, tilt, frequency, plane, component));
    };
    FineCut hCo = cut(CutPlane::Horizontal, CutComponent::Co);
    FineCut hCr = cut(CutPlane::Horizontal, CutComponent::Cross);
    FineCut vCo = cut(CutPlane::Vertical, CutComponent::Co);
    FineCut vCr = cut(CutPlane::Vertical, CutComponent::Cross);
    HorizontalTruth h = MeasureHorizontal(hCo);
    VerticalTruth v = MeasureVertical(vCo);
    double gain = GainFromWidths(h.hbw3, v.vbw3) / 100.0;

    std::map<std::string, JsonObject> records;
    JsonObject& horizontal =
        records[CutFileName(CutIdOf(port, tilt, frequency, CutPlane::Horizontal, CutComponent::Co))];
    horizontal.Number("HBW3", h.hbw3);
    horizontal.Number("HBW10", h.hbw10);
    horizontal.Number("Squint", h.peakAngle); // nominal direction 0
    horizontal.Number("FBRco", h.frontToBack);
    horizontal.Number("Gain", gain, 2);

    JsonObject& hCross =
        records[CutFileName(CutIdOf(port, tilt, frequency, CutPlane::Horizontal, CutComponent::Cross))];
    hCross.Number("XPD0", CrossPolarDiscrimination(hCo, hCr));

    JsonObject& vertical =
        records[CutFileName(CutIdOf(port, tilt, frequency, CutPlane::Vertical, CutComponent::Co))];
    vertical.Number("VBW3", v.vbw3);
    vertical.Number("VBP", v.peakAngle);
    vertical.Number("EDE", v.peakAngle - tilt);
    vertical.Point("FSU", LobePoint(v.firstUpper));
    vertical.Point("FSD", LobePoint(v.firstLower));
    vertical.Number("FN", v.upperNull);
    vertical.Number("NullLow", v.lowerNull);
    vertical.Number("NF", v.nullFill);
    vertical.Number("Gain", gain, 2);

    JsonObject& vCross =
        records[CutFileName(CutIdOf(port, tilt, frequency, CutPlane::Vertical, CutComponent::Cross))];
    vCross.Number("VXPD0", CrossPolarDiscrimination(vCo, vCr));
    return records;
}

// Levels as the range measures them at the file's angles (0, step, ... below 360): the model with a
// ripple of a few slow periods over the full turn and receiver noise added to the field, from a
// random stream of the file's own.
std::vector<double> MeasuredLevels(const AntennaModel& model, const CutId& cutId, double step,
                                   uint64_t seed) {
    std::vector<double> angles;
    int count = SamplesPerCut(step);
    for (int i = 0; i < count; ++i) {
        double angle = i * step;
        angles.push_back(angle > 180.0 ? angle - 360.0 : angle);
    }
    std::vector<double> levels = model.LevelsDb(cutId, angles);
    CampaignRandom random(seed, "noise/" + CutFileName(cutId));
    struct Ripple {
        double periods;
        double phase;
    };
    std::vector<Ripple> ripples;
    for (int k = 0; k < 4; ++k) {
        double periods = std::floor(random.Uniform(12.0, 37.0)); // whole periods close the turn
        ripples.push_back({periods, random.Uniform(0.0, 2.0 * std::numbers::pi)});
    }
    const double rippleAmplitude = kRippleRms / std::sqrt(ripples.size() / 2.0);
    const double noiseField = std::pow(10.0, kReceiverNoiseDb / 20.0) / std::sqrt(2.0);
    for (size_t i = 0; i < levels.size(); ++i) {
        double ripple = 0.0;
        for (const Ripple& r : ripples)
            ripple += std::sin(r.periods * angles[i] * std::numbers::pi / 180.0 + r.phase);
        std::complex<double> field(std::pow(10.0, levels[i] / 20.0), 0.0);
        field += noiseField * std::complex<double>(random.Gaussian(), random.Gaussian());
        levels[i] = 10.0 * std::log10(std::norm(field)) + rippleAmplitude * ripple;
    }
    return levels;
}

class CampaignWriter {
  public:
    CampaignWriter(const CampaignOptions& options, CampaignSummary& summary)
        : m_options(options), m_summary(summary),
          m_model(options.seed, options.ports,
                  *std::min_element(options.frequencies.begin(), options.frequencies.end()),
                  *std::max_element(options.frequencies.begin(), options.frequencies.end())),
          m_root(options.outDir), m_reference(MakeGainReference(options.frequencies)) {}

    bool Run(std::string& error) {
        m_summary.testFolder = TestFolderName(m_options.seed);
        std::error_code ec;
        if (!PrepareEmptyFolder(error)) return false;
        for (const char* folder : {"", "Gain Level", "Envelope"}) fs::create_directories(m_root / folder, ec);
        fs::create_directories(m_root / m_summary.testFolder, ec);
        if (ec) {
            error = "cannot create folders under " + m_options.outDir + ": " + ec.message();
            return false;
        }
        return WriteCuts() && WriteGainCurves() && WriteEnvelopes() && WriteTruth();
    }

    const std::string& Error() const { return m_error; }

  private:
    bool PrepareEmptyFolder(std::string& error) {
        std::error_code ec;
        if (!fs::exists(m_root, ec)) return true;
        if (!fs::is_directory(m_root, ec)) {
            error = m_options.outDir + " exists and is not a folder";
            return false;
        }
        if (fs::is_empty(m_root, ec)) return true;
        if (!m_options.force) {
            error = m_options.outDir + " is not empty; choose an empty folder, or --force to empty it first";
            return false;
        }
        if (fs::weakly_canonical(m_root, ec) == fs::path("/")) {
            error = "refusing to empty /";
            return false;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(m_root, ec)) {
            std::error_code removeError;
            fs::remove_all(entry.path(), removeError);
            if (removeError) {
                error = "cannot empty " + m_options.outDir + ": " + entry.path().string() + ": " +
                        removeError.message();
                return false;
            }
        }
        return true;
    }

    bool Write(const fs::path& path, const std::string& text) {
        if (WriteFileAtomic(path.string(), text)) return true;
        m_error = "cannot write " + path.string();
        return false;
    }

    bool WriteCuts() {
        for (int port = 1; port <= m_options.ports; ++port) {
            for (int tilt : m_options.tilts) {
                for (int frequency : m_options.frequencies) {
                    m_truth.merge(MeasureSet(m_model, port, tilt, frequency));
                    for (CutPlane plane : {CutPlane::Horizontal, CutPlane::Vertical})
                        if (!WritePlane(CutIdOf(port, tilt, frequency, plane, CutComponent::Co)))
                            return false;
                }
            }
        }
        return true;
    }

    // The co- and cross-polar cut of one plane, both as attenuation below the co-polar peak.
    bool WritePlane(CutId co) {
        CutId cross = co;
        cross.component = CutComponent::Cross;
        std::vector<double> coLevels = MeasuredLevels(m_model, co, m_options.step, m_options.seed);
        std::vector<double> crossLevels = MeasuredLevels(m_model, cross, m_options.step, m_options.seed);
        double peak = *std::max_element(coLevels.begin(), coLevels.end());
        for (auto [cutId, levels] : {std::pair{co, &coLevels}, std::pair{cross, &crossLevels}}) {
            std::vector<double> attenuations;
            for (double level : *levels) attenuations.push_back(peak - level);
            std::string fileName = CutFileName(cutId);
            MsiCutHeader header;
            header.name = std::string(kAntennaModelName) + " " + fileName.substr(0, fileName.size() - 4);
            header.frequency = cutId.frequency;
            header.tilt = cutId.tilt;
            header.plane = cutId.plane;
            header.comment = m_summary.testFolder + " port " + std::to_string(cutId.port) + " " +
                             (cutId.port % 2 == 1 ? "+45" : "-45") + " " +
                             (cutId.component == CutComponent::Co ? "co-polar" : "cross-polar") +
                             " synthetic range measurement seed " + std::to_string(m_options.seed);
            if (!Write(m_root / m_summary.testFolder / fileName,
                       FormatMsiCut(header, attenuations, m_options.step)))
                return false;
            ++m_summary.patternFiles;
        }
        return true;
    }

    bool WriteGainCurves() {
        fs::path folder = m_root / "Gain Level";
        std::vector<CurvePoint> level, gain;
        for (int f : m_reference.frequencies) {
            level.push_back({f, ReferenceLevel(m_reference, f)});
            gain.push_back({f, ReferenceGain(m_reference, f)});
        }
        if (!Write(folder / ReferenceLevelFileName(m_reference.lowMHz, m_reference.highMHz),
                   FormatCurveText("Level(dB)", level)) ||
            !Write(folder / ReferenceGainFileName(m_reference.lowMHz, m_reference.highMHz),
                   FormatCurveText("Gain(dBi)", gain)))
            return false;
        m_summary.curveFiles += 2;
        for (int port = 1; port <= m_options.ports; ++port) {
            for (int tilt : m_options.tilts) {
                std::vector<CurvePoint> set;
                for (int f : m_reference.frequencies)
                    set.push_back({f, AntennaLevel(m_reference, f, TrueGain(m_model, port, tilt, f))});
                std::string text = FormatCurveText("Level(dB)", set);
                // Either plane may be chosen to provide the gain; both curves hold the same levels.
                for (CutPlane plane : {CutPlane::Horizontal, CutPlane::Vertical}) {
                    if (!Write(folder / SetGainLevelFileName(port, tilt, plane), text)) return false;
                    ++m_summary.curveFiles;
                }
            }
        }
        return true;
    }

    bool WriteEnvelopes() {
        for (const auto& [name, text] : MakeEnvelopeFiles(m_reference.lowMHz, m_reference.highMHz)) {
            if (!Write(m_root / "Envelope" / name, text)) return false;
            ++m_summary.envelopeFiles;
        }
        return true;
    }

    bool WriteTruth() {
        JsonObject campaign;
        campaign.String("model", kAntennaModelName);
        campaign.String("testFolder", m_summary.testFolder);
        campaign.Integer("ports", m_options.ports);
        campaign.IntegerArray("tilts", m_options.tilts);
        campaign.IntegerArray("frequencies", m_options.frequencies);
        campaign.Number("step", m_options.step, 2);
        campaign.Unsigned("seed", m_options.seed);
        campaign.Number("rippleRms", kRippleRms, 2);
        campaign.Number("receiverNoiseDb", kReceiverNoiseDb, 1);
        campaign.Integer("elements", m_model.Elements());
        JsonObject files;
        for (auto& [name, record] : m_truth)
            files.Object(m_summary.testFolder + "/" + name, std::move(record));
        JsonObject document;
        document.Object("campaign", std::move(campaign));
        document.Object("files", std::move(files));
        return Write(m_root / "truth.json", document.Text() + "\n");
    }

    const CampaignOptions& m_options;
    CampaignSummary& m_summary;
    AntennaModel m_model;
    fs::path m_root;
    GainReference m_reference;
    std::map<std::string, JsonObject> m_truth; // by file name, so the truth is in path order
    std::string m_error;
};
} // namespace

bool GenerateCampaign(const CampaignOptions& options, CampaignSummary& summary, std::string& error) {
    error = ValidateCampaignOptions(options);
    if (!error.empty()) return false;
    summary = CampaignSummary{};
    CampaignWriter writer(options, summary);
    if (writer.Run(error)) return true;
    if (error.empty()) error = writer.Error();
    return false;
}
