#pragma once
#include <string>

#include "generate/CampaignOptions.h"

// Writes a measurement campaign as a test system would, from a physical model whose true
// indicators are known:
//   <out>/<site>_<project>_<model>_<date>_<batch>_<serial>/  one MSI file per cut
//   <out>/Gain Level/   one level curve per set (plane variants "_h_" and "_e_") and the
//                       reference level and gain curves
//   <out>/Envelope/     side-lobe envelopes of the band
//   <out>/truth.json    the true indicators of every cut, from the noise-free model
// The same options give the same bytes.

struct CampaignSummary {
    std::string testFolder;
    int patternFiles = 0;
    int curveFiles = 0;
    int envelopeFiles = 0;
};

// Measurement errors: a slow ripple over angle from the range's reflections (dB rms), and receiver
// noise whose power lies this many dB below the beam, so it only shows at low levels.
inline constexpr double kRippleRms = 0.06;
inline constexpr double kReceiverNoiseDb = -60.0;

// False with `error` set when the options are unusable or a file cannot be written.
bool GenerateCampaign(const CampaignOptions& options, CampaignSummary& summary, std::string& error);
