#include "analysis/AnalysisDriver.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <vector>

#include "analysis/CrossPolarIndicators.h"
#include "analysis/GainIndicators.h"
#include "analysis/GainSeries.h"
#include "analysis/HorizontalIndicators.h"
#include "analysis/Primitives.h"
#include "analysis/VerticalIndicators.h"
#include "app/Log.h"
#include "app/Parallel.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "document/ResultDraft.h"

namespace {

// A cut in ascending angle order, as every routine reads it. A measured file lists its angles
// from 0 upwards (0..180, then -179.5..-0.5 once folded), so such a cut is analysed through a
// stably sorted copy; the file's own samples stay in file order. A cut already in order is used
// as it is.
class AscendingCut {
  public:
    explicit AscendingCut(const Cut& samples) : m_cut(&samples) {
        auto byAngle = [](const PatternPoint& a, const PatternPoint& b) { return a.fAngle < b.fAngle; };
        if (std::is_sorted(samples.begin(), samples.end(), byAngle)) return;
        m_sorted = samples;
        SortByAngle(m_sorted);
        m_cut = &m_sorted;
    }
    AscendingCut(const AscendingCut&) = delete;
    AscendingCut& operator=(const AscendingCut&) = delete;
    const Cut& Get() const { return *m_cut; }

  private:
    Cut m_sorted;
    const Cut* m_cut;
};

// The loaded partner named by `partnerPath`; null when it is not loaded or is the file itself.
const PatternFile* FindPartner(const CQuadrelDoc& doc, const PatternFile& file,
                               const std::string& partnerPath) {
    if (partnerPath.empty()) return nullptr;
    auto it = doc.table.find(PatternKey(partnerPath));
    if (it == doc.table.end() || &it->second == &file) return nullptr;
    return &it->second;
}

// A loaded partner seen in ascending order, with its names and its slot in the run's draft.
struct Partner {
    Partner(const PatternFile& file, ResultDraft& draft)
        : file(file), results(draft.Write(file)), cut(file.samples) {}
    PartnerCut View() const { return PartnerCut{cut.Get(), results, file.names}; }
    const PatternFile& file;
    IndicatorResult& results;
    AscendingCut cut;
};

void RunVerticalCoPolarGroup(const CQuadrelDoc& doc, const PatternFile& file, const Cut& cut,
                             IndicatorResult& r) {
    const MaxMin own = FindMaxMin(cut);
    r.Vmax = own.max;
    r.Vmin = own.min;
    // A beam that looks backwards is analysed turned round, whichever side of 180 degrees its
    // maximum lies on.
    const bool facesBack = std::fabs(r.Vmax.fAngle) >= 160.0f && std::fabs(r.Vmax.fAngle) <= 180.0f;
    if (!facesBack) {
        RunVerticalCoPolarIndicators(doc, file, cut, r);
        return;
    }
    // Turned on a copy: the file's samples stay as read (turning them back would round non-binary
    // angles).
    Cut turned = cut;
    RotateCut(turned, 180.0);
    const MaxMin turnedExtremes = FindMaxMin(turned);
    r.Vmax = turnedExtremes.max;
    r.Vmin = turnedExtremes.min;
    RunVerticalCoPolarIndicators(doc, file, turned, r);
    // The reference direction stays in the cut's own angles, as the cross-polar group and the
    // rotation commands read it.
    r.Vmax = own.max;
    r.Vmin = own.min;
}

// `singleFile` is the form used for one file at a time: the cross-polar groups first find the
// cross-polar cut's own extremes, which the whole-table run leaves as loaded.
void Prepare(const CQuadrelDoc& doc, const PatternFile& file, ResultDraft& draft) {
    if (file.samples.empty() || draft.Read(file).flags[kDonePrep]) return;
    RunPreparationGroup(doc, file, draft);
    draft.Write(file).flags[kDonePrep] = true;
}

// Every group after the preparation. Reads and writes only the slots of the file and its loaded
// partners.
void AnalyseCuts(const CQuadrelDoc& doc, const PatternFile& file, ResultDraft& draft, bool singleFile) {
    if (file.samples.empty()) return;
    IndicatorResult& r = draft.Write(file);
    const std::string plane = ToLower(file.names[kFieldPlane]);
    const std::string component = ToLower(file.names[kFieldComponent]);
    const bool vCo = plane == "e" && component == "co" && !r.flags[kDoneVCo];
    const bool vCr = plane == "e" && component == "cr" && !r.flags[kDoneVCr];
    const bool hCo = plane == "h" && component == "co" && !r.flags[kDoneHCo];
    const bool hCr = plane == "h" && component == "cr" && !r.flags[kDoneHCr];
    if (vCo || vCr || hCo || hCr) {
        AscendingCut ascending(file.samples);
        const Cut& cut = ascending.Get();
        if (vCo) {
            RunVerticalCoPolarGroup(doc, file, cut, r);
            r.flags[kDoneVCo] = true;
        }
        if (vCr) {
            if (singleFile) {
                const MaxMin own = FindMaxMin(cut);
                r.Vmax = own.max;
                r.Vmin = own.min;
            }
            if (const PatternFile* co = FindPartner(doc, file, CoCrossPartner(file.path))) {
                const Partner partner(*co, draft);
                RunVerticalCrossPolarGroup(cut, r, doc.Vpara, partner.View());
            }
            r.flags[kDoneVCr] = true;
        }
        if (hCo) {
            std::optional<Partner> partner;
            if (const PatternFile* other = FindPartner(doc, file, PolarisationPartner(file.path)))
                partner.emplace(*other, draft);
            std::optional<PartnerCut> view;
            if (partner) view.emplace(partner->View());
            RunHorizontalCoPolarGroup(cut, r, doc.Hpara, file.names, view ? &*view : nullptr);
            r.flags[kDoneHCo] = true;
        }
        if (hCr) {
            if (singleFile) ComputeHorizontalExtremes(cut, r);
            if (const PatternFile* co = FindPartner(doc, file, CoCrossPartner(file.path))) {
                const Partner partner(*co, draft);
                RunHorizontalCrossPolarGroup(cut, r, doc.Hpara, file.names, partner.View());
            }
            r.flags[kDoneHCr] = true;
        }
    }
    if (plane == "msi") RunMsiFileStep(doc, file, r);
}

void Analyse(const CQuadrelDoc& doc, const PatternFile& file, ResultDraft& draft, bool singleFile) {
    Prepare(doc, file, draft);
    AnalyseCuts(doc, file, draft, singleFile);
}

// Files that the groups tie together (a file and the partners it reads and writes), as sets of
// table positions in ascending order. Files of different sets share nothing.
std::vector<std::vector<size_t>> PartnerSets(const CQuadrelDoc& doc,
                                             const std::vector<const PatternFile*>& files) {
    std::unordered_map<const PatternFile*, size_t> position;
    position.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i) position.emplace(files[i], i);
    std::vector<size_t> parent(files.size());
    for (size_t i = 0; i < files.size(); ++i) parent[i] = i;
    auto root = [&parent](size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    for (size_t i = 0; i < files.size(); ++i) {
        const PatternFile& file = *files[i];
        for (const std::string& partnerPath : {CoCrossPartner(file.path), PolarisationPartner(file.path)}) {
            if (const PatternFile* partner = FindPartner(doc, file, partnerPath)) {
                const size_t a = root(i);
                const size_t b = root(position.at(partner));
                parent[std::max(a, b)] = std::min(a, b);
            }
        }
    }
    std::vector<std::vector<size_t>> sets;
    std::vector<size_t> setOf(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const size_t r = root(i);
        if (r == i) {
            setOf[i] = sets.size();
            sets.emplace_back();
        }
        sets[setOf[r]].push_back(i);
    }
    return sets;
}

// The whole-table run on several threads, with the outcome of the single-threaded one: the
// preparation (whose gain spread reads the other files of a series) runs first in table order;
// then each partner set runs in table order on one thread, and the log entries are written in
// table order afterwards. The draft covers every file before the threads start, so they only look
// slots up; one shared draft rather than one per set needs no merge, and the preparation and the
// rest of a file write the same slot.
void AnalyseAllInParallel(const CQuadrelDoc& doc, ResultDraft& draft) {
    std::vector<const PatternFile*> files;
    files.reserve(doc.table.size());
    for (const auto& [key, file] : doc.table) files.push_back(&file);
    for (const PatternFile* file : files) Prepare(doc, *file, draft);
    const std::vector<std::vector<size_t>> sets = PartnerSets(doc, files);
    std::vector<std::vector<std::string>> logEntries(files.size());
    ParallelFor(sets.size(), doc.jobs, [&](size_t s) {
        LogCapture capture;
        for (size_t i : sets[s]) {
            AnalyseCuts(doc, *files[i], draft, false);
            logEntries[i] = capture.Take();
        }
    });
    for (const auto& entries : logEntries) WriteLogEntries(entries);
}

} // namespace

void AnalyseFile(const CQuadrelDoc& doc, const std::string& key, ResultDraft& draft) {
    auto it = doc.table.find(key);
    if (it == doc.table.end()) it = doc.table.find(PatternKey(key));
    if (it == doc.table.end()) return;
    Analyse(doc, it->second, draft, true);
}

void AnalyseSelection(const CQuadrelDoc& doc, ResultDraft& draft) {
    for (const std::string& key : doc.selectionList) AnalyseFile(doc, key, draft);
}

void AnalyseAll(const CQuadrelDoc& doc, ResultDraft& draft) {
    const CurveGainPass pass(doc);
    // The run writes nearly every file; making the slots at once spares the draft its regrowth.
    draft.Cover(doc.table);
    if (doc.jobs > 1 && doc.table.size() > 1) {
        AnalyseAllInParallel(doc, draft);
        return;
    }
    for (const auto& [key, file] : doc.table) Analyse(doc, file, draft, false);
}
