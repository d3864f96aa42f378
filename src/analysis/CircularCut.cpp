#include "analysis/CircularCut.h"

#include <algorithm>

namespace {
// Float angles of a regular grid differ from it by far less than this.
constexpr double kAngleSlack = 1e-3;
} // namespace

bool IsFullCircle(const Cut& cut) {
    if (cut.size() < 3) return false;
    const double closing = static_cast<double>(cut.front().fAngle) + 360.0 - cut.back().fAngle;
    if (closing < -kAngleSlack) return false;
    // The widest step only grows: the first step as wide as the closing one settles it. On a regular
    // grid that is the first step, and the walks ask this of every cut several times.
    double widest = 0.0;
    for (size_t i = 1; i < cut.size(); ++i) {
        widest = std::max(widest, static_cast<double>(cut[i].fAngle) - cut[i - 1].fAngle);
        if (closing <= widest + kAngleSlack) return true;
    }
    return false;
}

CircularStep::CircularStep(const Cut& cut, size_t index, double turns)
    : m_cut(&cut), m_index(index), m_turns(turns),
      m_repeatsFirst(static_cast<double>(cut.back().fAngle) - cut.front().fAngle >= 360.0 - kAngleSlack) {}

double CircularStep::Unwrapped() const {
    return static_cast<double>((*m_cut)[m_index].fAngle) + 360.0 * m_turns;
}

void CircularStep::Step(int direction) {
    const size_t last = m_cut->size() - 1;
    if (direction > 0) {
        if (m_index == last && m_repeatsFirst) {
            m_index = 1;
            m_turns += 1.0;
            return;
        }
        if (m_index < last && !(m_repeatsFirst && m_index + 1 == last)) {
            ++m_index;
            return;
        }
        m_index = 0;
        m_turns += 1.0;
        return;
    }
    if (m_index > 0) {
        --m_index;
        return;
    }
    m_index = m_repeatsFirst ? last - 1 : last;
    m_turns -= 1.0;
}

double IntoCutSpan(double angle, const Cut& cut) {
    if (cut.empty()) return angle;
    while (angle < cut.front().fAngle) angle += 360.0;
    while (angle >= static_cast<double>(cut.front().fAngle) + 360.0) angle -= 360.0;
    return angle;
}
