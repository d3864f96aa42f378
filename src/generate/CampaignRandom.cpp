#include "generate/CampaignRandom.h"

namespace {
uint64_t HashLabel(std::string_view label) {
    uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (unsigned char c : label) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}
} // namespace

CampaignRandom::CampaignRandom(uint64_t seed, std::string_view label) : m_state(seed ^ HashLabel(label)) {
    Next(); // decorrelate neighbouring seeds before the first use
}

uint64_t CampaignRandom::Next() {
    // SplitMix64.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double CampaignRandom::Uniform() {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double CampaignRandom::Gaussian() {
    double sum = 0.0;
    for (int i = 0; i < 12; ++i) sum += Uniform();
    return sum - 6.0;
}
