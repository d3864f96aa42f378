#include "operations/PatternDrag.h"

#include "document/QuadrelDoc.h"
#include "operations/CutReference.h"

const PatternFile* DraggedPattern(const CQuadrelDoc& doc) {
    const std::vector<const PatternFile*> files = SelectedFiles(doc);
    return files.empty() ? nullptr : files.front();
}

std::optional<SampleChange> DraggedSamples(const CQuadrelDoc& doc, double deltaDb) {
    const PatternFile* file = DraggedPattern(doc);
    if (!file) return std::nullopt;
    SampleChange change{file->key, file->samples};
    for (PatternPoint& point : change.samples) point.fMag = static_cast<float>(point.fMag + deltaDb);
    return change;
}
