#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "NamedPatterns.h"
#include "analysis/AnalysisDriver.h"
#include "analysis/PrimitivesTestCuts.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "document/ResultDraft.h"

namespace {

// One antenna: co/cross partners in both planes, the +-45 polarisation pair, a series of two
// frequencies whose gains come from the curves (the spread reads the other member), a vertical
// cut that faces backwards on a 0.1 degree grid and a cut listed in file order.
CQuadrelDoc Campaign() {
    CQuadrelDoc doc;
    doc.Hpara.RefLevel_mode = 0;
    doc.Hpara.RefAngle_mode = 0;
    doc.noGainFlag = 1;
    doc.Vpara.GainCalc_v = 1;
    AddCurve(doc, "gain level_p1_p45_e_co_6_0.txt", {{1710.0f, -9.0f}, {1800.0f, -10.2f}, {1900.0f, -11.0f}});
    AddCurve(doc, "gain level_1710_2170.txt", {{1700.0f, -11.0f}, {1900.0f, -13.0f}});
    AddCurve(doc, "gain value_1710_2170.txt", {{1710.0f, 15.0f}, {1800.0f, 15.5f}, {2170.0f, 16.0f}});
    const auto cross = [](double a) { return GaussianBeam(10.0, 30.0)(a) - 20.0; };
    Cut fileOrder = MakeCut(GaussianBeam(2.0, 31.0));
    std::rotate(fileOrder.begin(), fileOrder.begin() + 359, fileOrder.end()); // 0..180, then -179.5..
    AddPattern(doc, "p1_p45_h_co_6_0_1800.msi", NOT_SET, MakeCut(GaussianBeam(0.0, 32.5)));
    AddPattern(doc, "p1_p45_h_co_6_0_1900.msi", NOT_SET, MakeCut(GaussianBeam(1.0, 33.0)));
    AddPattern(doc, "p1_p45_h_cr_6_0_1800.msi", 14.0f, MakeCut(cross));
    AddPattern(doc, "p2_m45_h_co_6_0_1800.msi", 16.5f, std::move(fileOrder));
    AddPattern(doc, "p1_p45_e_co_6_0_1800.msi", NOT_SET,
               MakeCut(GaussianBeam(170.0, 5.0), -179.9, 180.0, 0.1));
    AddPattern(doc, "p1_p45_e_cr_6_0_1800.msi", NOT_SET, MakeCut(cross, -179.9, 180.0, 0.1));
    AddPattern(doc, "p1_v90_e_co_6_0_1800.msi", NOT_SET, MakeCut(GaussianBeam(-6.0, 4.0)));
    return doc;
}

// FNV-1a over every file's key, samples and results, value by value (the record's padding is
// left out).
uint64_t Fingerprint(const CQuadrelDoc& doc) {
    uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](const void* data, size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    };
    for (const auto& [key, file] : doc.table) {
        add(key.data(), key.size());
        for (const PatternPoint& p : file.samples) {
            add(&p.fAngle, sizeof p.fAngle);
            add(&p.fMag, sizeof p.fMag);
        }
        const IndicatorResult& r = file.results;
        add(r.flags.data(), r.flags.size());
        add(&r.Gain, sizeof(IndicatorResult) - offsetof(IndicatorResult, Gain));
    }
    return hash;
}

void EveryFile(const CQuadrelDoc& doc, ResultDraft& draft) {
    for (const auto& [key, file] : doc.table) AnalyseFile(doc, key, draft);
}

// As the user sees them; the horizontal cross-polar file comes first, so its co-polar partner is
// written before its own turn.
const std::vector<std::string> kSelection = {ToUpper(kTest + "p1_p45_h_cr_6_0_1800.msi"),
                                             kTest + "p1_p45_e_co_6_0_1800.msi",
                                             kTest + "p1_p45_h_co_6_0_1800.msi"};

// The expected fingerprints are those of the analysis when it wrote straight into the document.
TEST(ResultDraftTest, DocumentIsUnchangedUntilCommitAndThenHoldsTheResultsOfTheRun) {
    struct Case {
        const char* name;
        void (*run)(const CQuadrelDoc&, ResultDraft&);
        int jobs;
        bool selected;
        int emptyFiles; // more files in the table, with no samples
        uint64_t expected;
    };
    const Case cases[] = {
        {"whole table, one thread", AnalyseAll, 1, false, 0, 0x5657014b137e4737ull},
        {"whole table, two threads", AnalyseAll, 2, false, 0, 0x5657014b137e4737ull},
        {"file by file", EveryFile, 1, false, 0, 0x042a3f1d8e91e4cfull},
        {"selection", AnalyseSelection, 1, true, 0, 0xbcc623d963e2ca03ull},
        {"selection, few of many files", AnalyseSelection, 1, true, 80, 0x53fdd6dede825a9bull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQuadrelDoc doc = Campaign();
        for (int i = 0; i < c.emptyFiles; ++i)
            AddPattern(doc, "p9_p45_h_co_6_0_" + std::to_string(2000 + i) + ".msi", NOT_SET, {});
        doc.jobs = c.jobs;
        if (c.selected) doc.selectionList = kSelection;
        const uint64_t before = Fingerprint(doc);
        ResultDraft draft;
        c.run(doc, draft);
        EXPECT_EQ(Fingerprint(doc), before);
        doc.CommitResults(std::move(draft));
        EXPECT_EQ(Fingerprint(doc), c.expected) << std::hex << Fingerprint(doc);
    }
}

} // namespace
