#include <gtest/gtest.h>

#include "app/TextUtil.h"
#include "document/PlanningFormat.h"

namespace {
// A block of whole-degree rows from `from` to `to` (inclusive) with the value `value(angle)`.
std::string Rows(int from, int to, const char* sep, double (*value)(int), const char* eol) {
    std::string rows;
    for (int a = from; a <= to; ++a) rows += std::to_string(a) + sep + FormatFixed(value(a), 2) + eol;
    return rows;
}
double Attenuation(int a) {
    return std::abs(a > 180 ? a - 360 : a) / 10.0;
}
double Level(int a) {
    return -Attenuation(a);
}

std::string Planet(const std::string& header, const char* eol = "\n") {
    return header + "HORIZONTAL 360" + eol + Rows(0, 359, " ", Attenuation, eol) + "VERTICAL 360" + eol +
           Rows(0, 359, " ", Attenuation, eol);
}
} // namespace

TEST(PlanningFormat, ReadsTheDialectsOfPlanningTools) {
    struct Case {
        const char* what;
        std::string text;
        float gainDbi;
        size_t warnings;
    } cases[] = {
        {"Planet, LF", Planet("NAME A\nFREQUENCY 1800\nGAIN 15.00 dBd\nTILT ELECTRICAL\nCOMMENT x\n"), 17.15f,
         0},
        {"CR LF, keys in any order and case", Planet("frequency 1800\r\nGain 15 dBi\r\nname A\r\n", "\r\n"),
         15.0f, 0},
        {"CR only, tabs and leading blanks",
         "  NAME\tA\rFREQUENCY\t 1800 \rGAIN\t  15.00\r  HORIZONTAL\t360\r" +
             Rows(0, 359, "\t", Attenuation, "\r") + "VERTICAL 360\r" +
             Rows(0, 359, "   ", Attenuation, "\r"),
         17.15f, 0},
        {"-180...180 with both ends, levels instead of attenuation",
         "FREQUENCY 1800\nGAIN 3dBi\nHORIZONTAL 361\n" + Rows(-180, 180, " ", Level, "\n") +
             "VERTICAL 361\n" + Rows(-180, 180, ",", Level, "\n"),
         3.0f, 0},
        {"count line that disagrees, blank lines, unknown keys kept",
         "FREQUENCY 1800\nPORT_INFO a\n\nHORIZONTAL 300\n" + Rows(0, 359, " ", Attenuation, "\n") +
             "\nVERTICAL\n" + Rows(0, 359, " ", Attenuation, "\n"),
         NOT_SET, 1},
    };
    for (const auto& c : cases) {
        PlanningPattern pattern;
        PlanningError error;
        ASSERT_TRUE(ParsePlanningText(c.text, pattern, error))
            << c.what << ": " << error.line << " " << error.reason;
        EXPECT_DOUBLE_EQ(pattern.frequencyMhz, 1800.0) << c.what;
        EXPECT_EQ(pattern.hasGain, c.gainDbi != NOT_SET) << c.what;
        if (pattern.hasGain) EXPECT_FLOAT_EQ(static_cast<float>(pattern.gainDbi), c.gainDbi) << c.what;
        EXPECT_EQ(pattern.warnings.size(), c.warnings) << c.what;
        for (const PlanningCut* cut : {&pattern.horizontal, &pattern.vertical}) {
            ASSERT_EQ(cut->points.size(), 360u) << c.what;
            // Ordered 0...359, attenuation positive downwards whatever the file held.
            EXPECT_FLOAT_EQ(cut->points[0].fAngle, 0.0f) << c.what;
            EXPECT_FLOAT_EQ(cut->points[90].fMag, 9.0f) << c.what;
            EXPECT_FLOAT_EQ(cut->points[180].fMag, 18.0f) << c.what;
            EXPECT_FLOAT_EQ(cut->points[270].fAngle, 270.0f) << c.what;
            EXPECT_FLOAT_EQ(cut->points[270].fMag, 9.0f) << c.what;
        }
    }
}

TEST(PlanningFormat, KeepsHeaderFacts) {
    PlanningPattern p;
    PlanningError error;
    ASSERT_TRUE(ParsePlanningText(
        Planet("FILENAME ABC_1800_X_CO_06T_P45\nMAKE\t NORVAN TELMARK\nFREQUENCY\t900 \n"
               "H_WIDTH 65.00 \nFRONT_TO_BACK\t-30.1\nELECTRICAL_TILT 6\nMECHANICAL_TILT 2\n"
               "POLARIZATION +45\nCOMMENT a b\nX_KEY 1\n"),
        p, error));
    EXPECT_EQ(p.name, "ABC_1800_X_CO_06T_P45");
    EXPECT_EQ(p.make, "NORVAN TELMARK");
    EXPECT_DOUBLE_EQ(p.frequencyMhz, 900.0);
    EXPECT_EQ(p.hWidth, "65.00");
    EXPECT_EQ(p.frontToBack, "-30.1");
    EXPECT_TRUE(p.hasElectricalTilt);
    EXPECT_DOUBLE_EQ(p.electricalTilt, 6.0);
    EXPECT_DOUBLE_EQ(p.mechanicalTilt, 2.0);
    EXPECT_EQ(p.polarization, "+45");
    EXPECT_EQ(p.comment, "a b");
    ASSERT_EQ(p.otherKeys.size(), 1u);
    EXPECT_EQ(p.otherKeys[0], (std::pair<std::string, std::string>{"X_KEY", "1"}));
}

TEST(PlanningFormat, RefusesWithTheLineAtFault) {
    const std::string head = "NAME A\nFREQUENCY 1800\n";
    const std::string horizontal = "HORIZONTAL 360\n" + Rows(0, 359, " ", Attenuation, "\n");
    const std::string vertical = "VERTICAL 360\n" + Rows(0, 359, " ", Attenuation, "\n");
    struct Case {
        const char* what;
        std::string text;
        int line;
        const char* says;
    } cases[] = {
        {"no vertical block", head + horizontal, 364, "no VERTICAL block"},
        {"no frequency", "NAME A\n" + horizontal + vertical, 724, "no FREQUENCY"},
        {"frequency text", "FREQUENCY abc\n" + horizontal + vertical, 1, "FREQUENCY needs"},
        {"gain text with a number in it", head + "GAIN hi5 dB\n" + horizontal + vertical, 3, "GAIN needs"},
        {"gain in dB of unknown kind", head + "GAIN 15 dBm\n" + horizontal + vertical, 3, "GAIN needs"},
        {"row with text", head + "HORIZONTAL 360\n0 0\n1 abc\n" + vertical, 5,
         "expected an angle and a value"},
        {"row with one number", head + "HORIZONTAL 360\n0 0\n1\n" + vertical, 5, "expected an angle"},
        {"angle beyond 360", head + "HORIZONTAL 2\n0 0\n360.5 1\n" + vertical, 5, "outside"},
        {"frequency above 300 GHz", "NAME A\nFREQUENCY 1000000\n" + horizontal + vertical, 2, "300 GHz"},
        {"frequency that is no frequency", "NAME A\nFREQUENCY 1e-300\n" + horizontal + vertical, 2,
         "outside 1 kHz...300 GHz"},
        {"electrical tilt beyond a right angle", head + "ELECTRICAL_TILT 1e+30\n" + horizontal + vertical, 3,
         "outside -90...90"},
        {"tilt line beyond a right angle", head + "TILT -91\n" + horizontal + vertical, 3,
         "outside -90...90"},
        {"UTF-16 without a byte-order mark", std::string("F\0R\0E\0Q\0\n\0", 10), 0,
         "UTF-16 without a byte-order mark"},
        {"infinite value", head + "HORIZONTAL 2\n0 0\n1 1e999\n" + vertical, 5, "expected an angle"},
        {"angle twice", head + "HORIZONTAL 3\n0 0\n1 1\n1 2\n" + vertical, 3, "twice"},
        {"rows before a block", head + "0 0\n" + horizontal + vertical, 3, "outside a HORIZONTAL"},
        {"second horizontal block", head + horizontal + horizontal + vertical, 364, "second HORIZONTAL"},
        {"count text", head + "HORIZONTAL many\n" + vertical, 3, "row count"},
        {"empty block", head + "HORIZONTAL 360\n" + vertical, 3, "without rows"},
        {"binary", head + std::string("\0\1\2", 3) + horizontal + vertical, 0, "binary"},
        {"punctuation line", head + "#\n" + horizontal + vertical, 3, "neither a header key"},
        {"empty text", "", 1, "no FREQUENCY"},
        {"a measured cut (count line)", "NAME A\nFREQUENCY 1800\n360\nTILT\nCOMMENT\nHORIZONTAL 360\n0 0\n",
         3, "outside a HORIZONTAL"},
    };
    for (const auto& c : cases) {
        PlanningPattern pattern;
        PlanningError error;
        EXPECT_FALSE(ParsePlanningText(c.text, pattern, error)) << c.what;
        EXPECT_EQ(error.line, c.line) << c.what << ": " << error.reason;
        EXPECT_NE(error.reason.find(c.says), std::string::npos) << c.what << ": " << error.reason;
    }
}

TEST(PlanningFormat, RecognisesPlanningTextsAndNames) {
    EXPECT_TRUE(LooksLikePlanningText(Planet("FREQUENCY 1\n")));
    EXPECT_TRUE(LooksLikePlanningText("a\rhorizontal\t360\r1 2\rVertical 360\r"));
    EXPECT_FALSE(LooksLikePlanningText("NAME A\nFREQUENCY 1\n360\nTILT\nCOMMENT\nHORIZONTAL 360\n0 0\n"));
    EXPECT_FALSE(LooksLikePlanningText(std::string("\0\0VERTICAL", 10)));
    EXPECT_TRUE(HasPlanningExtension("a.PLN"));
    EXPECT_TRUE(HasPlanningExtension("b.txt"));
    EXPECT_FALSE(HasPlanningExtension("c.msi"));
}
