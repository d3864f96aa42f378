#include <gtest/gtest.h>

#include <cstring>

#include "app/TextUtil.h"
#include "document/CurveFormats.h"
#include "document/ExactDataFormat.h"
#include "document/QuadrelDoc.h"
#include "support/TestSupport.h"

namespace {
const std::string kFolder = "Lab_P_Model_20260101_B1_SN9/";

std::string Msi(const std::string& third, float attenuation = 1.0f) {
    std::string text = "NAME X\r\nFREQUENCY 1800\r\n" + third + "\r\n\r\n\r\n\r\n";
    for (int a = 0; a < 360; ++a) text += std::to_string(a) + " " + FormatFixed(attenuation, 2) + "\r\n";
    return text;
}

} // namespace

TEST(OpenSequence, StopsAtTheFirstRefusalAndReadsTheGainFolderOnlyForTheLastFile) {
    TempDir dir;
    dir.Write("Gain Level/gain level_p1_p45_e_co_6_0.txt",
              "Frequency(MHz) Gain(dBi)\r\n1800 -10.2\r\n1810 -10.1\r\n");
    const std::string withGain = dir.Write(kFolder + "p1_p45_h_co_6_0_1800.msi", Msi("GAIN 17 dBi"));
    const std::string noGain = dir.Write(kFolder + "p2_m45_h_co_6_0_1800.msi", Msi("360"));
    const std::string bad = dir.Write(kFolder + "notes.doc", "x");

    struct Case {
        std::vector<std::string> paths;
        int status;
        size_t files;
        size_t gainCurves;
        int refreshes;
    } cases[] = {
        {{noGain, withGain}, 0, 2, 0, 1}, // the last file had a gain line
        {{withGain, noGain}, 0, 2, 1, 1},
        {{withGain, bad, noGain}, kLoadRefused, 1, 0, 0},
        {{}, 0, 0, 0, 1}, // a cancelled dialog still refreshes
        {{noGain, noGain, noGain}, 0, 1, 1, 1},
    };
    for (const auto& c : cases) {
        RecordingListener listener;
        RecordingNotifier notifier;
        CQuadrelDoc doc(&notifier, &listener);
        EXPECT_EQ(doc.OpenFiles(c.paths), c.status);
        EXPECT_EQ(doc.table.size(), c.files);
        EXPECT_EQ(doc.gainCurves.size(), c.gainCurves);
        EXPECT_EQ(listener.fileList, c.refreshes);
    }
}

TEST(OpenSequence, RefreshClearsAllDoneFlagsButTheThirdAndReloadReplacesTheEntry) {
    TempDir dir;
    CQuadrelDoc doc;
    const std::string path = dir.Write(kFolder + "p1_p45_h_co_6_0_1800.msi", Msi("GAIN 17 dBi", 1.0f));
    ASSERT_EQ(doc.OpenFiles({path}), 0);
    PatternFile& file = *doc.Find(path);
    file.results.flags.fill(true);
    doc.Refresh();
    EXPECT_EQ(file.results.flags, (std::array<bool, 6>{false, false, false, true, false, false}));

    dir.Write(kFolder + "p1_p45_h_co_6_0_1800.msi", Msi("GAIN 18 dBi", 2.0f));
    ASSERT_EQ(doc.LoadPatternFile(path), 0);
    ASSERT_EQ(doc.table.size(), 1u);
    EXPECT_FLOAT_EQ(doc.Find(path)->results.Gain, 18.0f);
    EXPECT_FLOAT_EQ(doc.Find(path)->samples[0].fMag, -2.0f);

    doc.selectionList = {ToLowerForTest(path)};
    EXPECT_EQ(doc.RemovePatternFile(path), 0);
    EXPECT_TRUE(doc.table.empty());
    EXPECT_TRUE(doc.selectionList.empty());
}

TEST(ExactData, ReaderRules) {
    struct Case {
        std::string text;
        float directivity;
        float gain;
        int count;
        size_t samples;
        int noGainFlag;
    } cases[] = {
        {"NORVAN ZR460 Exact Data\r\nDirectivity(dBi) 18.5\r\nGain(dBi) 17.25\r\n720\r\n270 -3.5\r\n-10 "
         "-1\r\n",
         18.5f, 17.25f, 0, 2, 0},
        {"NORVAN ZR460 Exact Data\r\nDirectivity(dBi) 18.5\r\n361\r\n270 -3.5\r\n\r\n5 5\r\n", 18.5f, NOT_SET,
         361, 1, 1},
        {"Exact Data\n", 0.0f, NOT_SET, 0, 0, 1},
    };
    for (const auto& c : cases) {
        TempDir dir;
        RecordingNotifier notifier;
        CQuadrelDoc doc(&notifier);
        // Recognised by its content, whatever the extension; ".cm" names get no name fields.
        const std::string path = dir.Write("any/pattern.cm", c.text);
        ASSERT_EQ(doc.LoadPatternFile(path), 0);
        const PatternFile& file = *doc.Find(path);
        EXPECT_FLOAT_EQ(file.headerValue, c.directivity);
        EXPECT_FLOAT_EQ(file.results.Gain, c.gain);
        EXPECT_EQ(file.count, c.count);
        EXPECT_EQ(file.samples.size(), c.samples);
        EXPECT_EQ(doc.noGainFlag, c.noGainFlag);
        if (c.samples) {
            EXPECT_FLOAT_EQ(file.samples[0].fAngle, 270.0f); // stored as written
        }
        EXPECT_TRUE(notifier.messages.empty());
    }
    CQuadrelDoc doc;
    TempDir dir;
    EXPECT_EQ(doc.LoadPatternFile(dir.Write("x/a.msi", "NORVAN ZR460 Exact Data")), kLoadRefused);
    EXPECT_TRUE(doc.table.empty());
}

TEST(Curves, GainAndEnvelopeFiles) {
    // Text gain curve ending at a blank line, binary gain curve, envelope header rule.
    EXPECT_EQ(ParseGainCurve("Frequency(MHz)\tGain\r\n1700 15.5\r\n1800\t16\r\n\r\n1900 17\r\n").size(), 2u);
    float raw[] = {1800.0f, 15.5f, 1900.0f, 16.0f, 2000.0f};
    auto binary = ParseGainCurve(std::string_view(reinterpret_cast<const char*>(raw), sizeof(raw)));
    ASSERT_EQ(binary.size(), 2u);
    EXPECT_FLOAT_EQ(binary[1].fMag, 16.0f);

    auto shortFirst = ParseEnvelopeCurve("0 -10\r\n10 -12\r\n");
    ASSERT_EQ(shortFirst.size(), 2u);
    EXPECT_FLOAT_EQ(shortFirst[0].fMag, -10.0f);
    auto header = ParseEnvelopeCurve("Envelope for FSU, angle / level\r\n0 -10\r\n");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(ParseEnvelopeCurve("0123456789012345678901234\n1 2\n").size(), 1u); // 25 characters: header
    EXPECT_EQ(ParseEnvelopeCurve("012345678901234567890123\n1 2\n").size(), 2u);  // 24: data (no separator)

    TempDir dir;
    RecordingNotifier notifier;
    CQuadrelDoc doc(&notifier);
    dir.Write("env/a.txt", "0 -10\r\n");
    dir.Write("env/sub/deeper/b.txt.bak", "0 -10\r\n");
    dir.Write("env/c.csv", "0 -10\r\n");
    doc.ReadEnvelopeFolder((dir.Path() / "env").string() + "/");
    EXPECT_EQ(doc.envelopes.size(), 2u);
    for (const auto& [key, curve] : doc.envelopes) EXPECT_EQ(key, ToLowerForTest(key));

    EXPECT_EQ(doc.DeriveGainFolder("/data/Campaign/Lab_a_b_c_d_e/p1.msi"), "/data/Campaign/Gain Level/");
    EXPECT_EQ(doc.baseFolder, "/data/Campaign/");
    EXPECT_EQ(doc.DeriveGainFolder("D:\\a\\b\\test\\P1_x.msi"), "D:\\a\\b\\Gain Level/");
    doc.ReadGainFile("");
    EXPECT_EQ(notifier.messages.back().second, "sz_GainFilePath is null!");
}

TEST(Writers, ExactDataKeepsWhatItKnowsAndRoundTrips) {
    TempDir dir;
    RecordingNotifier notifier;
    CQuadrelDoc doc(&notifier);
    const std::string msi = dir.Write(kFolder + "p1_p45_h_co_6_0_1800.msi", Msi("GAIN 17 dBi", 1.5f));
    ASSERT_EQ(doc.LoadPatternFile(msi), 0);
    const std::string key = ToLowerForTest(msi);
    const std::string out = (dir.Path() / "saved.msi").string();
    ASSERT_TRUE(doc.WriteExactData(out, key));
    const std::string text = ReadFileText(out);
    // The frequency of an MSI file is never written as a directivity.
    const std::string expected =
        "NORVAN ZR460 Exact Data\r\nDirectivity(dBi) -999.00\r\nGain(dBi) 17.00\r\n720\r\n0.00 -1.50\r\n";
    EXPECT_EQ(text.substr(0, expected.size()), expected);

    CQuadrelDoc reread;
    ASSERT_EQ(reread.LoadPatternFile(out), kLoadRefused); // "saved.msi" sits in no test folder
    const PatternFile& back = *reread.Find(out);
    EXPECT_FLOAT_EQ(back.results.Gain, 17.0f);
    EXPECT_EQ(back.samples.size(), 360u);
    EXPECT_FLOAT_EQ(back.samples[359].fAngle, -1.0f);

    ASSERT_TRUE(doc.WriteExactDataCounted(out, key));
    EXPECT_NE(ReadFileText(out).find("\r\n0\r\n"), std::string::npos); // the record's count
    EXPECT_FALSE(doc.WriteExactData((dir.Path() / "missing" / "x.msi").string(), key));
    EXPECT_EQ(notifier.messages.back().second, "Failed to save the file");
}
