#include <gtest/gtest.h>

#include "app/ProgressLine.h"

namespace {
const std::string kErase = "\r\x1b[K";

struct ProgressCase {
    const char* name;
    size_t total;
    // The clock reading of each file done; a negative reading clears the line (a message) instead.
    std::vector<double> events;
    std::string expected; // everything written, the erase at the end included
};

class ProgressLineRun : public testing::TestWithParam<ProgressCase> {};

TEST_P(ProgressLineRun, WritesTheExpectedText) {
    const ProgressCase& c = GetParam();
    double now = 0;
    std::string written;
    {
        ProgressLine line(
            c.total, [&now] { return now; }, [&written](std::string_view text) { written += text; });
        for (double event : c.events) {
            if (event < 0) {
                line.Clear();
                continue;
            }
            now = event;
            line.Step();
        }
    }
    EXPECT_EQ(written, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgressLineRun,
    testing::Values(
        // A run that ends within the delay leaves no trace.
        ProgressCase{"ShortRunWritesNothing", 3, {0.5, 1.0, 1.9}, ""},
        ProgressCase{"AppearsAfterTheDelayAndIsErased",
                     10,
                     {1.0, 2.0},
                     kErase + "2 of 10 files, 1 files/s, 0:08 left" + kErase},
        // Redraws come at most every quarter second; the last state is not redrawn before the erase.
        ProgressCase{"RedrawsAreSpaced",
                     8,
                     {2.0, 2.1, 2.2, 2.3},
                     kErase + "1 of 8 files, 0 files/s, 0:14 left" + kErase +
                         "4 of 8 files, 2 files/s, 0:02 left" + kErase},
        // A message clears the line; the next file draws it again at once.
        ProgressCase{"ClearedForAMessage",
                     4,
                     {2.0, -1, 2.05},
                     kErase + "1 of 4 files, 0 files/s, 0:06 left" + kErase + kErase +
                         "2 of 4 files, 1 files/s, 0:02 left" + kErase},
        ProgressCase{"ClearBeforeShownWritesNothing", 4, {1.0, -1}, ""},
        ProgressCase{"LastFileShowsNoTimeLeft", 2, {1.0, 4.0}, kErase + "2 of 2 files, 0 files/s" + kErase}),
    [](const testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

struct TextCase {
    size_t done;
    size_t total;
    double seconds;
    const char* expected;
};

class ProgressLineText : public testing::TestWithParam<TextCase> {};

TEST_P(ProgressLineText, ShowsDoneRateAndTimeLeft) {
    const TextCase& c = GetParam();
    EXPECT_EQ(ProgressLine::Text(c.done, c.total, c.seconds), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgressLineText,
    testing::Values(TextCase{0, 10, 3.0, "0 of 10 files, 0 files/s"},
                    TextCase{500, 99200, 2.5, "500 of 99200 files, 200 files/s, 8:14 left"},
                    TextCase{1000, 9000000, 2.0, "1000 of 9000000 files, 500 files/s, 4:59:58 left"},
                    TextCase{10, 10, 2.0, "10 of 10 files, 5 files/s"}));
} // namespace
