// Files that are not what their names say: every one is refused or read soundly, and named.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <sys/stat.h>

#include "document/CurveFormats.h"
#include "document/EncryptedFormat.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {
const std::string kFolder = "Lab_Proj_QX65_20261208_B01_SN1/";
const std::string kHeader =
    "NAME T\r\nFREQUENCY 1800\r\nGAIN 15 dBi\r\nTILT\r\nCOMMENT\r\nHORIZONTAL 360\r\n";
} // namespace

TEST(HostileFiles, RefusalsAreNamedWithTheirReason) {
    TempDir dir;
    fs::create_directories(dir.Path() / kFolder / "folder.msi");
    const std::string fifo = (dir.Path() / kFolder / "pipe.msi").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string name;
        std::string bytes; // written unless the name is one of the special files above
        std::string reasonPart;
        bool unreadable;
    } cases[] = {
        {"folder.msi", "", "not a regular file", true},
        {"pipe.msi", "", "not a regular file", true}, // must not wait for a writer
        {"missing.msi", "", "no such file", true},
        {"empty.msi", "", "empty", false},
        {"cr-only.msi", "NAME T\rFREQUENCY 1800\r0 0\r", "no line feed", false},
        {"exact.msi", "NORVAN ZR460 Exact Data\r", "no line feed", false},
        {"p.txt", "x\n", "not an .msi or .cm", false},
    };
    for (const Case& c : cases) {
        const std::string path = (dir.Path() / kFolder / c.name).string();
        if (c.name == "empty.msi" || !c.bytes.empty()) dir.Write(kFolder + c.name, c.bytes);
        CQuadrelDoc doc;
        EXPECT_EQ(doc.LoadPatternFile(path), kLoadRefused) << c.name;
        EXPECT_EQ(doc.LastLoadFailure().path, path);
        EXPECT_NE(doc.LastLoadFailure().reason.find(c.reasonPart), std::string::npos)
            << c.name << ": " << doc.LastLoadFailure().reason;
        EXPECT_EQ(doc.LastLoadFailure().kind == FailureKind::Unreadable, c.unreadable) << c.name;
    }
}

TEST(HostileFiles, NonFiniteNumbersAreNoValue) {
    TempDir dir;
    const std::string path = dir.Write(kFolder + "p1_p45_h_co_6_0_1800.msi",
                                       "NAME T\r\nFREQUENCY 1e999\r\nGAIN 1e999 dBi\r\nTILT\r\nCOMMENT\r\n"
                                       "HORIZONTAL 360\r\n1e999 3\r\n10 -1e400\r\n20 4e38\r\n");
    CQuadrelDoc doc;
    ASSERT_EQ(doc.LoadPatternFile(path), 0);
    const PatternFile& file = *doc.Find(path);
    EXPECT_EQ(file.results.Gain, NOT_SET);
    EXPECT_EQ(file.headerValue, NOT_SET);
    ASSERT_EQ(file.samples.size(), 3u);
    EXPECT_EQ(file.samples[0].fAngle, NOT_SET);
    EXPECT_EQ(file.samples[1].fMag, NOT_SET);
    EXPECT_EQ(file.samples[2].fMag, NOT_SET); // beyond float range

    // The binary forms carry raw floats: an infinity or NaN there is no value either.
    std::string binary(16, '\0');
    const float values[] = {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()};
    std::memcpy(binary.data(), values, 8);
    const std::vector<PatternPoint> points = ParseGainCurve(binary);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].fAngle, NOT_SET);
    EXPECT_EQ(points[0].fMag, NOT_SET);
}

TEST(HostileFiles, CurveFoldersSkipWhatIsNoFile) {
    TempDir dir;
    dir.Write(kFolder + "p1_p45_h_co_6_0_1800.msi", kHeader + "0 0\r\n");
    fs::create_directories(dir.Path() / "Gain Level" / "sub.txt");
    ASSERT_EQ(::mkfifo((dir.Path() / "Gain Level" / "level.txt").c_str(), 0600), 0);
    dir.Write("Gain Level/good.txt", "Frequency(MHz) Gain\r\n1800 17\r\n");
    fs::create_directories(dir.Path() / "env" / "deeper.txt");
    ASSERT_EQ(::mkfifo((dir.Path() / "env" / "pipe.txt").c_str(), 0600), 0);

    CQuadrelDoc doc;
    doc.ReadGainFolder((dir.Path() / "Gain Level/").string());
    doc.ReadEnvelopeFolder((dir.Path() / "env").string());
    for (const auto& [key, curve] : doc.gainCurves)
        EXPECT_EQ(curve.points.size(), curve.fileName == "good.txt" ? 1u : 0u) << curve.fileName;
    for (const auto& [key, curve] : doc.envelopes) EXPECT_TRUE(curve.points.empty()) << curve.fileName;
}
