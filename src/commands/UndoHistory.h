#pragma once
#include <optional>
#include <string>
#include <vector>

#include "commands/EditMemento.h"

class CQuadrelDoc;

// The names of the undoable commands as their menu entries name them; Edit shows "Undo " + name.
inline constexpr const char* kEditPatternDrag = "Pattern Drag";
inline constexpr const char* kEditRotateDisplay = "Rotate for Display";
inline constexpr const char* kEditRotateData = "Rotate the Data";
inline constexpr const char* kEditNonRotate = "Non Rotate";
inline constexpr const char* kEditLevel = "Level Adjustment";
inline constexpr const char* kEditHSetup = "Horizontal Parameter Setup";
inline constexpr const char* kEditVSetup = "Vertical Parameters Setup";
inline constexpr const char* kEditRadiation = "Radiation Parameter Setup";
inline constexpr const char* kEditEnvelope = "Envelope and Gain Configuration";

// The one undo history of every edit that changes samples or settings: pattern drags, data
// rotations, "Non Rotate", level adjustments and the settings dialogs whose OK changes results.
// Each entry is named as the menu names the command ("Level Adjustment"); undo and redo swap the
// entry's saved state with the present one, so a redo gives back exactly what the undo took.
class UndoHistory {
  public:
    // A new edit: what could be redone is forgotten, and beyond kDepth edits the oldest.
    void Push(std::string name, EditMemento before);
    static constexpr size_t kDepth = 100;
    bool Undo(CQuadrelDoc& doc);
    bool Redo(CQuadrelDoc& doc);
    // The table the saved states belong to is gone (files opened or removed).
    void Clear();

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    // The name of the command the next undo or redo acts on; empty when there is none.
    std::string UndoName() const;
    std::string RedoName() const;
    // What the next undo or redo changes; an empty scope when there is none.
    EditScope UndoScope() const;
    EditScope RedoScope() const;
    // The Edit menu's entries: "Undo Level Adjustment", or "Undo" when there is nothing to undo.
    std::string UndoText() const;
    std::string RedoText() const;

  private:
    struct Entry {
        std::string name;
        EditMemento state;
    };
    std::vector<Entry> m_undo;
    std::vector<Entry> m_redo;
};

// One undoable command as it runs: keeps the state before it and every stored setting it
// overwrites, and hands them to the history on Commit. A record dropped without Commit leaves the
// history as it was (the command was refused before it changed anything).
class UndoRecord {
  public:
    UndoRecord(CQuadrelDoc& doc, UndoHistory& history, std::string name, EditScope scope);
    ~UndoRecord();
    UndoRecord(const UndoRecord&) = delete;
    UndoRecord& operator=(const UndoRecord&) = delete;

    // True once the command has given a stored setting another value.
    bool ChangedSettings() const { return m_before->StoredValuesChanged(m_doc); }
    void Commit();

  private:
    CQuadrelDoc& m_doc;
    UndoHistory& m_history;
    std::string m_name;
    std::optional<EditMemento> m_before;
};
