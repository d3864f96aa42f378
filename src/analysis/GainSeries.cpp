#include "analysis/GainSeries.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/GainCurves.h"
#include "app/TextUtil.h"
#include "document/Naming.h"
#include "document/QuadrelDoc.h"
#include "document/ResultDraft.h"

namespace {

bool SameSeries(const NameFields& a, const NameFields& b) {
    for (int field = kFieldPort; field <= kFieldDirection; ++field)
        if (a[field] != b[field]) return false;
    return true;
}

// The start of the key of every file of a series in one folder: the folder, then the file name up to
// its frequency. Files named as the loader names them sort together under it.
std::string SeriesNamePrefix(const NameFields& names) {
    std::string prefix = names[kFieldPort];
    for (int field = kFieldPort + 1; field <= kFieldDirection; ++field) prefix += "_" + names[field];
    return ToLower(prefix);
}

// The folders of the table and the reference curves of the gain table. Holds texts only, so a stale
// index can miss a file but never reach one that has left the table; it is rebuilt when the tables
// look different and at the start of every pass over the table (its first file).
class GainTableIndex : public TableCache {
  public:
    void Refresh(const CQuadrelDoc& doc, const PatternFile& file) {
        if (!Matches(doc, file)) Rebuild(doc);
    }

    const std::vector<ReferenceCurve>& References() const { return m_references; }

    // The curve gain of `file`, kept while a pass is open.
    std::optional<float> CurveGain(const CQuadrelDoc& doc, const PatternFile& file) {
        if (!m_passOpen) return GainFromCurves(doc, file, m_references);
        auto [it, added] = m_curveGains.try_emplace(&file);
        if (added) it->second = GainFromCurves(doc, file, m_references);
        return it->second;
    }
    void OpenPass(bool open) {
        m_passOpen = open;
        m_curveGains.clear();
    }

    // Every file of the series of `file` (a file may be visited twice).
    template <class Visit>
    void ForEachMember(const CQuadrelDoc& doc, const PatternFile& file, Visit visit) const {
        const std::string namePrefix = SeriesNamePrefix(file.names);
        const auto [ownFolder, ownName] = SplitFileName(file.key);
        if (ownName.compare(0, namePrefix.size(), namePrefix) != 0) {
            // Name fields that do not come from the file name: look at every file.
            for (const auto& [key, member] : doc.table)
                if (SameSeries(member.names, file.names)) visit(member);
            return;
        }
        for (const std::string& folder : m_folders) {
            const std::string prefix = folder + namePrefix;
            for (auto it = doc.table.lower_bound(prefix);
                 it != doc.table.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
                if (SameSeries(it->second.names, file.names)) visit(it->second);
        }
    }

  private:
    bool Matches(const CQuadrelDoc& doc, const PatternFile& file) const {
        if (doc.table.empty() || &doc.table.begin()->second == &file) return false;
        if (m_tableSize != doc.table.size() || m_curveCount != doc.gainCurves.size()) return false;
        if (m_firstKey != doc.table.begin()->first || m_lastKey != doc.table.rbegin()->first) return false;
        return std::binary_search(m_folders.begin(), m_folders.end(), SplitFileName(file.key).first);
    }

    void Rebuild(const CQuadrelDoc& doc) {
        m_tableSize = doc.table.size();
        m_curveCount = doc.gainCurves.size();
        m_firstKey = doc.table.empty() ? std::string() : doc.table.begin()->first;
        m_lastKey = doc.table.empty() ? std::string() : doc.table.rbegin()->first;
        m_folders.clear();
        for (const auto& [key, file] : doc.table) {
            std::string folder = SplitFileName(key).first;
            if (m_folders.empty() || m_folders.back() != folder) m_folders.push_back(std::move(folder));
        }
        std::sort(m_folders.begin(), m_folders.end());
        m_folders.erase(std::unique(m_folders.begin(), m_folders.end()), m_folders.end());
        m_references = CollectReferenceCurves(doc.gainCurves);
        m_curveGains.clear();
    }

    size_t m_tableSize = 0;
    size_t m_curveCount = 0;
    std::string m_firstKey;
    std::string m_lastKey;
    std::vector<std::string> m_folders; // sorted, with their trailing separator
    std::vector<ReferenceCurve> m_references;
    bool m_passOpen = false;
    std::unordered_map<const PatternFile*, std::optional<float>> m_curveGains;
};

float SpreadOf(const CQuadrelDoc& doc, const PatternFile& file, const ResultDraft& draft,
               GainTableIndex& index) {
    index.Refresh(doc, file);
    const bool gainsFromCurves = doc.noGainFlag == 1;
    float largest = NOT_SET;
    float smallest = -NOT_SET;
    auto take = [&](float gain) {
        if (gain == NOT_SET) return;
        if (gain > largest) largest = gain;
        if (gain < smallest) smallest = gain;
    };
    take(draft.Read(file).Gain);
    index.ForEachMember(doc, file, [&](const PatternFile& member) {
        if (&member == &file) return;
        const IndicatorResult& results = draft.Read(member);
        float gain = results.Gain;
        if (gainsFromCurves && !results.flags[kDonePrep]) gain = index.CurveGain(doc, member).value_or(gain);
        take(gain);
    });
    if (largest == NOT_SET) return NOT_SET;
    return static_cast<float>(static_cast<double>(largest) - smallest);
}

} // namespace

std::optional<float> CurveGainOf(const CQuadrelDoc& doc, const PatternFile& file) {
    return doc.UseTableCache<GainTableIndex>([&](GainTableIndex& index) {
        index.Refresh(doc, file);
        return index.CurveGain(doc, file);
    });
}

float SeriesGainSpread(const CQuadrelDoc& doc, const PatternFile& file, const ResultDraft& draft) {
    return doc.UseTableCache<GainTableIndex>(
        [&](GainTableIndex& index) { return SpreadOf(doc, file, draft, index); });
}
CurveGainPass::CurveGainPass(const CQuadrelDoc& doc) : m_doc(doc) {
    doc.UseTableCache<GainTableIndex>([](GainTableIndex& index) { index.OpenPass(true); });
}

CurveGainPass::~CurveGainPass() {
    m_doc.UseTableCache<GainTableIndex>([](GainTableIndex& index) { index.OpenPass(false); });
}
