#include "generate/AntennaModel.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>

#include "generate/CampaignRandom.h"

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kLightSpeed = 299.792458; // metres times MHz
constexpr double kFloor = 1e-5;            // the range's noise floor, 50 dB below the beam
constexpr double kNominalWidth = 65.0;     // horizontal half-power width at the centre frequency
constexpr double kElementElevationWidth = 70.0;
constexpr double kElementBackLobe = 22.0; // dB, elevation back lobe of one radiator
constexpr double kCrossDip = 0.3;         // cross-polar field at its dip relative to its shoulders

double Radians(double degrees) {
    return degrees * kPi / 180.0;
}
double Degrees(double radians) {
    return radians * 180.0 / kPi;
}
double FromDb(double db) {
    return std::pow(10.0, db / 10.0);
}

double WrapDegrees(double angle) {
    while (angle > 180.0) angle -= 360.0;
    while (angle <= -180.0) angle += 360.0;
    return angle;
}

// ((1 + cos x) / 2)^n falls to one half at x = width / 2 for this power exponent n.
double HalfPowerExponent(double widthDegrees) {
    return std::log(0.5) / std::log((1.0 + std::cos(Radians(widthDegrees / 2.0))) / 2.0);
}
double FrontShape(double angle, double exponent) {
    return std::pow((1.0 + std::cos(Radians(angle))) / 2.0, exponent);
}
double BackShape(double angle, double exponent) {
    return std::pow((1.0 - std::cos(Radians(angle))) / 2.0, exponent);
}
} // namespace

AntennaModel::AntennaModel(uint64_t seed, int ports, double lowestMHz, double highestMHz)
    : m_seed(seed), m_centreMHz((lowestMHz + highestMHz) / 2.0) {
    // Radiators 0.8 wavelengths apart at the centre of the band: long enough for a narrow beam,
    // short enough that no grating lobe appears at the top of the band.
    m_spacingMetres = 0.8 * kLightSpeed / m_centreMHz;
    // A light cosine taper on a pedestal lowers the side lobes a few dB below a uniform column.
    for (int m = 0; m < kElements; ++m) {
        double offset = (m - (kElements - 1) / 2.0) / kElements;
        m_taper.push_back(0.55 + 0.45 * std::cos(kPi * offset));
    }
    for (int port = 1; port <= ports; ++port) {
        CampaignRandom random(seed, "port/" + std::to_string(port));
        PortTraits traits;
        // Paired ports squint to opposite sides, as the two slants of one column usually do.
        traits.squint = (port % 2 == 1 ? 1.0 : -1.0) * random.Uniform(1.0, 2.0);
        traits.widthOffset = random.Uniform(-1.5, 1.5);
        traits.frontToBack = random.Uniform(26.0, 30.0);
        traits.boresightXpd = random.Uniform(17.0, 22.0);
        traits.dipOffset = random.Uniform(-3.0, 3.0);
        traits.verticalXpd = random.Uniform(15.0, 19.0);
        traits.nullFill = random.Uniform(18.0, 21.0);
        for (int m = 0; m < kElements; ++m) {
            traits.crossAmplitude.push_back(random.Uniform(0.3, 1.0));
            traits.crossPhase.push_back(random.Uniform(-1.2, 1.2));
        }
        m_ports.push_back(std::move(traits));
    }
}

const AntennaModel::PortTraits& AntennaModel::Traits(int port) const {
    return m_ports.at(static_cast<size_t>(std::clamp(port, 1, static_cast<int>(m_ports.size())) - 1));
}

double AntennaModel::TiltError(int port, int tilt, int frequency) const {
    CampaignRandom random(m_seed, "tilt/" + std::to_string(port) + "/" + std::to_string(tilt) + "/" +
                                      std::to_string(frequency));
    return random.Uniform(-0.4, 0.4);
}

std::vector<double> AntennaModel::LevelsDb(const CutId& cut, const std::vector<double>& angles) const {
    const PortTraits& traits = Traits(cut.port);
    std::vector<double> powers(angles.size());
    if (cut.plane == CutPlane::Vertical) {
        VerticalPowers(traits, cut, angles, powers);
    } else {
        for (size_t i = 0; i < angles.size(); ++i) powers[i] = HorizontalPower(traits, cut, angles[i]);
    }
    for (double& p : powers) p = 10.0 * std::log10(p);
    return powers;
}

double AntennaModel::HorizontalPower(const PortTraits& traits, const CutId& cut, double angle) const {
    double relative = (m_centreMHz - cut.frequency) / m_centreMHz;
    // The beam narrows as the frequency rises and widens a little with downtilt.
    double width = (kNominalWidth + traits.widthOffset) * (1.0 + 0.12 * relative) * (1.0 + 0.004 * cut.tilt);
    double exponent = HalfPowerExponent(width);
    double x = WrapDegrees(angle - traits.squint);
    double back = FromDb(-traits.frontToBack) * BackShape(x, 3.0);
    if (cut.component == CutComponent::Co) return FrontShape(x, exponent) + back + kFloor;

    double xpd = traits.boresightXpd + 1.5 * std::sin(2.0 * kPi * (cut.frequency - m_centreMHz) / 600.0);
    double dip = std::sin(Radians(traits.dipOffset));
    double scale = FromDb(-xpd) / (kCrossDip * kCrossDip + dip * dip);
    double s = std::sin(Radians(x - traits.dipOffset));
    return scale * (kCrossDip * kCrossDip + s * s) * FrontShape(x, 0.8 * exponent) + 0.5 * back + kFloor;
}

void AntennaModel::VerticalPowers(const PortTraits& traits, const CutId& cut,
                                  const std::vector<double>& angles, std::vector<double>& powers) const {
    double wavelength = kLightSpeed / cut.frequency;
    double kd = 2.0 * kPi * m_spacingMetres / wavelength;
    double steer = Radians(cut.tilt + TiltError(cut.port, cut.tilt, cut.frequency));
    // Distance from the beam to its first null, used to place the null fill below the beam.
    double nullSpacing = Degrees(wavelength / (kElements * m_spacingMetres)) / std::cos(steer);
    double fillCentre = Degrees(steer) + 0.5 * nullSpacing;
    double fillWidth = 0.15 * nullSpacing;
    double fill = FromDb(-traits.nullFill);
    double elementExponent = HalfPowerExponent(kElementElevationWidth);
    double crossScale =
        FromDb(-(traits.verticalXpd + 1.5 * std::cos(2.0 * kPi * (cut.frequency - m_centreMHz) / 500.0)));

    std::vector<std::complex<double>> weights(kElements);
    double weightSum = 0.0;
    for (int m = 0; m < kElements; ++m) {
        if (cut.component == CutComponent::Co) {
            weights[m] = m_taper[m];
        } else {
            weights[m] = std::polar(m_taper[m] * traits.crossAmplitude[m], traits.crossPhase[m]);
        }
        weightSum += std::abs(weights[m]);
    }

    for (size_t i = 0; i < angles.size(); ++i) {
        double theta = angles[i];
        double psi = kd * (std::sin(Radians(theta)) - std::sin(steer));
        std::complex<double> step = std::polar(1.0, psi);
        std::complex<double> sum = 0.0;
        for (int m = kElements - 1; m >= 0; --m) sum = sum * step + weights[m]; // Horner
        double arrayPower = std::norm(sum) / (weightSum * weightSum);
        double front = FrontShape(theta, elementExponent);
        double element = front + FromDb(-kElementBackLobe) * BackShape(theta, 3.0);
        if (cut.component == CutComponent::Co) {
            double below = 1.0 / (1.0 + std::exp(-(theta - fillCentre) / fillWidth));
            powers[i] = arrayPower * element + fill * front * below + kFloor;
        } else {
            powers[i] = crossScale * arrayPower * element + 0.5 * kFloor;
        }
    }
}
