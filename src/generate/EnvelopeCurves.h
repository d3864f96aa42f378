#pragma once
#include <string>
#include <utility>
#include <vector>

// Side-lobe envelopes for the vertical cut of the campaign's band, in the vertical analysis's
// convention: x is the offset from the beam peak in degrees (negative above the beam, where the
// first upper side lobe lies), y the allowed level in dB relative to the peak.
// Returns (file name, file text) pairs; names carry the band as "_<low>_<high>".
std::vector<std::pair<std::string, std::string>> MakeEnvelopeFiles(int lowMHz, int highMHz);
