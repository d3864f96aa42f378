#include "analysis/GainSeries.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/GainCurves.h"
#include "document/QuadrelDoc.h"

namespace {

std::string SeriesKey(const NameFields& names) {
    std::string key;
    for (int field = kFieldPort; field <= kFieldDirection; ++field) {
        key += names[field];
        key += '\x1f';
    }
    return key;
}

// Holds keys rather than pointers: a file removed from the table must never be reached through the
// index. The index is rebuilt when the tables look different, when a member has gone or changed its
// name fields, and at the start of every pass over the table (its first file).
class GainTableIndex {
  public:
    void Refresh(const CQuadrelDoc& doc, const PatternFile& file) {
        if (!Matches(doc, file)) Rebuild(doc);
    }

    const std::vector<ReferenceCurve>& References() const { return m_references; }

    template <class Visit>
    void ForEachMember(const CQuadrelDoc& doc, const PatternFile& file, Visit visit) const {
        const auto series = m_series.find(SeriesKey(file.names));
        if (series == m_series.end()) return;
        for (const std::string& key : series->second)
            if (const auto it = doc.table.find(key); it != doc.table.end()) visit(it->second);
    }

  private:
    bool Matches(const CQuadrelDoc& doc, const PatternFile& file) const {
        if (m_doc != &doc || doc.table.empty() || &doc.table.begin()->second == &file) return false;
        if (m_tableSize != doc.table.size() || m_curveCount != doc.gainCurves.size()) return false;
        if (m_firstKey != doc.table.begin()->first || m_lastKey != doc.table.rbegin()->first) return false;
        const std::string seriesKey = SeriesKey(file.names);
        const auto series = m_series.find(seriesKey);
        if (series == m_series.end()) return false;
        bool selfListed = false;
        for (const std::string& key : series->second) {
            const auto it = doc.table.find(key);
            if (it == doc.table.end() || SeriesKey(it->second.names) != seriesKey) return false;
            selfListed = selfListed || &it->second == &file;
        }
        return selfListed;
    }

    void Rebuild(const CQuadrelDoc& doc) {
        m_doc = &doc;
        m_tableSize = doc.table.size();
        m_curveCount = doc.gainCurves.size();
        m_firstKey = doc.table.empty() ? std::string() : doc.table.begin()->first;
        m_lastKey = doc.table.empty() ? std::string() : doc.table.rbegin()->first;
        m_series.clear();
        for (const auto& [key, file] : doc.table) m_series[SeriesKey(file.names)].push_back(key);
        m_references = CollectReferenceCurves(doc.gainCurves);
    }

    const CQuadrelDoc* m_doc = nullptr;
    size_t m_tableSize = 0;
    size_t m_curveCount = 0;
    std::string m_firstKey;
    std::string m_lastKey;
    std::unordered_map<std::string, std::vector<std::string>> m_series;
    std::vector<ReferenceCurve> m_references;
};

std::mutex g_indexLock;
GainTableIndex g_index;

} // namespace

std::optional<float> CurveGainOf(const CQuadrelDoc& doc, const PatternFile& file) {
    std::lock_guard<std::mutex> lock(g_indexLock);
    g_index.Refresh(doc, file);
    return GainFromCurves(doc, file, g_index.References());
}

float SeriesGainSpread(const CQuadrelDoc& doc, const PatternFile& file) {
    std::lock_guard<std::mutex> lock(g_indexLock);
    g_index.Refresh(doc, file);
    const bool gainsFromCurves = doc.noGainFlag == 1;
    float largest = NOT_SET;
    float smallest = -NOT_SET;
    auto take = [&](float gain) {
        if (gain == NOT_SET) return;
        if (gain > largest) largest = gain;
        if (gain < smallest) smallest = gain;
    };
    take(file.results.Gain);
    g_index.ForEachMember(doc, file, [&](const PatternFile& member) {
        if (&member == &file) return;
        float gain = member.results.Gain;
        if (gainsFromCurves && !member.results.flags[kDonePrep])
            gain = GainFromCurves(doc, member, g_index.References()).value_or(gain);
        take(gain);
    });
    if (largest == NOT_SET) return NOT_SET;
    return static_cast<float>(static_cast<double>(largest) - smallest);
}
