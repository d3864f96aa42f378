#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/NumericOrder.h"
#include "app/TextUtil.h"

TEST(NumericOrder, NumbersInsideTextsCompareByValue) {
    const struct {
        std::vector<std::string> given;
        std::vector<std::string> sorted;
    } cases[] = {
        {{"1710", "790", "960"}, {"790", "960", "1710"}},                         // frequencies
        {{"0", "10", "5"}, {"0", "5", "10"}},                                     // tilts
        {{"p1_10", "p1_2", "p10_0", "p2_0"}, {"p1_2", "p1_10", "p2_0", "p10_0"}}, // report sections
        {{"p1 10 0", "p1 5 0", "p1 0 0"}, {"p1 0 0", "p1 5 0", "p1 10 0"}},       // workbook groups
        {{"1850.5", "1850", "1850.25"}, {"1850", "1850.25", "1850.5"}},
        {{"2", "-2", "0"}, {"-2", "0", "2"}},
        {{"p1_-2", "p1_0"}, {"p1_-2", "p1_0"}},
        {{"a-2", "a-10"}, {"a-2", "a-10"}}, // a "-" after a letter joins, it is no sign
        {{"2.0", "2"}, {"2", "2.0"}},       // same value: plain text order decides
        {{"p1", "p"}, {"p", "p1"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts = c.given;
        std::sort(texts.begin(), texts.end(), NumericTextOrder{});
        EXPECT_EQ(texts, c.sorted) << c.given.front();
        for (const std::string& t : texts) EXPECT_FALSE(NumericTextLess(t, t)) << t;
    }
}

TEST(NumericOrder, ShortestDecimalIsTheMeasuredNumber) {
    const struct {
        float stored;
        double expected;
    } cases[] = {
        {-16.88f, -16.88}, {0.1f, 0.1}, {-0.0f, 0.0}, {-179.5f, -179.5}, {3.4028235e38f, 3.4028235e38},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortestDecimal(c.stored), c.expected) << c.stored;
        EXPECT_EQ(static_cast<float>(ShortestDecimal(c.stored)), c.stored)
            << "reads back as the stored value";
    }
    EXPECT_FALSE(std::signbit(ShortestDecimal(-0.0f)));
}
