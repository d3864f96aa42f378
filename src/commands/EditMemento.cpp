#include "commands/EditMemento.h"

#include <algorithm>
#include <memory>

#include "document/QuadrelDoc.h"

DocumentChange ChangeOf(const EditScope& scope) {
    DocumentChange change;
    change.cuts = scope.sampleKeys;
    if (!scope.sampleKeys.empty()) change.fields |= DocumentChange::Samples | DocumentChange::Results;
    if (scope.rotation || scope.level) change.fields |= DocumentChange::Settings;
    if (scope.analysis) {
        change.fields |= DocumentChange::Settings | DocumentChange::Results;
        change.allCuts = true;
    }
    return change;
}

EditMemento::EditMemento(const CQuadrelDoc& doc, EditScope scope) : m_scope(std::move(scope)) {
    for (const std::string& key : m_scope.sampleKeys) {
        const PatternFile* file = doc.Find(key);
        if (!file) continue;
        PatternState state{key, file->samples, std::nullopt, file->showDisplayCopy};
        if (file->displayCopy) state.displayCopy = *file->displayCopy;
        m_patterns.push_back(std::move(state));
    }
    if (m_scope.analysis) {
        m_results.reserve(doc.table.size());
        for (const auto& [key, file] : doc.table) m_results.emplace_back(key, file.results);
    } else {
        for (const std::string& key : m_scope.sampleKeys)
            if (const PatternFile* file = doc.Find(key)) m_results.emplace_back(key, file->results);
    }
    if (m_scope.rotation) {
        m_rotation = doc.rotation;
        m_rotationHistory = doc.rotationHistory;
    }
    if (m_scope.level) m_level = doc.levelAdjust;
    if (m_scope.analysis) {
        m_hpara = doc.Hpara;
        m_vpara = doc.Vpara;
        m_envelopes = doc.envelopes;
    }
}

void EditMemento::KeepStoredValue(const CQuadrelDoc& doc, std::string_view section, std::string_view key) {
    const bool kept = std::any_of(m_stored.begin(), m_stored.end(), [&](const StoredValue& stored) {
        return stored.section == section && stored.key == key;
    });
    if (!kept) m_stored.push_back({std::string(section), std::string(key), doc.ReadConfig(section, key)});
}

bool EditMemento::StoredValuesChanged(const CQuadrelDoc& doc) const {
    return std::any_of(m_stored.begin(), m_stored.end(), [&doc](const StoredValue& stored) {
        return doc.ReadConfig(stored.section, stored.key) != stored.value;
    });
}

EditMemento EditMemento::Now(const CQuadrelDoc& doc) const {
    EditMemento now(doc, m_scope);
    for (const StoredValue& stored : m_stored) now.KeepStoredValue(doc, stored.section, stored.key);
    return now;
}

void EditMemento::Restore(CQuadrelDoc& doc) const {
    for (const PatternState& state : m_patterns) {
        PatternFile* file = doc.Find(state.key);
        if (!file) continue;
        file->samples = state.samples;
        file->displayCopy = state.displayCopy ? std::make_unique<Cut>(*state.displayCopy) : nullptr;
        file->showDisplayCopy = state.showDisplayCopy;
    }
    for (const auto& [key, results] : m_results)
        if (PatternFile* file = doc.Find(key)) file->results = results;
    if (m_scope.rotation) {
        doc.rotation = m_rotation;
        doc.rotationHistory = m_rotationHistory;
    }
    if (m_scope.level) doc.levelAdjust = m_level;
    if (m_scope.analysis) {
        doc.Hpara = m_hpara;
        doc.Vpara = m_vpara;
        doc.envelopes = m_envelopes;
    }
    // The store follows, so a restart after an undo starts from the settings the user went back to.
    for (const StoredValue& stored : m_stored) doc.WriteConfig(stored.section, stored.key, stored.value);
}
