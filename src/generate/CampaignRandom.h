#pragma once
#include <cstdint>
#include <string_view>

// A small generator of our own, so that a seed gives the same campaign on every machine and with
// every standard library (the std:: distributions may change their output between versions).
class CampaignRandom {
  public:
    explicit CampaignRandom(uint64_t seed) : m_state(seed) {}
    // A stream that depends only on the seed and a label, so one file's noise does not change
    // when other files are added or written in another order.
    CampaignRandom(uint64_t seed, std::string_view label);

    uint64_t Next();
    // Uniform in [0, 1).
    double Uniform();
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Approximately standard normal: the sum of twelve uniforms minus six. Plain arithmetic, so
    // no library function can change the bytes of a generated file.
    double Gaussian();

  private:
    uint64_t m_state;
};
