#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "app/TextUtil.h"

TEST(TextUtil, LeadingNumberReadsTheLongestNumericPrefix) {
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"12.5", 12.5}, {"  -3.25dB", -3.25}, {"+7", 7.0},  {"-", 0.0},        {"", 0.0},
        {"abc", 0.0},   {"1e3", 1000.0},      {"1e", 1.0},  {"2.5e-1x", 0.25}, {".5", 0.5},
        {"5.", 5.0},    {"0x1A", 0.0},        {"inf", 0.0}, {"12,5", 12.0},    {"\t45 12", 45.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseLeadingDouble(c.text), c.expected) << c.text;
    EXPECT_TRUE(std::isinf(ParseLeadingDouble("1e999")));
    EXPECT_LT(ParseLeadingDouble("-1e999"), 0.0);
    EXPECT_EQ(ParseLeadingDouble("1e-999"), 0.0);
}

TEST(TextUtil, LeadingIntegerSaturates) {
    EXPECT_EQ(ParseLeadingInt("720\r"), 720);
    EXPECT_EQ(ParseLeadingInt(" -12abc"), -12);
    EXPECT_EQ(ParseLeadingInt("3.9"), 3);
    EXPECT_EQ(ParseLeadingInt("x"), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999999"), -2147483648);
}

TEST(TextUtil, FixedFormatUsesPointAndRoundsLikePrintf) {
    EXPECT_EQ(FormatFixed(15.85, 2), "15.85");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12"); // round half to even on the exact binary value, as printf
    EXPECT_EQ(FormatFixed(-0.5, 2), "-0.50");
    EXPECT_EQ(FormatFixed(180.0, 2), "180.00");
    EXPECT_EQ(FormatShortestFloat(0.1f), "0.1");
    EXPECT_EQ(FormatShortestFloat(-999.0f), "-999");
}

// On screen a value that rounds to zero has no sign; everything else reads as FormatFixed.
TEST(TextUtil, ShownNumbersHaveNoNegativeZero) {
    const std::tuple<double, int, const char*> cases[] = {
        {-0.0, 2, "0.00"}, {-0.004, 2, "0.00"},  {-0.004, 1, "0.0"}, {-0.006, 2, "-0.01"},
        {-0.0, 0, "0"},    {-10.0, 2, "-10.00"}, {-0.05, 1, "-0.1"}, {3.0, 2, "3.00"}};
    for (const auto& [value, decimals, text] : cases) EXPECT_EQ(FormatShown(value, decimals), text) << value;
}

// The integer path of the fixed writer must agree with printf digit for digit: ties of the exact
// binary value, values a hair beside a tie, signs of zero, every decimal count it serves, and
// magnitudes beyond it.
TEST(TextUtil, FixedFormatMatchesPrintfEverywhere) {
    auto printfText = [](double value, int decimals) {
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return std::string(buffer);
    };
    std::vector<double> values = {0.0,     -0.0,    0.005,  0.015,    1.005,   2.675,       -0.001, -0.005,
                                  0.125,   0.375,   -2.5,   0.5,      1.5,     9.995,       99.995, 1e-7,
                                  123.456, -999.0,  1e14,   999999.5, 4.35e15, 1e300,       -1e22,  0.045,
                                  1.0 / 3, 2.0 / 3, 0.0049, 1e15 - 1, 5e-324,  0.9999999999};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-8.0, 16.0);
    for (int i = 0; i < 20000; ++i) {
        const double magnitude = std::pow(10.0, exponent(random));
        values.push_back((random() & 1) ? -magnitude : magnitude);
        // Decimal ties written with few digits are where a careless scaling goes wrong.
        values.push_back(static_cast<double>(random() % 2000000) / 1000.0 + 0.0005);
    }
    for (double value : values)
        for (int decimals = 0; decimals <= 10; ++decimals)
            ASSERT_EQ(FormatFixed(value, decimals), printfText(value, decimals)) << value << " " << decimals;
    EXPECT_EQ(FormatFixed(std::nan(""), 2), "-999.00");
}

TEST(TextUtil, SplittingKeepsEmptyTokensAndLimits) {
    EXPECT_EQ(SplitAll("a__b_", '_'), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitLimited("a_b_c_d", '_', 2), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(LastPathComponent("C:\\x\\y/z.msi"), "z.msi");
    EXPECT_EQ(ParentFolderName("/a/b_c/z.msi"), "b_c");
}

// The quick path for short decimals must give exactly what the general reader gives: the same
// double, bit for bit, including the sign of zero and the cases next to its limits.
TEST(TextUtil, LeadingDoubleIsBitIdenticalToTheGeneralReader) {
    auto general = [](std::string_view text) {
        double value = 0;
        std::from_chars(text.data() + (text[0] == '+'), text.data() + text.size(), value);
        return value;
    };
    std::vector<std::string> cases = {"-0.00",
                                      "0.1",
                                      "+2.675",
                                      "179.5",
                                      "9007199254740991",
                                      "9007199254740993",
                                      "90071992547409.93",
                                      "0.0000000000000000000001",
                                      "0.00000000000000000000001",
                                      "123456789012345678901234",
                                      "1.7976931348623157",
                                      "4.35"};
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 19);
        std::string text = random() % 2 ? "-" : "";
        for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
        text.insert(text.size() - random() % static_cast<unsigned>(digits), ".");
        cases.push_back(text);
    }
    for (const std::string& text : cases) {
        const double expected = general(text);
        const double got = ParseLeadingDouble(text);
        EXPECT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << text;
    }
}

// A level stored without its text must be the double the text reads back as, bit for bit: halfway
// cases (1/128 = 0.0078125 rounds to even), the sign of a zero, what FormatFixed writes for a
// non-finite level, the extremes of float, and many random floats.
TEST(TextUtil, FixedValueIsWhatTheFixedTextReadsAs) {
    auto readBack = [](float value, int decimals) {
        const std::string text = FormatFixed(value, decimals);
        double parsed = 0;
        const bool negative = text[0] == '-';
        std::from_chars(text.data() + negative, text.data() + text.size(), parsed);
        return negative ? -parsed : parsed;
    };
    std::vector<float> cases = {0.0f,          -0.0f,          0.0078125f, -0.0078125f, 0.0234375f,
                                -16.9f,        -0.0000004f,    0.0000005f, -179.5f,     1e-45f,
                                3.4028235e38f, -3.4028235e38f, 2147.4836f, 1e10f,       NAN,
                                INFINITY,      -INFINITY};
    std::mt19937 random(11);
    for (int i = 0; i < 100000; ++i) {
        const uint32_t bits = random();
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        cases.push_back(value);
        cases.push_back(static_cast<float>(static_cast<int>(random() % 2000001) - 1000000) / 4096.0f);
    }
    for (const int decimals : {0, 2, 6, 12})
        for (const float value : cases) {
            const double expected = readBack(value, decimals);
            const double got = FixedValue(value, decimals);
            EXPECT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << value << " " << decimals;
        }
}
