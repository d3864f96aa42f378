#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Notifier.h"
#include "document/AnalysisSettings.h"
#include "document/OperationSettings.h"
#include "document/PatternTypes.h"

class CQuadrelDoc;

// What an undoable command may change. The results (with their done-flags) of the patterns it
// moves are kept with their samples; a settings change recomputes every file, so it keeps them all.
struct EditScope {
    std::vector<std::string> sampleKeys; // patterns whose samples the command moves
    bool rotation = false;               // rotation settings and the data-rotation history
    bool level = false;                  // level-adjustment settings
    bool analysis = false; // horizontal, vertical and radiation settings, envelope curves, every result
};

// The change notice of a command with this scope.
DocumentChange ChangeOf(const EditScope& scope);

// The state an undoable command changes, as it was at one moment: putting it back gives the
// document these samples, settings, results and stored settings bit for bit.
class EditMemento {
  public:
    EditMemento(const CQuadrelDoc& doc, EditScope scope);
    const EditScope& Scope() const { return m_scope; }

    // The first time a command overwrites a stored setting, its value before is kept.
    void KeepStoredValue(const CQuadrelDoc& doc, std::string_view section, std::string_view key);
    // True when a kept stored setting now holds another value.
    bool StoredValuesChanged(const CQuadrelDoc& doc) const;

    // The present state over the same scope and stored settings: what undo keeps for redo.
    EditMemento Now(const CQuadrelDoc& doc) const;
    // Patterns removed since are passed over; a pattern only ever gets its own samples back.
    void Restore(CQuadrelDoc& doc) const;

  private:
    struct PatternState {
        std::string key;
        Cut samples;
        std::optional<Cut> displayCopy;
        bool showDisplayCopy = false;
    };
    struct StoredValue {
        std::string section;
        std::string key;
        std::string value;
    };

    EditScope m_scope;
    std::vector<PatternState> m_patterns;
    std::vector<std::pair<std::string, IndicatorResult>> m_results;
    RotationSettings m_rotation;
    RotationHistory m_rotationHistory;
    LevelSettings m_level;
    HPara m_hpara;
    VPara m_vpara;
    EnvelopeTable m_envelopes;
    std::vector<StoredValue> m_stored;
};
