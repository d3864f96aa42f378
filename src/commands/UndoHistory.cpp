#include "commands/UndoHistory.h"

#include "document/QuadrelDoc.h"

namespace {
template <class Entry> bool Swap(CQuadrelDoc& doc, std::vector<Entry>& from, std::vector<Entry>& to) {
    if (from.empty()) return false;
    Entry entry = std::move(from.back());
    from.pop_back();
    EditMemento now = entry.state.Now(doc);
    entry.state.Restore(doc);
    entry.state = std::move(now);
    to.push_back(std::move(entry));
    return true;
}
} // namespace

void UndoHistory::Push(std::string name, EditMemento before) {
    m_redo.clear();
    m_undo.push_back({std::move(name), std::move(before)});
    if (m_undo.size() > kDepth) m_undo.erase(m_undo.begin());
}

bool UndoHistory::Undo(CQuadrelDoc& doc) {
    return Swap(doc, m_undo, m_redo);
}

bool UndoHistory::Redo(CQuadrelDoc& doc) {
    return Swap(doc, m_redo, m_undo);
}

void UndoHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
}

std::string UndoHistory::UndoName() const {
    return m_undo.empty() ? std::string() : m_undo.back().name;
}

std::string UndoHistory::RedoName() const {
    return m_redo.empty() ? std::string() : m_redo.back().name;
}

EditScope UndoHistory::UndoScope() const {
    return m_undo.empty() ? EditScope() : m_undo.back().state.Scope();
}

EditScope UndoHistory::RedoScope() const {
    return m_redo.empty() ? EditScope() : m_redo.back().state.Scope();
}

std::string UndoHistory::UndoText() const {
    return CanUndo() ? "Undo " + UndoName() : "Undo";
}

std::string UndoHistory::RedoText() const {
    return CanRedo() ? "Redo " + RedoName() : "Redo";
}

UndoRecord::UndoRecord(CQuadrelDoc& doc, UndoHistory& history, std::string name, EditScope scope)
    : m_doc(doc), m_history(history), m_name(std::move(name)), m_before(EditMemento(doc, std::move(scope))) {
    m_doc.WatchConfigWrites([this](std::string_view section, std::string_view key) {
        m_before->KeepStoredValue(m_doc, section, key);
    });
}

UndoRecord::~UndoRecord() {
    m_doc.WatchConfigWrites(nullptr);
}

void UndoRecord::Commit() {
    m_doc.WatchConfigWrites(nullptr);
    if (m_before) m_history.Push(std::move(m_name), std::move(*m_before));
    m_before.reset();
}
