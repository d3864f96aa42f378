#include "generate/EnvelopeCurves.h"

#include "app/TextUtil.h"

namespace {
struct Corner {
    double x;
    double y;
};

// The envelope sampled every degree between its corners, under a header line long enough that
// the reader takes it as a header.
std::string EnvelopeText(const std::string& header, const std::vector<Corner>& corners) {
    std::string text = header + "\r\n";
    for (size_t c = 0; c + 1 < corners.size(); ++c) {
        const Corner& a = corners[c];
        const Corner& b = corners[c + 1];
        bool last = c + 2 == corners.size();
        for (double x = a.x; x < b.x || (last && x <= b.x); x += 1.0) {
            double y = a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
            text += FormatFixed(x, 2) + " " + FormatFixed(y, 2) + "\r\n";
        }
    }
    return text;
}
} // namespace

std::vector<std::pair<std::string, std::string>> MakeEnvelopeFiles(int lowMHz, int highMHz) {
    std::string band = std::to_string(lowMHz) + "_" + std::to_string(highMHz);
    std::string bandText = std::to_string(lowMHz) + "-" + std::to_string(highMHz) + " MHz";
    std::vector<std::pair<std::string, std::string>> files;
    // Whole vertical plane: its corners bound the side-lobe sectors of the automatic sector mode.
    files.emplace_back("envelope_" + band + "_v-plane.txt",
                       EnvelopeText("Offset from peak(deg) Level(dB) vertical side-lobe envelope " + bandText,
                                    {{-180, -25},
                                     {-90, -25},
                                     {-40, -20},
                                     {-20, -18},
                                     {-5, -16},
                                     {-3, 0},
                                     {3, 0},
                                     {5, -12},
                                     {40, -15},
                                     {90, -20},
                                     {180, -25}}));
    // First upper side lobe: at least 15 dB down (18 dB for the strict class) above the beam.
    files.emplace_back("fsu envelope_" + band + "_standard.txt",
                       EnvelopeText("Offset from peak(deg) Level(dB) first upper side lobe 15 dB " + bandText,
                                    {{-60, -15}, {-6, -15}, {-3, 0}, {0, 0}}));
    files.emplace_back("fsu envelope_" + band + "_strict.txt",
                       EnvelopeText("Offset from peak(deg) Level(dB) first upper side lobe 18 dB " + bandText,
                                    {{-60, -18}, {-6, -18}, {-3, 0}, {0, 0}}));
    return files;
}
