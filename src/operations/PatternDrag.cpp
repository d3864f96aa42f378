#include "operations/PatternDrag.h"

#include "analysis/AnalysisDriver.h"
#include "analysis/DoneFlags.h"
#include "document/QuadrelDoc.h"
#include "operations/CutReference.h"

namespace {
void Reanalyse(CQuadrelDoc& doc, PatternFile& file) {
    ClearDoneFlags(file.results, {kDoneHCo, kDoneVCo, kDoneUnused, kDoneHCr, kDoneVCr});
    AnalyseFile(doc, file.key);
}

// Gives the snapshot at `position` back to the pattern it was taken from (if still loaded).
bool RestoreSnapshot(CQuadrelDoc& doc, int32_t position) {
    const DragHistory::Entry& entry = doc.dragHistory.entries[static_cast<size_t>(position)];
    PatternFile* file = doc.Find(entry.key);
    if (!file) return false;
    file->samples = entry.samples;
    file->showDisplayCopy = false;
    Reanalyse(doc, *file);
    return true;
}
} // namespace

PatternFile* DraggedPattern(CQuadrelDoc& doc) {
    const std::vector<PatternFile*> files = SelectedFiles(doc);
    return files.empty() ? nullptr : files.front();
}

bool TakeDragSnapshot(CQuadrelDoc& doc) {
    PatternFile* file = DraggedPattern(doc);
    if (!file) return false;
    DragHistory& history = doc.dragHistory;
    if (history.position != -1) history.entries.resize(static_cast<size_t>(history.position));
    history.entries.push_back({file->key, file->samples});
    history.position = -1;
    return true;
}

bool DragPatternBy(CQuadrelDoc& doc, double deltaDb) {
    PatternFile* file = DraggedPattern(doc);
    if (!file) return false;
    file->showDisplayCopy = false;
    for (PatternPoint& point : file->samples) point.fMag = static_cast<float>(point.fMag + deltaDb);
    Reanalyse(doc, *file);
    return true;
}

bool UndoDrag(CQuadrelDoc& doc) {
    PatternFile* file = DraggedPattern(doc);
    DragHistory& history = doc.dragHistory;
    if (!file || history.entries.empty()) return false;
    if (history.position == -1) {
        history.entries.push_back({file->key, file->samples});
        history.position = static_cast<int32_t>(history.entries.size()) - 2;
    } else if (history.position > 0) {
        --history.position;
    } else {
        return false;
    }
    return RestoreSnapshot(doc, history.position);
}

bool RedoDrag(CQuadrelDoc& doc) {
    DragHistory& history = doc.dragHistory;
    if (!DraggedPattern(doc) || history.entries.empty() || history.position == -1) return false;
    if (history.position + 1 >= static_cast<int32_t>(history.entries.size())) return false;
    ++history.position;
    return RestoreSnapshot(doc, history.position);
}
