#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "document/CurveFormats.h"
#include "document/EncryptedFormat.h"
#include "document/ExactDataFormat.h"
#include "document/MsiFormat.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

namespace {
PatternFile& AddCut(CQuadrelDoc& doc, const std::string& key, const NameFields& names, float peak) {
    PatternFile& file = doc.table[key];
    file.key = key;
    file.fileName = key.substr(key.rfind('/') + 1);
    file.names = names;
    for (int i = -359; i <= 360; ++i) file.samples.push_back({i * 0.5f, peak - std::abs(i) * 0.05f});
    file.results.Hmax = {0.0f, peak};
    file.results.Vmax = {0.0f, peak};
    file.results.Gain = 18.0f;
    return file;
}

NameFields Fields(const char* port, const char* pol, const char* plane, const char* tilt, const char* freq) {
    NameFields f;
    f[2] = "qx65";
    f[6] = port;
    f[7] = pol;
    f[8] = plane;
    f[9] = "co";
    f[10] = tilt;
    f[12] = freq;
    return f;
}
} // namespace

TEST(MsiWriters, NamesLinesAndVariants) {
    TempDir dir;
    CQuadrelDoc doc;
    AddCut(doc, "/m/t/p1_p45_h_co_6_0_900.msi", Fields("p1", "P45", "h", "6", "900"), -2.0f);
    AddCut(doc, "/m/t/p1_p45_e_co_6_0_900.msi", Fields("p1", "P45", "e", "6", "900"), -1.0f);
    AddCut(doc, "/m/t/p2_m45_h_co_6_0_900.msi", Fields("p2", "N45", "h", "6", "900"),
           0.0f); // no vertical partner
    doc.patternInfo.gainUnit = "dBd";
    doc.patternInfo.tiltMethod = "Electrical";
    doc.patternInfo.ports = {{"p", "X"}, {"p1", "A"}};
    const std::string out = dir.Path().string();

    ASSERT_EQ(doc.WriteMsiFiles(out), 1);
    const std::string msi = ReadFileText(out + "/MSI/QX65_0900_X_CO_P45_06TA.msi");
    ASSERT_FALSE(msi.empty());
    EXPECT_EQ(msi.substr(0, msi.find("COMMENT")),
              "NAME QX65_0900_X_CO_P45_06TA\r\nFREQUENCY 0900\r\nGAIN 15.85  dBd\r\nTILT\tELECTRICAL\r\n");
    EXPECT_NE(msi.find("90 degrees polarized system Lever position 06t deg\r\nHORIZONTAL 360\r\n0.00 "
                       "0.00\r\n1.00 0.10\r\n"),
              std::string::npos);
    // Half-degree samples are skipped, -90 is written as 270, relative to the reference level.
    EXPECT_NE(msi.find("\r\n270.00 9.00\r\n"), std::string::npos);
    EXPECT_EQ(msi.find(".50 "), std::string::npos);
    const size_t vertical = msi.find("VERTICAL 360\r\n");
    ASSERT_NE(vertical, std::string::npos);
    EXPECT_EQ(msi.substr(vertical + 14, 11), "0.00 0.00\r\n");
    EXPECT_EQ(std::count(msi.begin(), msi.end(), '\n'), 6 + 360 + 1 + 360);

    ASSERT_EQ(doc.WriteTmvMsiFiles(out), 1);
    const std::string tmv = ReadFileText(out + "/TMVMSI/QX65_0900_X_CO_P45_06ETA.msi");
    EXPECT_EQ(tmv.substr(0, tmv.find("COMMENT")), "NAME QX65_0900_X_CO_P45_06ETA\r\nFREQUENCY 0900\r\nGAIN "
                                                  "18.00  dBd\r\nTILT ELECTRICAL\r\nPOLARIZATION POL_X\r\n");
    EXPECT_NE(tmv.find("+45 degrees polarized system Lever position 06ET deg"), std::string::npos);
}

TEST(EncryptedForm, RoundTripAndSeed) {
    EXPECT_EQ(EncryptionSeed("p1_p45_h_co_6_0_1800_x.cm"), 1800u);
    EXPECT_EQ(EncryptionSeed("p1_p45_h_co_6_0_1800.cm"), 180u); // four characters go: "0.cm"
    EXPECT_EQ(EncryptionSeed("short.cm"), 0u);

    EncryptedContent content;
    content.frequency = 1800.0f;
    content.gainDbi = 17.3f;
    content.count = 3;
    content.samples = {{-179.5f, -35.25f}, {0.0f, 0.0f}, {180.0f, -20.5f}};
    const std::string name = "p1_p45_h_co_6_0_1800_x.cm";
    const std::string bytes = EncodeEncrypted(content, name);
    ASSERT_EQ(bytes.size(), 16u + 8u * 3u);
    EncryptedContent back = DecodeEncrypted(bytes, name);
    EXPECT_FLOAT_EQ(back.frequency, 1800.0f);
    EXPECT_FLOAT_EQ(back.gainDbi, 17.3f);
    EXPECT_EQ(back.count, 3);
    ASSERT_EQ(back.samples.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(back.samples[i].fAngle, content.samples[i].fAngle, 2e-3);
        EXPECT_NEAR(back.samples[i].fMag, content.samples[i].fMag, 2e-3);
    }
    // A different seed scrambles differently; odd trailing bytes and a cut header are survived.
    EXPECT_GT(std::abs(DecodeEncrypted(bytes, "p1_p45_h_co_6_0_900_x.cm").samples[0].fAngle - -179.5f), 1.0f);
    EXPECT_EQ(DecodeEncrypted(bytes + "abc", name).samples.size(), 3u);
    EXPECT_TRUE(DecodeEncrypted(bytes.substr(0, 10), name).samples.empty());

    TempDir dir;
    CQuadrelDoc doc;
    const std::string path = dir.Write("Lab_P_M_D_B_S/" + name, bytes);
    ASSERT_EQ(doc.LoadPatternFile(path), 0);
    EXPECT_FLOAT_EQ(doc.Find(path)->results.Gain, 17.3f);
    EXPECT_EQ(doc.Find(path)->names[6], ""); // name fields only for ".msi" names
}

TEST(BadInput, EveryReaderSurvivesAnyBytes) {
    std::mt19937 random(12345);
    std::vector<std::string> inputs = {"",
                                       "\n",
                                       "\r",
                                       "\r\n\r\n",
                                       std::string(1, '\0'),
                                       "1e999 1e999\n-1e999 -\n",
                                       "NORVAN Exact Data\n\n\n",
                                       "Frequency(MHz)\n",
                                       std::string(7, '\xff')};
    for (int i = 0; i < 300; ++i) {
        std::string bytes(random() % 2000, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 4 == 0 ? "\n\r \t,.-e0123456789"[random() % 18] : random());
        inputs.push_back(bytes);
    }
    for (const std::string& bytes : inputs) {
        MsiContent msi;
        ParseMsiText(bytes, msi);
        ExactDataContent exact;
        ParseExactDataText(bytes, exact);
        ParseGainCurve(bytes);
        ParseEnvelopeCurve(bytes);
        DecodeEncrypted(bytes, "a_b_c_d_e_f_1800_x.cm");
    }
    // A 50 MB file of data lines, and one long line without a line feed.
    std::string big;
    big.reserve(50u << 20);
    big += "NAME\nFREQUENCY 1\n360\n\n\n\n";
    while (big.size() < (50u << 20)) big += "123.5 4.25\n";
    MsiContent msi;
    ASSERT_TRUE(ParseMsiText(big, msi));
    EXPECT_GT(msi.samples.size(), 4'000'000u);
    EXPECT_FALSE(ParseMsiText(std::string(1u << 20, '7'), msi));
    MsiContent inf;
    ASSERT_TRUE(ParseMsiText("N\nF 1e999\n360\n\n\n\n1e999 1e999\n", inf));
    EXPECT_EQ(inf.frequency, NOT_SET); // an infinity is no value
    EXPECT_EQ(inf.samples.at(0).fAngle, NOT_SET);
}
