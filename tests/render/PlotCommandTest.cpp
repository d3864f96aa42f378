#include <gtest/gtest.h>

#include <QImage>

#include "plot/PlotGeometry.h"
#include "support/TestSupport.h"

namespace {
// One horizontal co-polar cut at -20 dB everywhere, in the measurement folder layout.
std::string WriteFlatCut(const TempDir& dir) {
    std::string text = "NAME T p1_p45_h_co_2_0_1850\r\nFREQUENCY 1850\r\nGAIN 17 dBi\r\nHORIZONTAL 360\r\n";
    for (int i = 0; i < 360; ++i) text += std::to_string(i) + ".00 20.00\r\n";
    text += "VERTICAL 360\r\n";
    for (int i = 0; i < 360; ++i) text += std::to_string(i) + ".00 20.00\r\n";
    return dir.Write("Lab_P_M_20260101_B1_SN1/p1_p45_h_co_2_0_1850.msi", text);
}

TEST(PlotCommand, WritesTheImageOfTheSelectionInBothFormats) {
    TempDir dir;
    const std::string cut = WriteFlatCut(dir);
    const std::string config = (dir.Path() / "config").string();
    for (const char* name : {"out.png", "out.bmp"}) {
        const std::string out = (dir.Path() / name).string();
        std::string stdoutText, stderrText;
        const int status =
            RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + config +
                           "' plot --cartesian --size 500x300 --out '" + out + "' '" + cut + "'",
                       &stdoutText, &stderrText);
        ASSERT_EQ(status, 0) << stderrText;
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(out))) << name;
        EXPECT_EQ(image.size(), QSize(500, 300));
        DrawSettings settings;
        settings.coordinateSystem = kCartesianSystem;
        const PlotMapping m = CartesianMapping(500, 300, ApplyDrawSettings(settings));
        // The stored levels read as losses (-20 dB); line colour 1 at 45 degrees.
        const QColor pixel = image.pixelColor(int(m.ToDeviceX(450)), int(std::lround(m.ToDeviceY(-2000))));
        EXPECT_EQ(pixel, QColor(0, 0, 255)) << name;
    }
}

TEST(PlotCommand, RejectsBadSizesAndFormats) {
    TempDir dir;
    const std::string cut = WriteFlatCut(dir);
    for (const std::string args : {"--size 0x10 --out a.png", "--size 12 --out a.png", "--out a.gif",
                                   "--polar --cartesian --out a.png", "--markers top --out a.png"}) {
        std::string out, err;
        EXPECT_EQ(RunCommand(std::string(QUADREL_CLI_PATH) + " --config-dir '" + (dir.Path() / "c").string() +
                                 "' plot " + args + " '" + cut + "'",
                             &out, &err),
                  2)
            << args;
    }
}
} // namespace
