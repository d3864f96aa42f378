#include "generate/MsiCutText.h"

#include "app/TextUtil.h"

namespace {
// The reader takes the 360 samples of the first section, then skips one line.
constexpr size_t kFirstSection = 360;
} // namespace

std::string FormatMsiCut(const MsiCutHeader& header, const std::vector<double>& attenuations, double step) {
    std::string text;
    text.reserve(64 * 4 + attenuations.size() * 16);
    auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    line("NAME " + header.name);
    line("FREQUENCY " + std::to_string(header.frequency));
    line(std::to_string(attenuations.size()));
    line("TILT ELECTRICAL " + std::to_string(header.tilt));
    line("COMMENT " + header.comment);
    line(header.plane == CutPlane::Horizontal ? "HORIZONTAL 360" : "VERTICAL 360");
    for (size_t i = 0; i < attenuations.size(); ++i) {
        if (i == kFirstSection) line(kContinuationLine);
        line(FormatFixed(static_cast<double>(i) * step, 2) + " " + FormatFixed(attenuations[i], 2));
    }
    return text;
}
