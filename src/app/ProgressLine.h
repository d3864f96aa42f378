#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// The wait before the line first appears, and between redraws.
inline constexpr double kProgressDelaySeconds = 2.0;
inline constexpr double kProgressRedrawSeconds = 0.25;

// One line of progress for a long run on a terminal ("files done of total, rate, time left"). It
// stays away for the first seconds, so short runs never show it, is redrawn in place at most a few
// times a second, and is erased at the end so that nothing of it remains on the screen. The clock
// and the place the text goes are given, so it does not depend on a terminal or on real time.
class ProgressLine {
  public:
    using Clock = std::function<double()>; // seconds since any fixed moment
    using Sink = std::function<void(std::string_view)>;

    ProgressLine(size_t total, Clock clock, Sink sink, double delaySeconds = kProgressDelaySeconds);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // One more file is done.
    void Step();
    // Takes the line off the screen until the next redraw, so that a message can be written.
    void Clear();
    // The run is over: the line is erased and not drawn again.
    void Finish();

    // The text of the line for `done` files after `seconds`.
    static std::string Text(size_t done, size_t total, double seconds);

  private:
    size_t m_total;
    size_t m_done = 0;
    Clock m_clock;
    Sink m_sink;
    double m_delay;
    double m_start;
    double m_lastDraw = -1.0;
    bool m_shown = false;
    bool m_finished = false;
};
