#include "app/ProgressLine.h"

#include <cmath>
#include <cstdio>

namespace {
// Carriage return and "erase to the end of the line": the line is rewritten where it stands.
constexpr std::string_view kEraseLine = "\r\x1b[K";

std::string Duration(double seconds) {
    const long total = std::lround(std::max(0.0, seconds));
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    return text;
}
} // namespace

ProgressLine::ProgressLine(size_t total, Clock clock, Sink sink, double delaySeconds)
    : m_total(total), m_clock(std::move(clock)), m_sink(std::move(sink)), m_delay(delaySeconds),
      m_start(m_clock()) {}

ProgressLine::~ProgressLine() {
    Finish();
}

std::string ProgressLine::Text(size_t done, size_t total, double seconds) {
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    std::string text = std::to_string(done) + " of " + std::to_string(total) + " files";
    char figures[64];
    std::snprintf(figures, sizeof figures, ", %.0f files/s", rate);
    text += figures;
    if (rate > 0 && done < total) text += ", " + Duration(static_cast<double>(total - done) / rate) + " left";
    return text;
}

void ProgressLine::Step() {
    ++m_done;
    if (m_finished) return;
    const double now = m_clock();
    const double seconds = now - m_start;
    if (seconds < m_delay) return;
    if (m_shown && m_lastDraw >= 0 && now - m_lastDraw < kProgressRedrawSeconds) return;
    m_sink(std::string(kEraseLine) + Text(m_done, m_total, seconds));
    m_shown = true;
    m_lastDraw = now;
}

void ProgressLine::Clear() {
    if (!m_shown) return;
    m_sink(kEraseLine);
    m_shown = false;
    m_lastDraw = -1.0;
}

void ProgressLine::Finish() {
    Clear();
    m_finished = true;
}
