#pragma once
#include <cstdint>
#include <vector>

enum class CutPlane { Horizontal, Vertical };
enum class CutComponent { Co, Cross };

// One measured cut of the antenna: which port, electrical tilt, frequency, plane and component.
struct CutId {
    int port = 1;
    int tilt = 0;      // degrees of electrical downtilt
    int frequency = 0; // MHz
    CutPlane plane = CutPlane::Horizontal;
    CutComponent component = CutComponent::Co;
};

// A dual-polarised panel antenna: a column of radiators in front of a reflector.
//
// Vertical cut: the array factor of the column (lightly tapered, progressive delay for the tilt)
// times the radiator's elevation pattern, with a little power filled in below the main beam.
// Horizontal cut: the radiator's azimuth pattern (about 65 degrees wide, narrowing with frequency)
// with a back lobe and a per-port squint. Cross-polar cuts: weaker, broader patterns with a dip
// near boresight.
//
// Angles follow the measured cuts: degrees in (-180, 180], the main beam near 0; in the vertical
// cut a downtilted beam lies at positive angles, so negative angles are above the beam ("upper").
// Levels are linear power relative to the co-polar main beam of the same plane (about 1 there);
// cross-polar power is on the same scale.
class AntennaModel {
  public:
    AntennaModel(uint64_t seed, int ports, double lowestMHz, double highestMHz);

    // Noise-free level in dB at each angle.
    std::vector<double> LevelsDb(const CutId& cut, const std::vector<double>& angles) const;

    // The deliberate error between the set tilt and the direction the column is steered to.
    double TiltError(int port, int tilt, int frequency) const;

    int Elements() const { return kElements; }
    double CentreFrequency() const { return m_centreMHz; }

  private:
    static constexpr int kElements = 10;
    struct PortTraits {
        double squint = 0.0;                // degrees, the azimuth beam direction
        double widthOffset = 0.0;           // degrees added to the nominal 65
        double frontToBack = 28.0;          // dB
        double boresightXpd = 20.0;         // dB, horizontal
        double dipOffset = 0.0;             // degrees between the cross-polar dip and the beam
        double verticalXpd = 20.0;          // dB, below which the cross-polar column stays
        double nullFill = 20.0;             // dB below the peak that is filled in under the beam
        std::vector<double> crossAmplitude; // per radiator
        std::vector<double> crossPhase;     // per radiator, radians
    };

    double HorizontalPower(const PortTraits& traits, const CutId& cut, double angle) const;
    void VerticalPowers(const PortTraits& traits, const CutId& cut, const std::vector<double>& angles,
                        std::vector<double>& powers) const;
    const PortTraits& Traits(int port) const;

    uint64_t m_seed;
    double m_centreMHz;
    double m_spacingMetres;
    std::vector<double> m_taper;
    std::vector<PortTraits> m_ports;
};
