#include "document/ResultDraft.h"

const IndicatorResult& ResultDraft::Read(const PatternFile& file) const {
    const auto it = m_slots.find(&file);
    return it == m_slots.end() ? file.results : it->second;
}

IndicatorResult& ResultDraft::Write(const PatternFile& file) {
    // A lookup first: once covered, concurrent writers of different files only ever search the map.
    const auto it = m_slots.find(&file);
    if (it != m_slots.end()) return it->second;
    return m_slots.emplace(&file, file.results).first->second;
}

void ResultDraft::Cover(const PatternTable& table) {
    m_slots.reserve(m_slots.size() + table.size());
    for (const auto& [key, file] : table) Write(file);
}
