#include "analysis/AnalysisDriver.h"

#include <optional>

#include "analysis/CrossPolarIndicators.h"
#include "analysis/GainIndicators.h"
#include "analysis/HorizontalIndicators.h"
#include "analysis/Primitives.h"
#include "analysis/VerticalIndicators.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"

namespace {

// The loaded partner named by `partnerPath`; null when it is not loaded or is the file itself.
PatternFile* FindPartner(CQuadrelDoc& doc, const PatternFile& file, const std::string& partnerPath) {
    if (partnerPath.empty()) return nullptr;
    auto it = doc.table.find(PatternKey(partnerPath));
    if (it == doc.table.end() || &it->second == &file) return nullptr;
    return &it->second;
}

PartnerCut ViewOf(PatternFile& file) {
    return PartnerCut{file.samples, file.results, file.names};
}

void RunVerticalCoPolarGroup(CQuadrelDoc& doc, PatternFile& file) {
    Cut& cut = file.samples;
    IndicatorResult& r = file.results;
    MaxMin extremes = FindMaxMin(cut);
    r.Vmax = extremes.max;
    r.Vmin = extremes.min;
    const float peak = r.Vmax.fAngle;
    const bool facesBack =
        (ToLower(file.names[kFieldPolarisation]) == "v90" && peak >= 160.0f && peak <= 180.0f) ||
        (peak >= -180.0f && peak <= -160.0f);
    // The turned cut is given back from a copy: turning it back would round non-binary angles.
    Cut saved;
    if (facesBack) {
        saved = cut;
        RotateCut(cut, 180.0);
        extremes = FindMaxMin(cut);
        r.Vmax = extremes.max;
        r.Vmin = extremes.min;
    }
    RunVerticalCoPolarIndicators(doc, file, cut);
    if (facesBack) cut.swap(saved);
}

// `singleFile` is the form used for one file at a time: the cross-polar groups first find the
// cross-polar cut's own extremes, which the whole-table run leaves as loaded.
void Analyse(CQuadrelDoc& doc, PatternFile& file, bool singleFile) {
    if (file.samples.empty()) return;
    IndicatorResult& r = file.results;
    const std::string plane = ToLower(file.names[kFieldPlane]);
    const std::string component = ToLower(file.names[kFieldComponent]);

    if (!r.flags[kDonePrep]) {
        RunPreparationGroup(doc, file);
        r.flags[kDonePrep] = true;
    }
    if (plane == "e" && component == "co" && !r.flags[kDoneVCo]) {
        RunVerticalCoPolarGroup(doc, file);
        r.flags[kDoneVCo] = true;
    }
    if (plane == "e" && component == "cr" && !r.flags[kDoneVCr]) {
        if (singleFile) {
            const MaxMin own = FindMaxMin(file.samples);
            r.Vmax = own.max;
            r.Vmin = own.min;
        }
        if (PatternFile* co = FindPartner(doc, file, CoCrossPartner(file.path)))
            RunVerticalCrossPolarGroup(file.samples, r, doc.Vpara, ViewOf(*co));
        r.flags[kDoneVCr] = true;
    }
    if (plane == "h" && component == "co" && !r.flags[kDoneHCo]) {
        PatternFile* partner = FindPartner(doc, file, PolarisationPartner(file.path));
        std::optional<PartnerCut> view;
        if (partner) view.emplace(ViewOf(*partner));
        RunHorizontalCoPolarGroup(file.samples, r, doc.Hpara, file.names, view ? &*view : nullptr);
        r.flags[kDoneHCo] = true;
    }
    if (plane == "h" && component == "cr" && !r.flags[kDoneHCr]) {
        if (singleFile) ComputeHorizontalExtremes(file.samples, r);
        if (PatternFile* co = FindPartner(doc, file, CoCrossPartner(file.path)))
            RunHorizontalCrossPolarGroup(file.samples, r, doc.Hpara, file.names, ViewOf(*co));
        r.flags[kDoneHCr] = true;
    }
    if (plane == "msi") RunMsiFileStep(doc, file);
}

} // namespace

void AnalyseFile(CQuadrelDoc& doc, const std::string& key) {
    auto it = doc.table.find(key);
    if (it == doc.table.end()) it = doc.table.find(PatternKey(key));
    if (it == doc.table.end()) return;
    Analyse(doc, it->second, true);
}

void AnalyseAll(CQuadrelDoc& doc) {
    for (auto& [key, file] : doc.table) Analyse(doc, file, false);
}

void RecomputeAll(CQuadrelDoc& doc) {
    for (const std::string& path : doc.selectionList) AnalyseFile(doc, PatternKey(path));
    doc.GetListener().RefreshCurrentResults();
    doc.GetListener().RefreshAllResults();
}
